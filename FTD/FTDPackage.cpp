#include "FTD/FTDPackage.h"

#include "FTD/BigEndian.h"
#include "FTD/FTDProtocol.h"
#include "FTD/ZeroRunCodec.h"

#include <cstring>

namespace Tesmora {
namespace FTD {

FTDPackage::FTDPackage() {
    ClearFields();
}

void FTDPackage::ClearFields() {
    Pending.Clear();
    std::memset(Pending.Prepare(PackageHeaderLength), 0, PackageHeaderLength);
    Pending.Commit(PackageHeaderLength);
    PendingCount = 0;
}

unsigned char* FTDPackage::AppendField(uint16_t fid, size_t length) {
    if (length > MaxWireLength) {
        return nullptr;
    }
    unsigned char* field = Pending.Prepare(FieldHeaderLength + length);
    StoreBigEndian16(field, fid);
    StoreBigEndian16(field + 2, uint16_t(length));
    std::memset(field + FieldHeaderLength, 0, length);
    Pending.Commit(FieldHeaderLength + length);
    ++PendingCount;
    return field + FieldHeaderLength;
}

bool FTDPackage::AddField(uint16_t fid, const void* data, uint32_t length) {
    unsigned char* area = AppendField(fid, length);
    if (area == nullptr) {
        return false;
    }
    if (length > 0) {
        std::memcpy(area, data, length);
    }
    return true;
}

bool FTDPackage::Encode(bool last) {
    const size_t fieldsLength = FieldsLength();
    if (fieldsLength > MaxWireLength) {
        return false;
    }
    unsigned char* package = Pending.Data();
    const size_t packageLength = Pending.Size();
    package[0] = 0x01;
    package[1] = 0x03;
    package[2] = 0x0C;
    package[3] = last ? ChainLast : ChainContinued;
    StoreBigEndian16(package + 4, Series);
    StoreBigEndian32(package + 6, TransID);
    StoreBigEndian32(package + 10, Counter);
    // The field count fits: every field takes at least four of the 65535 bytes.
    StoreBigEndian16(package + 14, uint16_t(PendingCount));
    StoreBigEndian16(package + 16, uint16_t(fieldsLength));
    StoreBigEndian32(package + 18, ReqID);

    size_t contentLength = packageLength;
    unsigned char* frame;
    if (Compress) {
        frame = Output.Prepare(FrameHeaderLength + MaxCompressedLength(packageLength));
        contentLength = CompressZeroRuns(package, packageLength, frame + FrameHeaderLength);
    } else {
        if (packageLength > MaxWireLength) {
            return false;
        }
        frame = Output.Prepare(FrameHeaderLength + packageLength);
        std::memcpy(frame + FrameHeaderLength, package, packageLength);
    }
    // Nothing is committed yet, so a refusal leaves Output as it was.
    if (contentLength > MaxWireLength) {
        return false;
    }
    frame[0] = PackageFrame;
    frame[1] = 0;
    StoreBigEndian16(frame + 2, uint16_t(contentLength));
    Output.Commit(FrameHeaderLength + contentLength);
    ClearFields();
    return true;
}

} // namespace FTD
} // namespace Tesmora

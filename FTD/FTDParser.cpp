#include "FTD/FTDParser.h"

#include "FTD/BigEndian.h"
#include "FTD/FTDFieldCatalogue.h"
#include "FTD/ZeroRunCodec.h"

#include <algorithm>
#include <cstring>

namespace Tesmora {
namespace FTD {

namespace {

inline void SwapInPlace16(unsigned char* p) {
    const uint16_t v = LoadBigEndian16(p);
    std::memcpy(p, &v, sizeof v);
}

inline void SwapInPlace32(unsigned char* p) {
    const uint32_t v = LoadBigEndian32(p);
    std::memcpy(p, &v, sizeof v);
}

template <class T> inline T LoadNative(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

FTDParser::FTDParser() = default;
FTDParser::~FTDParser() = default;

void FTDParser::OnFatalError(int code) {
    if (FatalErrorHandler) {
        FatalErrorHandler(code);
    }
}

void FTDParser::OnHeartbeat() {
    if (HeartbeatHandler) {
        HeartbeatHandler();
    }
}

void FTDParser::OnReceiveFields(uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                                uint16_t fieldCount) {
    if (ReceiveFieldsHandler) {
        ReceiveFieldsHandler(series, transID, reqID, counter, fieldCount);
    }
}

void FTDParser::OnPackageEnd(bool headerByte1Is3, bool isLast) {
    if (PackageEndHandler) {
        PackageEndHandler(headerByte1Is3, isLast);
    }
}

void FTDParser::OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length) {
    if (FieldDataHandler) {
        FieldDataHandler(fid, info, data, length);
    }
}

void FTDParser::Feed(const unsigned char* data, size_t length) {
    if (Resync) {
        Resync = false;
        Received.Clear();
    }
    if (!Received.Empty()) {
        const size_t used = CompleteBufferedFrame(data, length);
        data += used;
        length -= used;
        if (!Received.Empty()) {
            return;
        }
    }
    // Complete frames are decoded straight from the chunk; only an incomplete
    // tail is kept, which bounds what a peer can make us hold.
    size_t pos = 0;
    while (length - pos >= FrameHeaderLength) {
        const size_t frameLength = FrameLength(data + pos);
        if (length - pos < frameLength) {
            break;
        }
        HandleFrame(data + pos);
        pos += frameLength;
    }
    Received.Append(data + pos, length - pos);
}

size_t FTDParser::CompleteBufferedFrame(const unsigned char* data, size_t length) {
    size_t used = 0;
    if (Received.Size() < FrameHeaderLength) {
        used = std::min(FrameHeaderLength - Received.Size(), length);
        Received.Append(data, used);
        if (Received.Size() < FrameHeaderLength) {
            return used;
        }
    }
    // A frame whose header names an invalid type is reported when its header
    // completes and dropped by the next Feed, so it is never seen twice here.
    const size_t frameLength = FrameLength(Received.Data());
    const size_t take = std::min(frameLength - Received.Size(), length - used);
    Received.Append(data + used, take);
    used += take;
    if (Received.Size() == frameLength) {
        // Emptied first so that a callback that throws cannot leave the frame
        // to be decoded a second time; the bytes stay in place until the
        // buffer is next written, which no callback may do.
        const unsigned char* frame = Received.Data();
        Received.Clear();
        HandleFrame(frame);
    }
    return used;
}

size_t FTDParser::FrameLength(const unsigned char* header) {
    if (header[0] > PackageFrame) {
        Fail(InvalidFrameType);
    }
    return FrameHeaderLength + header[1] + LoadBigEndian16(header + 2);
}

void FTDParser::HandleFrame(const unsigned char* frame) {
    switch (frame[0]) {
    case PackageFrame:
        DecodePackage(frame + FrameHeaderLength + frame[1], LoadBigEndian16(frame + 2));
        break;
    case ControlFrame:
        OnHeartbeat();
        break;
    default:
        break;
    }
}

void FTDParser::DecodePackage(const unsigned char* content, size_t length) {
    Package.Clear();
    unsigned char* package;
    size_t packageLength = length;
    if (Decompress) {
        const size_t capacity = std::min(MaxExpandedLength(length), MaxPackageLength);
        package = Package.Prepare(capacity);
        switch (ExpandZeroRuns(content, length, package, capacity, packageLength)) {
        case ExpandResult::Ok:
            break;
        case ExpandResult::TrailingEscape:
            Fail(MalformedPackage);
            return;
        case ExpandResult::TooLong:
            // Longer than any header can describe, so its fields length is wrong.
            Fail(FieldsLengthMismatch);
            return;
        }
    } else {
        package = Package.Prepare(length);
        if (length > 0) {
            std::memcpy(package, content, length);
        }
    }
    // Committing exactly the package lets AddressSanitizer catch any read past it.
    Package.Commit(packageLength);
    if (packageLength < PackageHeaderLength) {
        Fail(MalformedPackage);
        return;
    }

    // Header: 01 03 0C chain series(2) transID(4) counter(4) count(2) fieldsLength(2) reqID(4).
    for (size_t offset : {4, 14, 16}) {
        SwapInPlace16(package + offset);
    }
    for (size_t offset : {6, 10, 18}) {
        SwapInPlace32(package + offset);
    }
    const uint16_t fieldCount = LoadNative<uint16_t>(package + 14);
    if (LoadNative<uint16_t>(package + 16) != packageLength - PackageHeaderLength) {
        Fail(FieldsLengthMismatch);
        return;
    }
    OnReceiveFields(LoadNative<uint16_t>(package + 4), LoadNative<uint32_t>(package + 6),
                    LoadNative<uint32_t>(package + 18), LoadNative<uint32_t>(package + 10), fieldCount);

    size_t pos = PackageHeaderLength;
    for (uint16_t i = 0; i < fieldCount; ++i) {
        if (packageLength - pos < FieldHeaderLength) {
            Fail(TruncatedFieldHeader);
            return;
        }
        unsigned char* field = package + pos;
        SwapInPlace16(field);
        SwapInPlace16(field + 2);
        const uint16_t fid = LoadNative<uint16_t>(field);
        const size_t dataLength = LoadNative<uint16_t>(field + 2);
        pos += FieldHeaderLength;
        if (dataLength > packageLength - pos) {
            Fail(FieldOverrun);
            return;
        }
        OnFieldData(fid, FindField(fid), reinterpret_cast<const char*>(package + pos), dataLength);
        pos += dataLength;
    }
    OnPackageEnd(package[1] == 0x03, package[3] == ChainLast);
}

void FTDParser::Fail(int code) {
    Resync = true;
    OnFatalError(code);
}

} // namespace FTD
} // namespace Tesmora

#pragma once

#include "FTD/ByteBuffer.h"
#include "FTD/FTDProtocol.h"
#include "FTD/FieldLayout.h"

#include <cstddef>
#include <cstdint>

namespace Tesmora {
namespace FTD {

// One outgoing FTD response or push: header values, pending fields and the
// encoded frames. Add fields, Encode, send Output's readable bytes, then
// Output.Release() (or Clear() to keep the storage for the next package).
// Several packages of one response may be encoded one after another; their
// frames collect in Output.
//
// A plain value object, owned by the code that sends it and never shared: no
// operation is thread-safe.
class FTDPackage {
public:
    FTDPackage();

    uint16_t Series = 0;  // header offset 4
    uint32_t TransID = 0; // header offset 6
    uint32_t ReqID = 0;   // header offset 18
    uint32_t Counter = 0; // header offset 10
    // Zero-run compression of each package in Encode. Every peer of the
    // protocol expects it, hence on by default.
    bool Compress = true;

    // The encoded frames: a sender transmits from the read position to the
    // write position.
    ByteBuffer Output;

    // Appends one field. A field longer than 65535 bytes has no wire form:
    // it is refused (false) and nothing is added.
    bool AddField(uint16_t fid, const void* data, uint32_t length);

    // Appends one field holding the record's wire image per layout.
    template <class Record>
    bool AddRecord(uint16_t fid, const FieldLayout<Record>& layout, const Record& record) {
        unsigned char* area = AppendField(fid, layout.Length());
        if (area == nullptr) {
            return false;
        }
        layout.Encode(record, area);
        return true;
    }

    size_t FieldCount() const { return PendingCount; }
    // Total length of the pending fields, headers included.
    size_t FieldsLength() const { return Pending.Size() - PackageHeaderLength; }
    void ClearFields();

    // Turns the pending fields into one package (chain mark 'L' when last,
    // else 'C'), compresses it if Compress is set, appends it framed to
    // Output and clears the pending fields; the header values stay.
    //
    // Returns false, and leaves Output and the pending fields as they were,
    // when the package cannot be represented: fields longer than 65535 bytes
    // together, or content (compressed or not) longer than 65535 bytes.
    [[nodiscard]] bool Encode(bool last);

private:
    // Reserves a field of length bytes and returns its zeroed data area, or
    // null when length has no wire form.
    unsigned char* AppendField(uint16_t fid, size_t length);

    // The package under construction: room for the header, then the fields,
    // so that Encode finds the whole package in one piece.
    ByteBuffer Pending;
    size_t PendingCount = 0;
};

} // namespace FTD
} // namespace Tesmora

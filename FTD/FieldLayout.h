#pragma once

#include "FTD/BigEndian.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace Tesmora {
namespace FTD {

enum class FieldKind : uint8_t {
    Text,    // char array: fixed-size, zero-padded, at most size - 1 characters
    Char,    // one character code
    Integer, // big-endian two's complement of 1, 2, 4 or 8 bytes
    Double,  // the IEEE 754 bit pattern, big-endian
};

// The wire image of one record type as a table of (offset, size, member),
// written once and used by both the encoder and the decoder, so that no
// offset of a record appears anywhere else. The kind of an entry follows from
// its member's type: char arrays are texts, char a code, other integers
// numbers, double a double.
//
//     const FieldLayout<CThostFtdcRspInfoField> RspInfo(85, {
//         {0, 4, &CThostFtdcRspInfoField::ErrorID},
//         {4, 81, &CThostFtdcRspInfoField::ErrorMsg},
//     });
//
// Wire sizes may differ from the member's: a text keeps what fits in both
// (less the terminating zero), an integer is cut to or sign-extended from the
// wire size. Bytes that no entry covers are zero on the wire, and members that
// no entry covers are zero in a decoded record.
//
// A layout is immutable once built; Encode and Decode are callable from any
// thread.
template <class Record> class FieldLayout {
    static_assert(std::is_trivially_copyable_v<Record> && std::is_standard_layout_v<Record>,
                  "layouts map plain records whose members can be addressed by byte offset");

public:
    class Entry {
    public:
        template <class Member>
        Entry(size_t offset, size_t size, Member Record::*member) : Offset(offset), Size(size) {
            // A zeroed record gives the member's byte offset without offsetof.
            static const Record probe{};
            MemberOffset = size_t(reinterpret_cast<const unsigned char*>(&(probe.*member)) -
                                  reinterpret_cast<const unsigned char*>(&probe));
            MemberSize = sizeof(Member);
            if constexpr (std::is_array_v<Member>) {
                static_assert(std::rank_v<Member> == 1 && std::is_same_v<std::remove_extent_t<Member>, char>,
                              "text members are one-dimensional char arrays");
                Kind = FieldKind::Text;
            } else if constexpr (std::is_same_v<Member, char>) {
                Kind = FieldKind::Char;
            } else if constexpr (std::is_floating_point_v<Member>) {
                static_assert(sizeof(Member) == 8, "doubles only");
                Kind = FieldKind::Double;
            } else {
                static_assert(std::is_integral_v<Member>, "members are texts, codes, integers or doubles");
                Kind = FieldKind::Integer;
                Signed = std::is_signed_v<Member>;
            }
        }

        size_t Offset; // on the wire
        size_t Size;   // on the wire
        FieldKind Kind;
        size_t MemberOffset = 0; // in the record
        size_t MemberSize = 0;   // in the record
        bool Signed = false;
    };

    // Throws std::invalid_argument for a table that cannot be right: an entry
    // beyond length, entries that overlap, or a size that does not suit the
    // member's kind. Layouts are built at start-up, so such a fault shows at once.
    FieldLayout(size_t length, std::initializer_list<Entry> entries) : WireLength(length), Entries(entries) {
        Validate();
    }

    size_t Length() const { return WireLength; }
    const std::vector<Entry>& Items() const { return Entries; }

    // Writes exactly Length() bytes to out.
    void Encode(const Record& record, unsigned char* out) const {
        std::memset(out, 0, WireLength);
        const unsigned char* base = reinterpret_cast<const unsigned char*>(&record);
        for (const Entry& e : Entries) {
            const unsigned char* member = base + e.MemberOffset;
            unsigned char* wire = out + e.Offset;
            switch (e.Kind) {
            case FieldKind::Text:
                std::memcpy(wire, member, TextLength(member, std::min(e.MemberSize, e.Size - 1)));
                break;
            case FieldKind::Char:
                *wire = *member;
                break;
            case FieldKind::Double: {
                uint64_t bits;
                std::memcpy(&bits, member, sizeof bits);
                StoreBigEndian64(wire, bits);
                break;
            }
            case FieldKind::Integer:
                StoreInteger(wire, e.Size, LoadMember(member, e.MemberSize, e.Signed));
                break;
            }
        }
    }

    std::vector<unsigned char> Encode(const Record& record) const {
        std::vector<unsigned char> bytes(WireLength);
        Encode(record, bytes.data());
        return bytes;
    }

    // Reads a field of length bytes. A field shorter than Length() reads as if
    // padded with zero bytes; nothing beyond data + length is read. A text
    // ends at its first zero byte or at the end of its wire array.
    void Decode(const void* data, size_t length, Record& record) const {
        std::memset(&record, 0, sizeof record);
        const unsigned char* in = static_cast<const unsigned char*>(data);
        unsigned char* base = reinterpret_cast<unsigned char*>(&record);
        for (const Entry& e : Entries) {
            const size_t available = e.Offset < length ? std::min(e.Size, length - e.Offset) : 0;
            if (available == 0) {
                continue;
            }
            const unsigned char* wire = in + e.Offset;
            unsigned char* member = base + e.MemberOffset;
            switch (e.Kind) {
            case FieldKind::Text:
                std::memcpy(member, wire, TextLength(wire, std::min(available, e.MemberSize - 1)));
                break;
            case FieldKind::Char:
                *member = *wire;
                break;
            case FieldKind::Double: {
                unsigned char padded[8] = {};
                std::memcpy(padded, wire, available);
                const uint64_t bits = LoadBigEndian64(padded);
                std::memcpy(member, &bits, sizeof bits);
                break;
            }
            case FieldKind::Integer: {
                unsigned char padded[8] = {};
                std::memcpy(padded, wire, available);
                StoreMember(member, e.MemberSize, LoadInteger(padded, e.Size, e.Signed));
                break;
            }
            }
        }
    }

    Record Decode(const void* data, size_t length) const {
        Record record;
        Decode(data, length, record);
        return record;
    }

private:
    void Validate() const {
        std::vector<const Entry*> sorted;
        for (const Entry& e : Entries) {
            bool sizeFits = false;
            switch (e.Kind) {
            case FieldKind::Text:
                sizeFits = e.Size >= 1 && e.MemberSize >= 1;
                break;
            case FieldKind::Char:
                sizeFits = e.Size == 1;
                break;
            case FieldKind::Double:
                sizeFits = e.Size == 8;
                break;
            case FieldKind::Integer:
                sizeFits = e.Size == 1 || e.Size == 2 || e.Size == 4 || e.Size == 8;
                break;
            }
            if (!sizeFits) {
                Fail("size does not suit the member", e);
            }
            if (e.Offset > WireLength || e.Size > WireLength - e.Offset) {
                Fail("entry ends beyond the layout's length", e);
            }
            sorted.push_back(&e);
        }
        std::sort(sorted.begin(), sorted.end(),
                  [](const Entry* a, const Entry* b) { return a->Offset < b->Offset; });
        for (size_t i = 1; i < sorted.size(); ++i) {
            if (sorted[i - 1]->Offset + sorted[i - 1]->Size > sorted[i]->Offset) {
                Fail("entry overlaps the one before it", *sorted[i]);
            }
        }
    }

    [[noreturn]] static void Fail(const char* reason, const Entry& e) {
        throw std::invalid_argument(std::string("FieldLayout: ") + reason + " (offset " +
                                    std::to_string(e.Offset) + ", size " + std::to_string(e.Size) + ")");
    }

    static int64_t LoadMember(const unsigned char* p, size_t size, bool isSigned) {
        switch (size) {
        case 1:
            return isSigned ? int64_t(int8_t(*p)) : int64_t(*p);
        case 2: {
            uint16_t v;
            std::memcpy(&v, p, sizeof v);
            return isSigned ? int64_t(int16_t(v)) : int64_t(v);
        }
        case 4: {
            uint32_t v;
            std::memcpy(&v, p, sizeof v);
            return isSigned ? int64_t(int32_t(v)) : int64_t(v);
        }
        default: {
            uint64_t v;
            std::memcpy(&v, p, sizeof v);
            return int64_t(v);
        }
        }
    }

    static void StoreMember(unsigned char* p, size_t size, int64_t value) {
        switch (size) {
        case 1:
            *p = uint8_t(value);
            break;
        case 2: {
            const uint16_t v = uint16_t(value);
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case 4: {
            const uint32_t v = uint32_t(value);
            std::memcpy(p, &v, sizeof v);
            break;
        }
        default:
            std::memcpy(p, &value, sizeof value);
            break;
        }
    }

    // The low size bytes of value, big-endian.
    static void StoreInteger(unsigned char* p, size_t size, int64_t value) {
        switch (size) {
        case 1:
            *p = uint8_t(value);
            break;
        case 2:
            StoreBigEndian16(p, uint16_t(value));
            break;
        case 4:
            StoreBigEndian32(p, uint32_t(value));
            break;
        default:
            StoreBigEndian64(p, uint64_t(value));
            break;
        }
    }

    // A big-endian number of size bytes, widened as the member's signedness says.
    static int64_t LoadInteger(const unsigned char* p, size_t size, bool isSigned) {
        switch (size) {
        case 1:
            return isSigned ? int64_t(int8_t(*p)) : int64_t(*p);
        case 2:
            return isSigned ? int64_t(int16_t(LoadBigEndian16(p))) : int64_t(LoadBigEndian16(p));
        case 4:
            return isSigned ? int64_t(int32_t(LoadBigEndian32(p))) : int64_t(LoadBigEndian32(p));
        default:
            return int64_t(LoadBigEndian64(p));
        }
    }

    // Characters before the first zero byte, at most limit.
    static size_t TextLength(const unsigned char* text, size_t limit) {
        const void* zero = std::memchr(text, 0, limit);
        return zero != nullptr ? size_t(static_cast<const unsigned char*>(zero) - text) : limit;
    }

    size_t WireLength;
    std::vector<Entry> Entries;
};

} // namespace FTD
} // namespace Tesmora

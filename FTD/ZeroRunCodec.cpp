#include "FTD/ZeroRunCodec.h"

#include <cstdint>
#include <cstring>

namespace Tesmora {
namespace FTD {

namespace {

constexpr unsigned char Escape = 0xE0;
constexpr unsigned char LongestRunByte = 0xEF;
constexpr size_t LongestRun = 15;

// Word-at-a-time scans let the stretches without zeros and without reserved
// bytes move eight bytes per step.
constexpr uint64_t Ones = 0x0101010101010101ULL;
constexpr uint64_t Highs = 0x8080808080808080ULL;

// The high bit of each zero byte, and possibly of bytes after one; the lowest
// bit set is always exact, which is all the scans use.
inline uint64_t ZeroBytes(uint64_t v) {
    return (v - Ones) & ~v & Highs;
}

// Bytes from 0xE0 to 0xEF (high nibble E), flagged the same way.
inline uint64_t ReservedBytes(uint64_t v) {
    return ZeroBytes((v ^ (0xE0 * Ones)) & (0xF0 * Ones));
}

// Index of the first flagged byte of a non-zero mask (little-endian load).
inline size_t FirstFlagged(uint64_t mask) {
    return size_t(__builtin_ctzll(mask)) / 8;
}

inline uint64_t Load64(const unsigned char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store64(unsigned char* p, uint64_t v) {
    std::memcpy(p, &v, sizeof v);
}

inline bool IsReserved(unsigned char b) {
    return (b & 0xF0) == 0xE0;
}

} // namespace

size_t CompressZeroRuns(const unsigned char* in, size_t n, unsigned char* out) {
    const unsigned char* p = in;
    const unsigned char* const end = in + n;
    unsigned char* o = out;
    while (p < end) {
        // A whole word is stored even when only its first bytes count: at
        // most 2 * (p - in) bytes are written so far and eight input bytes
        // remain, so the store stays inside the 2 * n of out.
        while (end - p >= 8) {
            const uint64_t v = Load64(p);
            const uint64_t special = ZeroBytes(v) | ReservedBytes(v);
            Store64(o, v);
            if (special != 0) {
                const size_t clean = FirstFlagged(special);
                p += clean;
                o += clean;
                break;
            }
            p += 8;
            o += 8;
        }
        if (p == end) {
            break;
        }
        const unsigned char b = *p;
        if (b == 0) {
            const unsigned char* runEnd = p + 1;
            while (end - runEnd >= 8 && Load64(runEnd) == 0) {
                runEnd += 8;
            }
            while (runEnd < end && *runEnd == 0) {
                ++runEnd;
            }
            size_t run = size_t(runEnd - p);
            for (; run > LongestRun; run -= LongestRun) {
                *o++ = LongestRunByte;
            }
            *o++ = static_cast<unsigned char>(Escape + run);
            p = runEnd;
        } else if (IsReserved(b)) {
            *o++ = Escape;
            *o++ = b;
            ++p;
        } else {
            *o++ = b;
            ++p;
        }
    }
    return size_t(o - out);
}

ExpandResult ExpandZeroRuns(const unsigned char* in, size_t n, unsigned char* out, size_t capacity,
                            size_t& length) {
    const unsigned char* p = in;
    const unsigned char* const end = in + n;
    unsigned char* o = out;
    unsigned char* const outEnd = out + capacity;
    ExpandResult result = ExpandResult::Ok;
    while (p < end) {
        while (end - p >= 8 && outEnd - o >= 8) {
            const uint64_t v = Load64(p);
            const uint64_t reserved = ReservedBytes(v);
            Store64(o, v);
            if (reserved != 0) {
                const size_t clean = FirstFlagged(reserved);
                p += clean;
                o += clean;
                break;
            }
            p += 8;
            o += 8;
        }
        if (p == end) {
            break;
        }
        const unsigned char b = *p++;
        if (b == Escape) {
            if (p == end) {
                result = ExpandResult::TrailingEscape;
                break;
            }
            if (o == outEnd) {
                result = ExpandResult::TooLong;
                break;
            }
            *o++ = *p++;
        } else if (IsReserved(b)) {
            const size_t run = size_t(b - Escape);
            if (size_t(outEnd - o) < run) {
                result = ExpandResult::TooLong;
                break;
            }
            std::memset(o, 0, run);
            o += run;
        } else {
            if (o == outEnd) {
                result = ExpandResult::TooLong;
                break;
            }
            *o++ = b;
        }
    }
    length = size_t(o - out);
    return result;
}

} // namespace FTD
} // namespace Tesmora

#pragma once

#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the byte swaps below assume a little-endian host");

namespace Tesmora {
namespace FTD {

// Unaligned big-endian loads and stores; memcpy keeps them free of aliasing
// and alignment faults and compiles to one move and one byte swap.

inline uint16_t LoadBigEndian16(const unsigned char* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return __builtin_bswap16(v);
}

inline uint32_t LoadBigEndian32(const unsigned char* p) {
    uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return __builtin_bswap32(v);
}

inline uint64_t LoadBigEndian64(const unsigned char* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return __builtin_bswap64(v);
}

inline void StoreBigEndian16(unsigned char* p, uint16_t v) {
    v = __builtin_bswap16(v);
    std::memcpy(p, &v, sizeof v);
}

inline void StoreBigEndian32(unsigned char* p, uint32_t v) {
    v = __builtin_bswap32(v);
    std::memcpy(p, &v, sizeof v);
}

inline void StoreBigEndian64(unsigned char* p, uint64_t v) {
    v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

} // namespace FTD
} // namespace Tesmora

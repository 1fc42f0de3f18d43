#pragma once

#include <cstddef>

namespace Tesmora {
namespace FTD {

// The FTD zero-run compression. A run of k zero bytes (1 <= k <= 15) becomes
// 0xE0 + k, longer runs one 0xEF per 15 zeros while more than 15 remain; a
// non-zero byte from 0xE0 to 0xEF is escaped as 0xE0 followed by the byte;
// every other byte stays. Stateless; callable from any thread.

// The longest compressed form of n bytes (every byte escaped).
constexpr size_t MaxCompressedLength(size_t n) {
    return 2 * n;
}
// The longest expansion of n compressed bytes (every byte a run of 15).
constexpr size_t MaxExpandedLength(size_t n) {
    return 15 * n;
}

// Compresses in[0, n) into out, which must hold MaxCompressedLength(n) bytes.
// Returns the compressed length.
size_t CompressZeroRuns(const unsigned char* in, size_t n, unsigned char* out);

enum class ExpandResult {
    Ok,
    TrailingEscape, // the input ends with an escape byte that has nothing to escape
    TooLong,        // the expansion would exceed the capacity given
};

// Expands in[0, n) into out, writing at most capacity bytes and reading no
// byte outside in[0, n). length receives the number of bytes written.
ExpandResult ExpandZeroRuns(const unsigned char* in, size_t n, unsigned char* out, size_t capacity,
                            size_t& length);

} // namespace FTD
} // namespace Tesmora

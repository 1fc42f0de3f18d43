#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace Tesmora {
namespace Utils {

// The text of a fixed-size CTP character field: up to its first zero byte, and
// never past the field even when the front filled it completely.
template <size_t N> std::string FieldText(const char (&field)[N]) {
    const void* zero = std::memchr(field, 0, N);
    return std::string(field, zero != nullptr ? static_cast<const char*>(zero) - field : N);
}

// Copies a text into a zero-filled CTP field: at most N - 1 characters, so the
// field always keeps its terminating zero.
template <size_t N> void CopyText(char (&field)[N], const std::string& text) {
    const size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

} // namespace Utils
} // namespace Tesmora

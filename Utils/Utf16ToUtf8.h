#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Tesmora {
namespace Utils {

// UTF-8 form of `units` little-endian UTF-16 code units. A surrogate pair gives
// one four-byte character; a surrogate without its partner gives '?'.
std::string Utf16LeToUtf8(const unsigned char* bytes, size_t units);

} // namespace Utils
} // namespace Tesmora

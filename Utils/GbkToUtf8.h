#pragma once

#include <string>

namespace Tesmora {
namespace Utils {

// UTF-8 form of a zero-terminated GBK text. Any invalid or incomplete GBK
// sequence gives the empty string, never a partial text. Stateless; callable
// from any thread.
std::string GbkToUtf8(const char* text);

} // namespace Utils
} // namespace Tesmora

#pragma once

#include <string>

namespace Tesmora {
namespace TradeApi {

// Lenient decimal conversion for configuration values and order references:
// starts at the first '-', '.' or digit, reads digits up to the first other
// character; no digits give 0. A value outside the int range gives -1 for a
// positive and 1 for a negative number.
int TextToInt(const std::string& text);

} // namespace TradeApi
} // namespace Tesmora

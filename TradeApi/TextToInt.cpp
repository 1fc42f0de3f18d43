#include "TradeApi/TextToInt.h"

#include <climits>
#include <cstdint>

namespace Tesmora {
namespace TradeApi {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int TextToInt(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    size_t pos = 0;
    while (pos < text.size() && text[pos] != '-' && text[pos] != '.' && !IsDigit(text[pos])) {
        ++pos;
    }
    if (pos == text.size()) {
        pos = 0;
    }
    bool negative = false;
    if (text[pos] == '-') {
        negative = true;
        ++pos;
    } else if (text[pos] == '+') {
        ++pos;
    }
    // Accumulating in 64 bits and checking against the int range keeps a long
    // digit string from wrapping into an unrelated value.
    const uint64_t limit = negative ? uint64_t(INT_MAX) + 1 : uint64_t(INT_MAX);
    uint64_t value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = value * 10 + uint64_t(text[pos] - '0');
        if (value > limit) {
            return negative ? 1 : -1;
        }
    }
    if (negative) {
        return value == uint64_t(INT_MAX) + 1 ? INT_MIN : -int(value);
    }
    return int(value);
}

} // namespace TradeApi
} // namespace Tesmora

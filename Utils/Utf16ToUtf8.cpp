#include "Utils/Utf16ToUtf8.h"

namespace Tesmora {
namespace Utils {

namespace {

void AppendCodePoint(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

bool IsHighSurrogate(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string Utf16LeToUtf8(const unsigned char* bytes, size_t units) {
    auto unitAt = [bytes](size_t i) { return uint16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    std::string out;
    out.reserve(units * 3);
    for (size_t i = 0; i < units; ++i) {
        const uint16_t unit = unitAt(i);
        if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
            AppendCodePoint(out, unit);
        } else if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
            AppendCodePoint(out, 0x10000 + ((uint32_t(unit) - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
            ++i;
        } else {
            out.push_back('?');
        }
    }
    return out;
}

} // namespace Utils
} // namespace Tesmora

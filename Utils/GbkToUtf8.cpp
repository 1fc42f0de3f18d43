#include "Utils/GbkToUtf8.h"

#include "Utils/Utf16ToUtf8.h"

#include <cstring>
#include <iconv.h>
#include <vector>

namespace Tesmora {
namespace Utils {

std::string GbkToUtf8(const char* text) {
    const size_t length = std::strlen(text);
    if (length == 0) {
        return std::string();
    }
    // Every GBK character becomes one UTF-16 unit, so 2L bytes always suffice.
    std::vector<unsigned char> area(2 * length);
    iconv_t cd = iconv_open("UTF-16LE", "GBK");
    if (cd == iconv_t(-1)) {
        return std::string();
    }
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char* out = reinterpret_cast<char*>(area.data());
    size_t outLeft = area.size();
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == size_t(-1)) {
        return std::string();
    }
    return Utf16LeToUtf8(area.data(), (area.size() - outLeft) / 2);
}

} // namespace Utils
} // namespace Tesmora

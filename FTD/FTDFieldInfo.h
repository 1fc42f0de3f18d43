#pragma once

#include <cstdint>
#include <string>

namespace Tesmora {
namespace FTD {

// What the program knows of one FTD field identifier, for diagnostics. Size
// is nominal only: a received field's length always comes from its own header.
struct FTDFieldInfo {
    std::string Name;        // English field name, e.g. "DepthMarketData"
    std::string Description; // UTF-8 Chinese description, e.g. "深度行情"
    int16_t Size = 0;
};

} // namespace FTD
} // namespace Tesmora

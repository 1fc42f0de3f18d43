#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace Tesmora {
namespace TradeApi {

// Markers for a value that is not set.
constexpr double UnsetDoubleValue = std::numeric_limits<double>::quiet_NaN();
constexpr int64_t UnsetInt64 = std::numeric_limits<int64_t>::min();
constexpr int32_t UnsetInt32 = std::numeric_limits<int32_t>::min();

// Where a double is tested for being set, three values count as unset: NaN, the
// largest finite double and the smallest positive normal double (markers other
// adapters and fronts use for an absent price). 0.0 and -0.0 are set.
inline bool UnsetDouble(double value) {
    return std::isnan(value) || value == std::numeric_limits<double>::max() ||
           value == std::numeric_limits<double>::min();
}

} // namespace TradeApi
} // namespace Tesmora

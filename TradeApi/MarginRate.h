#pragma once

#include "TradeApi/UnsetValues.h"

namespace Tesmora {
namespace TradeApi {

// Margin of a long and of a short position, as a ratio of the contract value
// and as an amount per lot.
class MarginRate {
public:
    MarginRate() = default;
    MarginRate(const MarginRate&) = default;
    MarginRate& operator=(const MarginRate&) = default;
    virtual ~MarginRate() = default;

    double LongRatioByMoney = UnsetDoubleValue;
    double LongRatioByVolume = UnsetDoubleValue;
    double ShortRatioByMoney = UnsetDoubleValue;
    double ShortRatioByVolume = UnsetDoubleValue;
};

} // namespace TradeApi
} // namespace Tesmora

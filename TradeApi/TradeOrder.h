#pragma once

#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace TradeApi {

// One fill.
class TradeOrder {
public:
    TradeOrder() = default;
    TradeOrder(const TradeOrder&) = default;
    TradeOrder(TradeOrder&&) = default;
    TradeOrder& operator=(const TradeOrder&) = default;
    TradeOrder& operator=(TradeOrder&&) = default;
    virtual ~TradeOrder() = default;

    std::string ExchangeID;
    std::string ReservedText1;
    std::string InstrumentID;
    std::string TradeTime;
    std::string TradingDay;
    std::string ReservedText2;
    std::string OrderID;
    std::string TradeID;
    double Price = UnsetDoubleValue;
    int64_t Volume = 0;
    int64_t Reserved8A = 0;
    int32_t Direction = DirectionType::Sell;
    int32_t OpenCloseType = TradeApi::OpenCloseType::Open;
    int32_t ReservedInt1 = 0;
    bool ReservedFlag1 = false;
    int64_t Reserved8B[3] = {0, 0, 0};
    bool ReservedFlag2 = false;
};

} // namespace TradeApi
} // namespace Tesmora

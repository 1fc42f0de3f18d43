#pragma once

#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace TradeApi {

// One market-data snapshot. Depth arrays hold twenty levels, level 1 first.
class Tick {
public:
    static constexpr int DepthLevels = 20;

    Tick() {
        for (int i = 0; i < DepthLevels; ++i) {
            BidPrice[i] = UnsetDoubleValue;
            BidVolume[i] = UnsetInt64;
            AskPrice[i] = UnsetDoubleValue;
            AskVolume[i] = UnsetInt64;
        }
        for (double& value : ReservedDoubles8) {
            value = UnsetDoubleValue;
        }
    }
    Tick(const Tick&) = default;
    Tick(Tick&&) = default;
    Tick& operator=(const Tick&) = default;
    Tick& operator=(Tick&&) = default;
    virtual ~Tick() = default;

    std::string InstrumentID;
    std::string ExchangeID;
    std::string ExchangeInstID;
    std::string ReservedText1;
    std::string TradingDay;
    std::string UpdateTime; // hh:mm:ss.ff
    std::string ReservedText2;
    int64_t Reserved8A = 0;
    int64_t Reserved8B = 0;
    int32_t ReservedInt1 = UnsetInt32;
    int32_t ReservedInt2 = UnsetInt32;
    double PreClosePrice = UnsetDoubleValue;
    double PreSettlementPrice = UnsetDoubleValue;
    double PreOpenInterest = UnsetDoubleValue;
    double UpperLimitPrice = UnsetDoubleValue;
    double LowerLimitPrice = UnsetDoubleValue;
    double PreDelta = UnsetDoubleValue;
    double CurrDelta = UnsetDoubleValue;
    double LastPrice = UnsetDoubleValue;
    int64_t LastVolume = UnsetInt64; // traded since the previous tick of the instrument
    double BidPrice[DepthLevels];
    int64_t BidVolume[DepthLevels];
    double AskPrice[DepthLevels];
    int64_t AskVolume[DepthLevels];
    double AveragePrice = UnsetDoubleValue;
    double OpenPrice = UnsetDoubleValue;
    double HighestPrice = UnsetDoubleValue;
    double LowestPrice = UnsetDoubleValue;
    double Turnover = UnsetDoubleValue;
    int64_t Volume = UnsetInt64; // cumulative for the day
    double OpenInterest = UnsetDoubleValue;
    double ClosePrice = UnsetDoubleValue;
    double SettlementPrice = UnsetDoubleValue;
    double ReservedDouble1 = UnsetDoubleValue;
    int64_t ReservedInt64A = UnsetInt64;
    double ReservedDouble2 = UnsetDoubleValue;
    int64_t ReservedInt64B = UnsetInt64;
    int64_t ReservedInt64C = UnsetInt64;
    int64_t ReservedInt64D = UnsetInt64;
    double ReservedDoubles8[8];
    int64_t ReservedInt64E = UnsetInt64;
    int64_t ReservedInt64F = UnsetInt64;
    int32_t ReservedInt3 = UnsetInt32;
    std::string ActionDay;
    int32_t Status = InstrumentStatus::Unknown; // never set by this system
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include "TradeApi/MarginRate.h"
#include "TradeApi/Tick.h"
#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace TradeApi {

// Static data of one tradable instrument, with the commission and margin rates
// merged in by the instrument query.
class Instrument {
public:
    Instrument() {
        for (double& value : ReservedDoubles9) {
            value = UnsetDoubleValue;
        }
        for (double& value : ReservedDoubles11) {
            value = UnsetDoubleValue;
        }
    }
    Instrument(const Instrument&) = default;
    Instrument(Instrument&&) = default;
    Instrument& operator=(const Instrument&) = default;
    Instrument& operator=(Instrument&&) = default;
    virtual ~Instrument() = default;

    std::string InstrumentID;
    std::string ExchangeID;
    std::string InstrumentName; // converted text
    std::string ExchangeInstID;
    std::string ProductID;
    int32_t ProductType = TradeApi::ProductType::Futures;
    std::string DeliveryYear;
    std::string DeliveryMonth;
    std::string CreateDate;
    std::string OpenDate;
    std::string ExpireDate;
    std::string StartDelivDate;
    std::string EndDelivDate;
    Tick LastTick; // never filled by this system
    int64_t MaxMarketOrderVolume = UnsetInt64;
    int64_t MinMarketOrderVolume = UnsetInt64;
    int64_t MaxLimitOrderVolume = UnsetInt64;
    int64_t MinLimitOrderVolume = UnsetInt64;
    double VolumeMultiple = 0.0;
    double PriceTick = 0.0;
    int64_t Reserved8A = 0;
    bool IsTrading = false;
    bool MaxMarginSideAlgorithm = false;
    int32_t ReservedInt1 = 1;
    double StrikePrice = UnsetDoubleValue;
    int32_t OptionsType = UnsetInt32;
    double ReservedDouble1 = UnsetDoubleValue;
    int32_t ReservedInt2 = UnsetInt32;
    int32_t ReservedInt3 = UnsetInt32;
    int64_t Reserved8B[18] = {};
    double OpenRatioByMoney = UnsetDoubleValue;
    double CloseRatioByMoney = UnsetDoubleValue;
    double CloseTodayRatioByMoney = UnsetDoubleValue;
    double OpenRatioByVolume = UnsetDoubleValue;
    double CloseRatioByVolume = UnsetDoubleValue;
    double CloseTodayRatioByVolume = UnsetDoubleValue;
    double ReservedDoubles9[9];
    MarginRate SpeculationMargin;
    MarginRate ArbitrageMargin;
    MarginRate HedgeMargin;
    int64_t Reserved8C[22] = {};
    double ReservedDoubles11[11];
    int32_t ReservedInt4 = 0;
    bool ReservedFlag1 = true;
    int32_t ReservedInt5 = 4;
    int32_t ReservedInt6 = 1;
    int64_t Reserved8D[2] = {0, 0};
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace TradeApi {

// An order or an option exercise order and its state. Members named Reserved*
// belong to the uniform interface and are carried but never touched here.
class Order {
public:
    Order() = default;
    Order(const Order&) = default;
    Order(Order&&) = default;
    Order& operator=(const Order&) = default;
    Order& operator=(Order&&) = default;
    virtual ~Order() = default;

    std::string InvestorID;
    std::string BrokerID;
    std::string ExchangeID;
    int32_t OrderKind = TradeApi::OrderKind::Normal;
    std::string ReservedText1;
    std::string InstrumentID;
    std::string InsertTime;
    std::string ReservedText2;
    std::string TradingDay;
    std::string ReservedText3;
    std::string StatusMsg; // converted text
    std::string OrderRef;
    std::string OrderID;
    int64_t FrontID = UnsetInt64;
    int64_t SessionID = UnsetInt64;
    std::string ReservedText4;
    std::string ReservedText5;
    double Price = UnsetDoubleValue;
    int64_t Volume = 0;
    int64_t NoTradedVolume = 0;
    int32_t OrderStatus = TradeApi::OrderStatus::Unknown;
    int32_t Direction = DirectionType::Sell;
    int32_t OpenCloseType = TradeApi::OpenCloseType::Open;
    int32_t PriceCond = TradeApi::PriceCond::LimitPrice;
    int32_t TimeCond = TradeApi::TimeCond::GFD;
    int32_t VolumeCond = TradeApi::VolumeCond::AnyVolume;
    int32_t HedgeType = TradeApi::HedgeType::Speculation;
    int32_t OrderType = 0;
    int32_t ActionType = TradeApi::ActionType::Insert;
    int32_t ExecResult = TradeApi::ExecResult::NoExec;
    int32_t ReservedInt1 = 0;
    int64_t Reserved8[3] = {0, 0, 0};
    int64_t MinVolume = 0;
    int32_t ReservedInt2 = 0;
};

} // namespace TradeApi
} // namespace Tesmora

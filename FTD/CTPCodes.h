#pragma once

#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstddef>
#include <cstdint>

namespace Tesmora {
namespace FTD {

// The one-character codes of CTP records and the record enumerations they map
// to, as tables read in both directions: the adapter reads fronts' reports
// with them and writes its requests; the trade proxy writes its answers.
namespace CTPCodes {

using namespace TradeApi;

struct Code {
    char Character;
    int32_t Value;
};

// The byte written for a value without a CTP code.
constexpr char NoCode = char(0xFF);

template <size_t N> constexpr int32_t Read(const Code (&table)[N], char character, int32_t fallback) {
    for (const Code& code : table) {
        if (code.Character == character) {
            return code.Value;
        }
    }
    return fallback;
}

template <size_t N> constexpr char Write(const Code (&table)[N], int32_t value, char fallback) {
    for (const Code& code : table) {
        if (code.Value == value) {
            return code.Character;
        }
    }
    return fallback;
}

constexpr Code Direction[] = {{'0', DirectionType::Buy}, {'1', DirectionType::Sell}};

constexpr Code OffsetFlag[] = {
    {'0', OpenCloseType::Open},
    {'1', OpenCloseType::Close},
    {'2', OpenCloseType::ForceClose},
    {'3', OpenCloseType::CloseToday},
    {'4', OpenCloseType::CloseYesterday},
    {'5', OpenCloseType::ForceOff},
    {'6', OpenCloseType::LocalForceClose},
};

constexpr Code OrderPriceType[] = {{'1', PriceCond::MarketPrice}, {'2', PriceCond::LimitPrice}};

constexpr Code TimeCondition[] = {
    {'1', TimeCond::IOC}, {'2', TimeCond::GFS}, {'3', TimeCond::GFD},
    {'4', TimeCond::GTD}, {'5', TimeCond::GTC}, {'6', TimeCond::GFA},
};

constexpr Code VolumeCondition[] = {
    {'1', VolumeCond::AnyVolume}, {'2', VolumeCond::MinimumVolume}, {'3', VolumeCond::AllVolume}};

// '4' (covered) reads as speculation, like every character not listed.
constexpr Code HedgeFlag[] = {{'1', HedgeType::Speculation},
                              {'2', HedgeType::Arbitrage},
                              {'3', HedgeType::Hedge},
                              {'5', HedgeType::MarketMaker}};

constexpr Code OrderStatusRead[] = {
    {'0', OrderStatus::AllTraded},
    {'1', OrderStatus::PartTradedQueueing},
    {'2', OrderStatus::PartTradedNotQueueing},
    {'3', OrderStatus::NoTradeQueueing},
    {'4', OrderStatus::NoTradeNotQueueing},
    {'5', OrderStatus::Canceled},
    {'b', OrderStatus::NotTouched},
    {'c', OrderStatus::Touched},
};

constexpr Code ActionFlag[] = {{'0', ActionType::Cancel}, {'3', ActionType::Modify}};

constexpr Code ExecResultRead[] = {
    {'n', ExecResult::NoExec},
    {'c', ExecResult::Canceled},
    {'0', ExecResult::OK},
    {'1', ExecResult::NoPosition},
    {'2', ExecResult::NoDeposit},
    {'3', ExecResult::NoParticipant},
    {'4', ExecResult::NoClient},
    {'6', ExecResult::NoInstrument},
    {'7', ExecResult::NoRight},
    {'8', ExecResult::InvalidVolume},
    {'9', ExecResult::NoEnoughHistoryTrade},
};

constexpr Code InstrumentStatusRead[] = {
    {'0', InstrumentStatus::BeforeTrading},  {'1', InstrumentStatus::NoTrading},
    {'2', InstrumentStatus::Continuous},     {'3', InstrumentStatus::AuctionOrdering},
    {'4', InstrumentStatus::AuctionBalance}, {'5', InstrumentStatus::AuctionMatch},
    {'6', InstrumentStatus::Closed},
};

// Reading: every character not listed gives the value the record would hold
// anyway. A direction other than '0' and '1' does not occur in fronts' reports;
// it reads as Sell, the record's initial value.
inline int32_t ReadDirection(char c) {
    return Read(Direction, c, DirectionType::Sell);
}
inline int32_t ReadOffsetFlag(char c) {
    return Read(OffsetFlag, c, OpenCloseType::Open);
}
inline int32_t ReadPriceType(char c) {
    return Read(OrderPriceType, c, PriceCond::LimitPrice);
}
inline int32_t ReadTimeCondition(char c) {
    return Read(TimeCondition, c, TimeCond::GFD);
}
inline int32_t ReadVolumeCondition(char c) {
    return Read(VolumeCondition, c, VolumeCond::AnyVolume);
}
inline int32_t ReadHedgeFlag(char c) {
    return Read(HedgeFlag, c, HedgeType::Speculation);
}
inline int32_t ReadOrderStatus(char c) {
    return Read(OrderStatusRead, c, OrderStatus::Unknown);
}
inline int32_t ReadActionFlag(char c) {
    return Read(ActionFlag, c, ActionType::Insert);
}
inline int32_t ReadExecResult(char c) {
    return Read(ExecResultRead, c, ExecResult::Unknown);
}
inline int32_t ReadInstrumentStatus(char c) {
    return Read(InstrumentStatusRead, c, InstrumentStatus::Unknown);
}
inline int32_t ReadProductClass(char c) {
    return c == '2' ? ProductType::Options : ProductType::Futures;
}
inline int32_t ReadOptionsType(char c) {
    return c == '1' ? OptionsType::Call : c == '2' ? OptionsType::Put : UnsetInt32;
}
inline int32_t ReadPosiDirection(char c) {
    return c == '2' ? DirectionType::Buy : DirectionType::Sell;
}

// Writing: a value without a code gives the byte 0xFF (the zero byte for a direction).
inline char WriteDirection(int32_t v) {
    return Write(Direction, v, '\0');
}
inline char WriteOffsetFlag(int32_t v) {
    return Write(OffsetFlag, v, NoCode);
}
inline char WritePriceType(int32_t v) {
    return Write(OrderPriceType, v, NoCode);
}
inline char WriteTimeCondition(int32_t v) {
    return Write(TimeCondition, v, NoCode);
}
inline char WriteVolumeCondition(int32_t v) {
    return Write(VolumeCondition, v, NoCode);
}
inline char WriteHedgeFlag(int32_t v) {
    return Write(HedgeFlag, v, NoCode);
}
inline char WriteActionFlag(int32_t v) {
    return Write(ActionFlag, v, '0');
}
inline char WriteOrderStatus(int32_t v) {
    return v >= 1 && v <= 11 ? "01234a5bcaa"[v - 1] : 'a';
}
inline char WritePosiDirection(int32_t v) {
    return v == DirectionType::Buy ? '2' : '3';
}
inline char WriteProductClass(int32_t v) {
    return v == ProductType::Futures ? '1' : '2';
}
inline char WriteBool(bool v) {
    return v ? '1' : '0';
}

} // namespace CTPCodes
} // namespace FTD
} // namespace Tesmora

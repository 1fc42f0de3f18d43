#pragma once

#include <cstdint>

namespace Tesmora {
namespace TradeApi {

// Enumerations stored as int32 in the records. The numbers are part of the
// interface; each enumeration sits in a struct so that equal names (Open,
// Close, Canceled, Unknown) of different enumerations do not collide.

struct DirectionType {
    enum Value : int32_t { Buy = 0, Sell = 1 };
};

struct OpenCloseType {
    enum Value : int32_t {
        Open = 0,
        Close = 1,
        ForceClose = 2,
        CloseToday = 3,
        CloseYesterday = 4,
        LocalForceClose = 5,
        ForceOff = 6,
    };
};

struct PriceCond {
    enum Value : int32_t { MarketPrice = 0, LimitPrice = 1 };
};

// 1 and 2 are reserved: they have no CTP equivalent.
struct TimeCond {
    enum Value : int32_t { IOC = 0, GFD = 3, GFS = 4, GTD = 5, GTC = 6, GFA = 7 };
};

struct VolumeCond {
    enum Value : int32_t { AnyVolume = 0, MinimumVolume = 1, AllVolume = 2 };
};

struct HedgeType {
    enum Value : int32_t { Speculation = 0, Arbitrage = 1, Hedge = 2, MarketMaker = 3 };
};

// 6 and 10 are not produced by this system.
struct OrderStatus {
    enum Value : int32_t {
        Rejected = 0,
        AllTraded = 1,
        PartTradedQueueing = 2,
        PartTradedNotQueueing = 3,
        NoTradeQueueing = 4,
        NoTradeNotQueueing = 5,
        Canceled = 7,
        NotTouched = 8,
        Touched = 9,
        Unknown = 11,
    };
};

struct ActionType {
    enum Value : int32_t { Insert = 0, Modify = 1, Cancel = 2 };
};

struct OrderKind {
    enum Value : int32_t { Normal = 0, Exercise = 1 };
};

struct ExecResult {
    enum Value : int32_t {
        NoExec = 0,
        Canceled = 1,
        OK = 2,
        NoPosition = 3,
        NoDeposit = 4,
        NoParticipant = 5,
        NoClient = 6,
        NoInstrument = 7,
        NoRight = 8,
        InvalidVolume = 9,
        NoEnoughHistoryTrade = 10,
        Unknown = 11,
    };
};

struct ProductType {
    enum Value : int32_t { Futures = 0, Options = 1 };
};

// Not set: the smallest int32.
struct OptionsType {
    enum Value : int32_t { Call = 1, Put = 2 };
};

struct InstrumentStatus {
    enum Value : int32_t {
        BeforeTrading = 0,
        NoTrading = 1,
        Continuous = 2,
        AuctionOrdering = 3,
        AuctionBalance = 4,
        AuctionMatch = 5,
        Closed = 7,
        Unknown = 14,
    };
};

} // namespace TradeApi
} // namespace Tesmora

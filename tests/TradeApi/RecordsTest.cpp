#include "TradeApi/Account.h"
#include "TradeApi/Instrument.h"
#include "TradeApi/Order.h"
#include "TradeApi/Position.h"
#include "TradeApi/Tick.h"
#include "TradeApi/TradeOrder.h"
#include "TradeApi/UnsetValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Tesmora::TradeApi;

TEST(Records, DefaultOrderCarriesTheInterfaceDefaults) {
    Order order;
    EXPECT_EQ(order.Direction, DirectionType::Sell);
    EXPECT_EQ(order.PriceCond, PriceCond::LimitPrice);
    EXPECT_EQ(order.TimeCond, TimeCond::GFD);
    EXPECT_EQ(order.OrderStatus, OrderStatus::Unknown);
    EXPECT_EQ(order.OrderKind, OrderKind::Normal);
    EXPECT_EQ(order.ActionType, ActionType::Insert);
    EXPECT_EQ(order.ExecResult, ExecResult::NoExec);
    EXPECT_TRUE(std::isnan(order.Price));
    EXPECT_EQ(order.Volume, 0);
    EXPECT_EQ(order.FrontID, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(order.SessionID, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(order.OrderType, 0);
}

TEST(Records, DefaultInstrumentLeavesLimitsAndRatesUnset) {
    Instrument instrument;
    for (int64_t limit : {instrument.MaxMarketOrderVolume, instrument.MinMarketOrderVolume,
                          instrument.MaxLimitOrderVolume, instrument.MinLimitOrderVolume}) {
        EXPECT_EQ(limit, UnsetInt64);
    }
    for (double rate :
         {instrument.OpenRatioByMoney, instrument.CloseRatioByMoney, instrument.CloseTodayRatioByMoney,
          instrument.OpenRatioByVolume, instrument.CloseRatioByVolume, instrument.CloseTodayRatioByVolume}) {
        EXPECT_TRUE(std::isnan(rate));
    }
    for (const MarginRate* margin :
         {&instrument.SpeculationMargin, &instrument.ArbitrageMargin, &instrument.HedgeMargin}) {
        EXPECT_TRUE(std::isnan(margin->LongRatioByMoney));
        EXPECT_TRUE(std::isnan(margin->LongRatioByVolume));
        EXPECT_TRUE(std::isnan(margin->ShortRatioByMoney));
        EXPECT_TRUE(std::isnan(margin->ShortRatioByVolume));
    }
    EXPECT_EQ(instrument.OptionsType, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(instrument.LastTick.Status, InstrumentStatus::Unknown);
    EXPECT_EQ(instrument.LastTick.Status, 14);
    EXPECT_TRUE(std::isnan(instrument.StrikePrice));
}

TEST(Records, DefaultTickHasEveryDepthLevelUnset) {
    Tick tick;
    for (int level = 0; level < Tick::DepthLevels; ++level) {
        EXPECT_TRUE(std::isnan(tick.BidPrice[level]));
        EXPECT_TRUE(std::isnan(tick.AskPrice[level]));
        EXPECT_EQ(tick.BidVolume[level], UnsetInt64);
        EXPECT_EQ(tick.AskVolume[level], UnsetInt64);
    }
    EXPECT_EQ(tick.LastVolume, UnsetInt64);
    EXPECT_EQ(tick.Volume, UnsetInt64);
}

TEST(Records, InstrumentCopyIsCompleteAndIndependent) {
    Instrument original;
    original.InstrumentID = "rb2105";
    original.InstrumentName = "螺纹钢";
    for (int level = 0; level < Tick::DepthLevels; ++level) {
        original.LastTick.BidPrice[level] = 100.0 + level;
        original.LastTick.BidVolume[level] = 10 + level;
        original.LastTick.AskPrice[level] = 200.0 + level;
        original.LastTick.AskVolume[level] = 20 + level;
    }
    original.HedgeMargin.ShortRatioByVolume = 7.5;

    Instrument copy(original);
    Instrument assigned;
    assigned = original;
    original.InstrumentID = "changed";
    original.LastTick.BidPrice[19] = -1.0;

    for (const Instrument* other : {&copy, &assigned}) {
        EXPECT_EQ(other->InstrumentID, "rb2105");
        EXPECT_EQ(other->InstrumentName, "螺纹钢");
        EXPECT_EQ(other->HedgeMargin.ShortRatioByVolume, 7.5);
        for (int level = 0; level < Tick::DepthLevels; ++level) {
            EXPECT_EQ(other->LastTick.BidPrice[level], 100.0 + level) << level;
            EXPECT_EQ(other->LastTick.BidVolume[level], 10 + level) << level;
            EXPECT_EQ(other->LastTick.AskPrice[level], 200.0 + level) << level;
            EXPECT_EQ(other->LastTick.AskVolume[level], 20 + level) << level;
        }
    }
}

TEST(Records, OtherRecordsStartAtTheirInitialValues) {
    TradeOrder trade;
    EXPECT_TRUE(std::isnan(trade.Price));
    EXPECT_EQ(trade.Direction, DirectionType::Sell);
    EXPECT_EQ(trade.OpenCloseType, OpenCloseType::Open);

    Position position;
    EXPECT_TRUE(std::isnan(position.PreSettlementPrice));
    EXPECT_EQ(position.Direction, DirectionType::Sell);

    Account account;
    EXPECT_EQ(account.Balance, 0.0);
    EXPECT_EQ(account.Available, 0.0);
}

TEST(UnsetDoubleTest, ThreeMarkersAreUnsetAndZeroesAreSet) {
    struct Case {
        double Value;
        bool Unset;
    };
    const Case cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), true},
        {1.7976931348623157e308, true},
        {2.2250738585072014e-308, true},
        {0.0, false},
        {-0.0, false},
        {3500.0, false},
        {-1.7976931348623157e308, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnsetDouble(c.Value), c.Unset) << c.Value;
    }
}

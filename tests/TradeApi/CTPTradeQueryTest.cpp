#include "TradeApi/TradeFixture.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <thread>

using namespace Tesmora::TradeApi;
using namespace Tesmora::Testing;

namespace {

using N = NotifyType;
using R = NotifyResult;

CThostFtdcOrderField CtpOrder(const char* instrument, const char* exchange, const char* ref) {
    CThostFtdcOrderField order{};
    SetText(order.InstrumentID, instrument);
    SetText(order.ExchangeID, exchange);
    SetText(order.OrderRef, ref);
    SetText(order.OrderSysID, "  1234");
    order.FrontID = 7;
    order.SessionID = 99;
    order.LimitPrice = 3500;
    order.VolumeTotalOriginal = 2;
    order.OrderStatus = '3';
    return order;
}

CThostFtdcInstrumentField CtpInstrument(const char* id) {
    CThostFtdcInstrumentField instrument{};
    SetText(instrument.InstrumentID, id);
    SetText(instrument.ExchangeID, "SHFE");
    instrument.VolumeMultiple = 10;
    return instrument;
}

} // namespace

using CTPTradeQuery = TradeFixture;

TEST_F(CTPTradeQuery, QueriesBeforeOpenAreRefusedAndRequestsCarryTheFilters) {
    Trade->QueryPosition(QueryParams());
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryPosition, R::Failed, {"ErrNotOpened"}}));
    OpenAndLogin();
    QueryParams params;
    params.ExchangeID = "SHFE";
    params.InstrumentID = "rb2105";
    Trade->QueryOrder(params);
    Trade->QueryTrade(params);
    Trade->QueryPosition(params);
    Trade->QueryAccount(params);
    const auto order = Api().Last("ReqQryOrder").As<CThostFtdcQryOrderField>();
    EXPECT_STREQ(order.BrokerID, "9999");
    EXPECT_STREQ(order.InvestorID, "1001");
    EXPECT_STREQ(order.ExchangeID, "SHFE");
    EXPECT_STREQ(order.InstrumentID, "rb2105");
    const auto trade = Api().Last("ReqQryTrade").As<CThostFtdcQryTradeField>();
    EXPECT_STREQ(trade.ExchangeID, "SHFE");
    const auto position = Api().Last("ReqQryInvestorPosition").As<CThostFtdcQryInvestorPositionField>();
    EXPECT_STREQ(position.InstrumentID, "rb2105");
    EXPECT_STREQ(position.ExchangeID, ""); // positions are not filtered by exchange
    const auto account = Api().Last("ReqQryTradingAccount").As<CThostFtdcQryTradingAccountField>();
    EXPECT_STREQ(account.InvestorID, "1001");

    Api().QueueResult("ReqQryTrade", -3);
    Trade->QueryTrade(params);
    const auto refused = Listener.Notifications().back();
    EXPECT_EQ(ToNote(refused), (Note{N::QueryTrade, R::Failed, {"ErrTooManyRequests"}}));
    EXPECT_EQ(refused.Errors[0].ProviderCode, "-3");
}

TEST_F(CTPTradeQuery, OrderQueryIsFollowedByTheExerciseOrdersOfItsLastOrder) {
    OpenAndLogin();
    Listener.Clear();
    Trade->QueryOrder(QueryParams());
    auto first = CtpOrder("rb2105", "SHFE", "1");
    auto second = CtpOrder("cu2106", "SHFE", "2");
    auto last = CtpOrder("m2109-C-3000", "DCE", "3");
    Trade->OnRspQryOrder(&first, nullptr, 1, false);
    Trade->OnRspQryOrder(&second, nullptr, 1, false);
    Trade->OnRspQryOrder(&last, nullptr, 1, true);
    EXPECT_EQ(Trade->Pauses, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(1000)}));
    EXPECT_TRUE(Listener.OrderLists.empty()); // nothing until the exercise orders are in
    const auto exec = Api().Last("ReqQryExecOrder").As<CThostFtdcQryExecOrderField>();
    EXPECT_STREQ(exec.ExchangeID, "DCE");
    EXPECT_STREQ(exec.InstrumentID, "m2109-C-3000");
    EXPECT_STREQ(exec.InvestorID, "1001");

    CThostFtdcExecOrderField exercise{};
    SetText(exercise.InstrumentID, "m2109-C-3000");
    SetText(exercise.ExecOrderRef, "8");
    exercise.ExecResult = '0';
    Trade->OnRspQryExecOrder(&exercise, nullptr, 2, true);

    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryOrder, R::Success, {}}}));
    ASSERT_EQ(Listener.OrderLists.size(), 1u);
    const auto& orders = Listener.OrderLists[0];
    ASSERT_EQ(orders.size(), 4u);
    EXPECT_EQ(orders[0].OrderRef, "1");
    EXPECT_EQ(orders[2].OrderRef, "3");
    EXPECT_EQ(orders[3].OrderKind, OrderKind::Exercise);
    EXPECT_EQ(orders[3].ExecResult, ExecResult::OK);
}

TEST_F(CTPTradeQuery, OrderQueryWithoutOrdersDeliversAnEmptyListAtOnce) {
    OpenAndLogin();
    Listener.Clear();
    Trade->QueryOrder(QueryParams());
    Trade->OnRspQryOrder(nullptr, nullptr, 1, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryOrder, R::Success, {}}}));
    ASSERT_EQ(Listener.OrderLists.size(), 1u);
    EXPECT_TRUE(Listener.OrderLists[0].empty());
    EXPECT_EQ(Api().Count("ReqQryExecOrder"), 0u);
    EXPECT_TRUE(Trade->Pauses.empty());
}

TEST_F(CTPTradeQuery, TradeQueryErrorKeepsRowsForTheNextQuery) {
    OpenAndLogin();
    Listener.Clear();
    CThostFtdcTradeField first{};
    SetText(first.TradeID, "T1");
    CThostFtdcTradeField second{};
    SetText(second.TradeID, "T2");
    auto error = RspInfo(90, "query failed");
    Trade->OnRspQryTrade(&first, nullptr, 1, false);
    Trade->OnRspQryTrade(nullptr, &error, 1, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryTrade, R::Failed, {"ErrUndefined"}}}));
    EXPECT_TRUE(Listener.TradeLists.empty());

    Trade->OnRspQryTrade(&second, nullptr, 2, true);
    ASSERT_EQ(Listener.TradeLists.size(), 1u);
    ASSERT_EQ(Listener.TradeLists[0].size(), 2u);
    EXPECT_EQ(Listener.TradeLists[0][0].TradeID, "T1");
    EXPECT_EQ(Listener.TradeLists[0][1].TradeID, "T2");
}

TEST_F(CTPTradeQuery, PositionRowsAreDeliveredOneRecordEach) {
    OpenAndLogin();
    CThostFtdcInvestorPositionField today{};
    SetText(today.InstrumentID, "rb2105");
    today.PositionDate = '1';
    today.Position = 10;
    today.TodayPosition = 4;
    today.PosiDirection = '2';
    CThostFtdcInvestorPositionField history = today;
    history.PositionDate = '2';
    Trade->OnRspQryInvestorPosition(&today, nullptr, 1, false);
    Trade->OnRspQryInvestorPosition(&history, nullptr, 1, true);
    ASSERT_EQ(Listener.PositionLists.size(), 1u);
    ASSERT_EQ(Listener.PositionLists[0].size(), 2u);
    EXPECT_EQ(Listener.PositionLists[0][0].TodayVolume, 4);
    EXPECT_EQ(Listener.PositionLists[0][0].YesterdayVolume, 6);
    EXPECT_EQ(Listener.PositionLists[0][1].TodayVolume, 0);
    EXPECT_EQ(Listener.PositionLists[0][1].YesterdayVolume, 10);
}

TEST_F(CTPTradeQuery, AccountAnswerActsOnlyOnTheLastPacket) {
    OpenAndLogin();
    Listener.Clear();
    CThostFtdcTradingAccountField early{};
    early.Balance = 1;
    CThostFtdcTradingAccountField last{};
    last.Balance = 1000000;
    last.Available = 900000;
    Trade->OnRspQryTradingAccount(&early, nullptr, 1, false);
    Trade->OnRspQryTradingAccount(&last, nullptr, 1, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryAccount, R::Success, {}}}));
    ASSERT_EQ(Listener.Accounts.size(), 1u);
    EXPECT_EQ(Listener.Accounts[0].Balance, 1000000);
    EXPECT_EQ(Listener.Accounts[0].Available, 900000);

    Trade->OnRspQryTradingAccount(nullptr, nullptr, 2, true);
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryAccount, R::Failed, {"ErrNullResponce"}}));
}

TEST_F(CTPTradeQuery, InstrumentChainMergesRatesAndGuardsAgainstOverlap) {
    OpenAndLogin();
    Listener.Clear();
    QueryParams params;
    params.InstrumentID = "rb2105";
    Trade->QueryInstrument(params);
    QueryParams other;
    other.InstrumentID = "cu2106";
    Trade->QueryInstrument(other);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryInstrument, R::Failed, {"ErrTooManyRequests"}}}));
    EXPECT_EQ(Api().Count("ReqQryInstrument"), 1u);
    EXPECT_STREQ(Api().Last("ReqQryInstrument").As<CThostFtdcQryInstrumentField>().InstrumentID, "rb2105");

    auto wanted = CtpInstrument("rb2105");
    auto unrelated = CtpInstrument("rb2110");
    Trade->OnRspQryInstrument(&unrelated, nullptr, 1, false);
    Trade->OnRspQryInstrument(&wanted, nullptr, 1, true);
    const auto margin = Api().Last("ReqQryInstrumentMarginRate").As<CThostFtdcQryInstrumentMarginRateField>();
    EXPECT_STREQ(margin.InstrumentID, "rb2105");
    EXPECT_EQ(margin.HedgeFlag, '1');
    EXPECT_STREQ(margin.InvestorID, "1001");

    CThostFtdcInstrumentMarginRateField speculation{};
    SetText(speculation.InstrumentID, "rb2105");
    speculation.HedgeFlag = '1';
    speculation.LongMarginRatioByMoney = 0.1;
    speculation.ShortMarginRatioByVolume = 5;
    CThostFtdcInstrumentMarginRateField later = speculation;
    later.LongMarginRatioByMoney = 0.9;
    CThostFtdcInstrumentMarginRateField unknownHedge = speculation;
    unknownHedge.HedgeFlag = '5';
    unknownHedge.LongMarginRatioByVolume = 77;
    Trade->OnRspQryInstrumentMarginRate(&speculation, nullptr, 2, false);
    Trade->OnRspQryInstrumentMarginRate(&later, nullptr, 2, false);
    Trade->OnRspQryInstrumentMarginRate(&unknownHedge, nullptr, 2, true);
    EXPECT_STREQ(Api()
                     .Last("ReqQryInstrumentCommissionRate")
                     .As<CThostFtdcQryInstrumentCommissionRateField>()
                     .InstrumentID,
                 "rb2105");

    auto commission = [](const char* id, double open) {
        CThostFtdcInstrumentCommissionRateField rate{};
        SetText(rate.InstrumentID, id);
        rate.OpenRatioByMoney = open;
        rate.CloseRatioByVolume = open * 10;
        return rate;
    };
    auto tooLong = commission("rb21050", 0.5); // no instrument starts with it
    auto product = commission("rb", 0.0001);
    auto exact = commission("rb2105", 0.0002); // comes second: the product's rate stays
    Trade->OnRspQryInstrumentCommissionRate(&tooLong, nullptr, 3, false);
    Trade->OnRspQryInstrumentCommissionRate(&product, nullptr, 3, false);
    Trade->OnRspQryInstrumentCommissionRate(&exact, nullptr, 3, true);

    EXPECT_EQ(Trade->Pauses, (std::vector<std::chrono::milliseconds>(3, std::chrono::milliseconds(1200))));
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryInstrument, R::Success, {}}));
    ASSERT_EQ(Listener.InstrumentLists.size(), 1u);
    ASSERT_EQ(Listener.InstrumentLists[0].size(), 1u);
    const Instrument& instrument = Listener.InstrumentLists[0][0];
    EXPECT_EQ(instrument.InstrumentID, "rb2105");
    EXPECT_EQ(instrument.VolumeMultiple, 10.0);
    EXPECT_EQ(instrument.SpeculationMargin.LongRatioByMoney, 0.1); // the first rate wins
    EXPECT_EQ(instrument.SpeculationMargin.ShortRatioByVolume, 5);
    EXPECT_TRUE(std::isnan(instrument.ArbitrageMargin.LongRatioByVolume));
    EXPECT_TRUE(std::isnan(instrument.HedgeMargin.LongRatioByVolume));
    EXPECT_EQ(instrument.OpenRatioByMoney, 0.0001);
    EXPECT_EQ(instrument.CloseRatioByVolume, 0.001);
    EXPECT_EQ(instrument.CloseTodayRatioByMoney, 0.0); // a zero from the front is a set value

    // The guard is free again.
    Trade->QueryInstrument(other);
    EXPECT_EQ(Api().Count("ReqQryInstrument"), 2u);
}

TEST_F(CTPTradeQuery, MarginErrorStillLeadsToCommissionAndDelivery) {
    OpenAndLogin();
    QueryParams params;
    params.InstrumentID = "rb2105";
    Trade->QueryInstrument(params);
    auto instrument = CtpInstrument("rb2105");
    Trade->OnRspQryInstrument(&instrument, nullptr, 1, true);
    Listener.Clear();
    auto error = RspInfo(12, "no rates");
    Trade->OnRspQryInstrumentMarginRate(nullptr, &error, 2, true);
    EXPECT_EQ(Api().Count("ReqQryInstrumentCommissionRate"), 1u);
    Trade->OnRspQryInstrumentCommissionRate(nullptr, nullptr, 3, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::QueryMarginRate, R::Failed, {"ErrUndefined"}},
                                                   {N::QueryMarginRate, R::Failed, {"ErrNullResponce"}},
                                                   {N::QueryCommissionRate, R::Failed, {"ErrNullResponce"}},
                                                   {N::QueryInstrument, R::Success, {}}}));
    ASSERT_EQ(Listener.InstrumentLists.size(), 1u);
    ASSERT_EQ(Listener.InstrumentLists[0].size(), 1u);
    EXPECT_TRUE(std::isnan(Listener.InstrumentLists[0][0].OpenRatioByMoney));
}

TEST_F(CTPTradeQuery, EmptyInstrumentQueryDeliversAnEmptyListAndDoesNotGuard) {
    OpenAndLogin();
    Trade->QueryInstrument(QueryParams());
    Trade->QueryInstrument(QueryParams()); // no guard for an empty filter
    EXPECT_EQ(Api().Count("ReqQryInstrument"), 2u);
    auto instrument = CtpInstrument("rb2105");
    Trade->OnRspQryInstrument(&instrument, nullptr, 1, true);
    Trade->OnRspQryInstrumentMarginRate(nullptr, nullptr, 2, true);
    Trade->OnRspQryInstrumentCommissionRate(nullptr, nullptr, 3, true);
    ASSERT_EQ(Listener.InstrumentLists.size(), 1u);
    EXPECT_TRUE(Listener.InstrumentLists[0].empty());
}

TEST_F(CTPTradeQuery, InstrumentErrorFreesTheGuard) {
    OpenAndLogin();
    QueryParams params;
    params.InstrumentID = "rb2105";
    Trade->QueryInstrument(params);
    auto error = RspInfo(16, "unknown instrument");
    Trade->OnRspQryInstrument(nullptr, &error, 1, true);
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryInstrument, R::Failed, {"ErrUndefined"}}));
    Trade->QueryInstrument(params);
    EXPECT_EQ(Api().Count("ReqQryInstrument"), 2u);
    // A refused request frees it too.
    Trade->OnRspQryInstrument(nullptr, nullptr, 2, true);
    Api().QueueResult("ReqQryInstrument", -3);
    Trade->QueryInstrument(params);
    Trade->QueryInstrument(params);
    EXPECT_EQ(Api().Count("ReqQryInstrument"), 4u);
}

// Close runs on the host thread while the callback thread waits inside the
// chain; the chain then stops with "ErrNotOpened" and delivers nothing.
TEST_F(CTPTradeQuery, CloseDuringAChainWaitStopsTheChain) {
    OpenAndLogin();
    std::mutex mutex;
    std::condition_variable changed;
    bool pausing = false, closed = false;
    Trade->OnPause = [&](std::chrono::milliseconds) {
        std::unique_lock<std::mutex> lock(mutex);
        pausing = true;
        changed.notify_all();
        changed.wait(lock, [&] { return closed; });
    };
    QueryParams params;
    params.InstrumentID = "rb2105";
    Trade->QueryInstrument(params);
    auto instrument = CtpInstrument("rb2105");
    std::thread callback([&] { Trade->OnRspQryInstrument(&instrument, nullptr, 1, true); });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return pausing; });
    }
    Trade->Close();
    {
        std::lock_guard<std::mutex> guard(mutex);
        closed = true;
        changed.notify_all();
    }
    callback.join();
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryInstrument, R::Failed, {"ErrNotOpened"}}));
    EXPECT_EQ(Apis.back()->Count("ReqQryInstrumentMarginRate"), 0u);
    EXPECT_TRUE(Listener.InstrumentLists.empty());

    // The same for the order chain.
    Trade->Open(Params());
    Login();
    closed = false;
    pausing = false;
    Trade->QueryOrder(QueryParams());
    auto order = CtpOrder("rb2105", "SHFE", "1");
    std::thread orders([&] { Trade->OnRspQryOrder(&order, nullptr, 1, true); });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return pausing; });
    }
    Trade->Close();
    {
        std::lock_guard<std::mutex> guard(mutex);
        closed = true;
        changed.notify_all();
    }
    orders.join();
    EXPECT_EQ(Listener.Notes().back(), (Note{N::QueryOrder, R::Failed, {"ErrNotOpened"}}));
    EXPECT_TRUE(Listener.OrderLists.empty());
}

// The whole chain on loopback: host -> adapter -> stand-in CTP API ->
// simulated front and back, and a downstream CTP program through the proxy.
#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPMarket.h"
#include "TradeApi/CTP/CTPTrade.h"
#include "ctpapi/StandInFixture.h"
#include "sim/SimFront.h"
#include "support/RawFtdClient.h"
#include "support/RecordingListeners.h"
#include "support/TempFolder.h"

#include <fstream>

using namespace Tesmora;
using namespace Tesmora::Testing;
using namespace Tesmora::TradeApi;
using N = NotifyType;
using R = NotifyResult;

namespace {

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ShortTiming();
        BasePath::Trade().Set((Folder.Path() + "/").c_str());
        BasePath::Market().Set((Folder.Path() + "/").c_str());
        Sim::SimConfig config;
        config.TradePort = 0;
        config.MarketPort = 0;
        config.TickMilliseconds = 50;
        config.Seed = 11;
        Front = std::make_unique<Sim::SimFront>(config);
        ASSERT_TRUE(Front->Start());
    }

    OpenParams Params(uint16_t port) const {
        OpenParams params;
        params.HostAddress = "tcp://127.0.0.1:" + std::to_string(port);
        params.BrokerID = "9999";
        params.UserID = "1001";
        params.Password = "123456";
        params.IsUTF8 = true;
        return params;
    }

    // The same, with the proxy on a loopback port of the system's choosing.
    OpenParams ProxiedParams(uint16_t port) const {
        OpenParams params = Params(port);
        params.Configs["Proxy.IP"] = "127.0.0.1";
        params.Configs["Proxy.Port"] = "0";
        return params;
    }

    // Issues a query until the stand-in API's one-per-second limit lets it
    // through, and waits for its outcome.
    bool Query(RecordingTradeListener& listener, int type, const std::function<void()>& issue) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const size_t before = listener.Notifications().size();
            issue();
            if (!listener.WaitFor([&] { return NotificationsOf(listener, type, before) > 0; }, 20)) {
                return false;
            }
            const auto notes = listener.Notifications();
            for (size_t i = before; i < notes.size(); ++i) {
                if (notes[i].Type != type) {
                    continue;
                }
                if (notes[i].Result == R::Success) {
                    return true;
                }
                if (notes[i].Errors.empty() || notes[i].Errors[0].Code != "ErrTooManyRequests") {
                    return false;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the front's own pace
        }
        return false;
    }

    // Caller holds listener.Mutex (inside WaitFor).
    static size_t NotificationsOf(RecordingTradeListener& listener, int type, size_t from) {
        size_t count = 0;
        for (size_t i = from; i < listener.NotifyLogUnlocked().size(); ++i) {
            count += listener.NotifyLogUnlocked()[i].Type == type;
        }
        return count;
    }

    TempFolder Folder;
    std::unique_ptr<Sim::SimFront> Front;
};

Order LimitOrder(const char* instrument, int direction, double price, int64_t volume) {
    Order order;
    order.InstrumentID = instrument;
    order.ExchangeID = "SHFE";
    order.Direction = direction;
    order.Price = price;
    order.Volume = volume;
    return order;
}

} // namespace

TEST_F(EndToEnd, HostTradesAndQueriesThroughTheAdapters) {
    RecordingTradeListener tradeListener;
    RecordingMarketListener marketListener;
    CTPTrade trade;
    CTPMarket market;
    trade.SetListener(&tradeListener);
    market.SetListener(&marketListener);
    trade.Open(Params(Front->TradePort()));
    market.Open(Params(Front->MarketPort()));
    ASSERT_TRUE(tradeListener.WaitForNotification(N::Open, R::Success));
    ASSERT_TRUE(marketListener.WaitForNotification(N::Open, R::Success));
    EXPECT_FALSE(trade.GetOpenParams().Configs.at("UserName").empty());
    EXPECT_EQ(trade.GetOpenParams().Configs.at("TradingDay").size(), 8u);

    QueryParams rb;
    rb.InstrumentID = "rb2105";
    market.Subscribe(rb);
    ASSERT_TRUE(marketListener.WaitFor([&] { return marketListener.Ticks.size() >= 2; }));
    Tick tick;
    {
        std::lock_guard<std::mutex> guard(marketListener.Mutex);
        tick = marketListener.Ticks.back();
        ASSERT_EQ(marketListener.Subscribed.size(), 1u);
    }
    EXPECT_EQ(tick.InstrumentID, "rb2105");
    EXPECT_LT(tick.BidPrice[0], tick.AskPrice[0]);

    // Account before trading.
    ASSERT_TRUE(Query(tradeListener, N::QueryAccount, [&] { trade.QueryAccount(QueryParams()); }));
    // The notification comes just before the result reaches the listener.
    ASSERT_TRUE(tradeListener.WaitFor([&] { return !tradeListener.Accounts.empty(); }));
    Account before;
    {
        std::lock_guard<std::mutex> guard(tradeListener.Mutex);
        before = tradeListener.Accounts.back();
    }
    EXPECT_GT(before.Available, 0);

    // An order at the offer fills: order and trade returns.
    Order buy = LimitOrder("rb2105", DirectionType::Buy, tick.AskPrice[0], 1);
    trade.OrderAction(buy);
    ASSERT_TRUE(tradeListener.WaitFor([&] {
        for (const auto& update : tradeListener.OrderUpdates) {
            if (update.OrderRef == buy.OrderRef && update.OrderStatus == OrderStatus::AllTraded) {
                return true;
            }
        }
        return false;
    }));
    ASSERT_TRUE(tradeListener.WaitFor([&] { return !tradeListener.TradeUpdates.empty(); }));
    TradeOrder fill;
    {
        std::lock_guard<std::mutex> guard(tradeListener.Mutex);
        fill = tradeListener.TradeUpdates.back();
    }
    EXPECT_EQ(fill.InstrumentID, "rb2105");
    EXPECT_EQ(fill.Volume, 1);
    EXPECT_EQ(fill.Direction, DirectionType::Buy);

    // A refused order: the instrument does not exist.
    Order unknown = LimitOrder("zz9999", DirectionType::Buy, 100, 1);
    trade.OrderAction(unknown);
    ASSERT_TRUE(tradeListener.WaitFor([&] {
        for (const auto& update : tradeListener.OrderUpdates) {
            if (update.OrderRef == unknown.OrderRef && update.OrderStatus == OrderStatus::Rejected) {
                return !update.StatusMsg.empty();
            }
        }
        return false;
    }));

    // A resting order, cancelled from the record its return carried.
    Order low = LimitOrder("rb2105", DirectionType::Buy, tick.BidPrice[0] - 100, 1);
    trade.OrderAction(low);
    Order resting;
    ASSERT_TRUE(tradeListener.WaitFor([&] {
        for (const auto& update : tradeListener.OrderUpdates) {
            if (update.OrderRef == low.OrderRef && update.OrderStatus == OrderStatus::NoTradeQueueing) {
                resting = update;
                return true;
            }
        }
        return false;
    }));
    resting.ActionType = ActionType::Cancel;
    trade.OrderAction(resting);
    ASSERT_TRUE(tradeListener.WaitFor([&] {
        for (const auto& update : tradeListener.OrderUpdates) {
            if (update.OrderRef == low.OrderRef && update.OrderStatus == OrderStatus::Canceled) {
                return true;
            }
        }
        return false;
    }));

    // Every query, and what the fill changed.
    ASSERT_TRUE(Query(tradeListener, N::QueryPosition, [&] { trade.QueryPosition(QueryParams()); }));
    ASSERT_TRUE(Query(tradeListener, N::QueryAccount, [&] { trade.QueryAccount(QueryParams()); }));
    ASSERT_TRUE(Query(tradeListener, N::QueryOrder, [&] { trade.QueryOrder(QueryParams()); }));
    ASSERT_TRUE(Query(tradeListener, N::QueryTrade, [&] { trade.QueryTrade(QueryParams()); }));
    ASSERT_TRUE(Query(tradeListener, N::QueryInstrument, [&] { trade.QueryInstrument(rb); }));
    ASSERT_TRUE(tradeListener.WaitFor([&] {
        return !tradeListener.PositionLists.empty() && tradeListener.Accounts.size() >= 2 &&
               !tradeListener.OrderLists.empty() && !tradeListener.TradeLists.empty() &&
               !tradeListener.InstrumentLists.empty();
    }));
    std::lock_guard<std::mutex> guard(tradeListener.Mutex);
    const auto& positions = tradeListener.PositionLists.back();
    int64_t longToday = 0;
    for (const auto& position : positions) {
        if (position.InstrumentID == "rb2105" && position.Direction == DirectionType::Buy) {
            longToday += position.TodayVolume;
        }
    }
    EXPECT_EQ(longToday, 1);
    const Account& after = tradeListener.Accounts.back();
    EXPECT_GT(after.Commission, before.Commission);
    EXPECT_GT(after.CurrMargin, before.CurrMargin);
    EXPECT_LT(after.Available, before.Available);
    EXPECT_GE(tradeListener.OrderLists.back().size(), 2u); // the refused one never became an order
    EXPECT_EQ(tradeListener.TradeLists.back().size(), 1u);
    const auto& instruments = tradeListener.InstrumentLists.back();
    ASSERT_EQ(instruments.size(), 1u);
    EXPECT_EQ(instruments[0].InstrumentID, "rb2105");
    EXPECT_FALSE(UnsetDouble(instruments[0].SpeculationMargin.LongRatioByMoney));
    EXPECT_FALSE(UnsetDouble(instruments[0].OpenRatioByMoney) &&
                 UnsetDouble(instruments[0].OpenRatioByVolume));
}

// A downstream CTP program does through the proxy what the host does directly.
TEST_F(EndToEnd, DownstreamClientTradesThroughTheProxy) {
    RecordingTradeListener hostListener;
    CTPTrade trade;
    trade.SetListener(&hostListener);
    auto params = ProxiedParams(Front->TradePort());
    trade.Open(params);
    ASSERT_TRUE(hostListener.WaitForNotification(N::Open, R::Success));
    RecordingMarketListener marketListener;
    CTPMarket market;
    market.SetListener(&marketListener);
    market.Open(Params(Front->MarketPort()));
    ASSERT_TRUE(marketListener.WaitForNotification(N::Open, R::Success));
    QueryParams rb;
    rb.InstrumentID = "rb2105";
    market.Subscribe(rb);
    ASSERT_TRUE(marketListener.WaitFor([&] { return !marketListener.Ticks.empty(); }));
    Tick tick;
    {
        std::lock_guard<std::mutex> guard(marketListener.Mutex);
        tick = marketListener.Ticks.back();
    }

    RecordingTraderSpi spi;
    CThostFtdcTraderApi* api = CThostFtdcTraderApi::CreateFtdcTraderApi("");
    api->RegisterSpi(&spi);
    api->Init();
    std::string proxy =
        "tcp://127.0.0.1:" + std::to_string(trade.GetProxyServer()->GetServer()->GetBoundPort());
    api->RegisterFront(&proxy[0]);
    ASSERT_TRUE(spi.WaitForCount("OnFrontConnected", 1));
    CThostFtdcReqUserLoginField login{};
    Utils::CopyText(login.BrokerID, "9999");
    Utils::CopyText(login.UserID, "1001");
    ASSERT_EQ(api->ReqUserLogin(&login, 1), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspUserLogin", 1));
    CThostFtdcSettlementInfoConfirmField confirm{};
    ASSERT_EQ(api->ReqSettlementInfoConfirm(&confirm, 2), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspSettlementInfoConfirm", 1));

    auto insert = [&](const char* ref, double price, int requestID) {
        CThostFtdcInputOrderField order{};
        Utils::CopyText(order.InstrumentID, "rb2105");
        Utils::CopyText(order.ExchangeID, "SHFE");
        Utils::CopyText(order.OrderRef, ref);
        order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        order.Direction = THOST_FTDC_D_Buy;
        order.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
        order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
        order.LimitPrice = price;
        order.VolumeTotalOriginal = 1;
        order.TimeCondition = THOST_FTDC_TC_GFD;
        order.VolumeCondition = THOST_FTDC_VC_AV;
        ASSERT_EQ(api->ReqOrderInsert(&order, requestID), 0);
    };
    auto returned = [&](const char* ref, char status, CThostFtdcOrderField* out = nullptr) {
        return Eventually([&] {
            for (const auto& call : spi.Named("OnRtnOrder")) {
                const auto order = call.As<CThostFtdcOrderField>();
                if (std::string(order.OrderRef) == ref && order.OrderStatus == status) {
                    if (out != nullptr) {
                        *out = order;
                    }
                    return true;
                }
            }
            return false;
        });
    };
    insert("7", tick.AskPrice[0], 3); // fills
    ASSERT_TRUE(returned("7", THOST_FTDC_OST_AllTraded));
    ASSERT_TRUE(spi.WaitForCount("OnRtnTrade", 1));
    EXPECT_EQ(spi.Named("OnRtnTrade")[0].As<CThostFtdcTradeField>().Volume, 1);

    insert("8", tick.BidPrice[0] - 100, 4); // rests
    CThostFtdcOrderField resting{};
    ASSERT_TRUE(returned("8", THOST_FTDC_OST_NoTradeQueueing, &resting));
    CThostFtdcInputOrderActionField cancel{};
    Utils::CopyText(cancel.OrderRef, "8");
    cancel.FrontID = resting.FrontID;
    cancel.SessionID = resting.SessionID;
    Utils::CopyText(cancel.OrderSysID, resting.OrderSysID);
    Utils::CopyText(cancel.ExchangeID, resting.ExchangeID);
    Utils::CopyText(cancel.InstrumentID, "rb2105");
    cancel.ActionFlag = THOST_FTDC_AF_Delete;
    cancel.LimitPrice = resting.LimitPrice;
    ASSERT_EQ(api->ReqOrderAction(&cancel, 5), 0);
    ASSERT_TRUE(returned("8", THOST_FTDC_OST_Canceled));

    // The host saw the same orders on its own listener.
    ASSERT_TRUE(hostListener.WaitFor([&] { return hostListener.TradeUpdates.size() == 1; }));

    // A query the adapter's own API refuses (one per second upstream too) is
    // never answered; the client asks again, and the answer carries the last one.
    CThostFtdcQryTradingAccountField account{};
    ASSERT_TRUE(Eventually([&] {
        return api->ReqQryTradingAccount(&account, 6) == 0 &&
               spi.WaitForCount("OnRspQryTradingAccount", 1, 2);
    }));
    const auto funds = spi.Named("OnRspQryTradingAccount")[0];
    ASSERT_TRUE(funds.HasData);
    EXPECT_GT(funds.As<CThostFtdcTradingAccountField>().Commission, 0);
    CThostFtdcQryTradeField trades{};
    ASSERT_TRUE(Eventually(
        [&] { return api->ReqQryTrade(&trades, 7) == 0 && spi.WaitForCount("OnRspQryTrade", 1, 2); }));
    EXPECT_TRUE(spi.Named("OnRspQryTrade").back().IsLast);

    // A refused order comes back to the client that sent it.
    {
        CThostFtdcInputOrderField order{};
        Utils::CopyText(order.InstrumentID, "rb2105");
        Utils::CopyText(order.OrderRef, "9");
        order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        order.Direction = THOST_FTDC_D_Buy;
        order.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
        order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
        order.LimitPrice = tick.BidPrice[0] + 0.5; // off the price grid
        order.VolumeTotalOriginal = 1;
        order.TimeCondition = THOST_FTDC_TC_GFD;
        order.VolumeCondition = THOST_FTDC_VC_AV;
        ASSERT_EQ(api->ReqOrderInsert(&order, 8), 0);
        ASSERT_TRUE(spi.WaitForCount("OnRspOrderInsert", 1));
        const auto refusal = spi.Named("OnRspOrderInsert")[0];
        EXPECT_EQ(refusal.RequestID, 8);
        EXPECT_FALSE(refusal.ErrorMsg.empty());
        EXPECT_STREQ(refusal.As<CThostFtdcInputOrderField>().OrderRef, "9");
    }

    // The remaining queries; the instruments' rates then come from the proxy itself.
    CThostFtdcQryOrderField orders{};
    ASSERT_TRUE(Eventually(
        // the filled and the cancelled order, which may come one callback at a time
        [&] { return api->ReqQryOrder(&orders, 9) == 0 && spi.WaitForCount("OnRspQryOrder", 2, 2); }));
    CThostFtdcQryInvestorPositionField positions{};
    ASSERT_TRUE(Eventually([&] {
        return api->ReqQryInvestorPosition(&positions, 10) == 0 &&
               spi.WaitForCount("OnRspQryInvestorPosition", 1, 2);
    }));
    const auto position = spi.Named("OnRspQryInvestorPosition")[0].As<CThostFtdcInvestorPositionField>();
    EXPECT_STREQ(position.InstrumentID, "rb2105");
    EXPECT_EQ(position.Position, 1);
    CThostFtdcQryInstrumentField instrument{};
    Utils::CopyText(instrument.InstrumentID, "rb2105");
    // The adapter's instrument query waits between its steps: give each attempt time.
    ASSERT_TRUE(Eventually([&] {
        return api->ReqQryInstrument(&instrument, 11) == 0 && spi.WaitForCount("OnRspQryInstrument", 1, 8);
    }));
    EXPECT_STREQ(spi.Named("OnRspQryInstrument")[0].As<CThostFtdcInstrumentField>().InstrumentID, "rb2105");
    CThostFtdcQryInstrumentMarginRateField margin{};
    ASSERT_TRUE(Eventually([&] { return api->ReqQryInstrumentMarginRate(&margin, 12) == 0; }));
    ASSERT_TRUE(spi.WaitForCount("OnRspQryInstrumentMarginRate", 1));
    EXPECT_GT(spi.Named("OnRspQryInstrumentMarginRate")[0]
                  .As<CThostFtdcInstrumentMarginRateField>()
                  .LongMarginRatioByMoney,
              0);
    CThostFtdcQryInstrumentCommissionRateField commission{};
    ASSERT_TRUE(Eventually([&] { return api->ReqQryInstrumentCommissionRate(&commission, 13) == 0; }));
    ASSERT_TRUE(spi.WaitForCount("OnRspQryInstrumentCommissionRate", 1));
    api->Release();
}

// The front goes away and comes back on the same ports: both adapters report
// the disconnection, log in again, subscribe again and report Open once more,
// while their downstream clients stay connected and receive ticks again.
TEST_F(EndToEnd, AdaptersRecoverWhenTheFrontRestarts) {
    const uint16_t tradePort = Front->TradePort();
    const uint16_t marketPort = Front->MarketPort();
    RecordingTradeListener tradeListener;
    RecordingMarketListener marketListener;
    CTPTrade trade;
    CTPMarket market;
    trade.SetListener(&tradeListener);
    market.SetListener(&marketListener);
    trade.Open(Params(tradePort));
    auto marketParams = ProxiedParams(marketPort);
    market.Open(marketParams);
    ASSERT_TRUE(tradeListener.WaitForNotification(N::Open, R::Success));
    ASSERT_TRUE(marketListener.WaitForNotification(N::Open, R::Success));
    QueryParams rb;
    rb.InstrumentID = "rb2105";
    market.Subscribe(rb);
    RawFtdClient downstream(market.GetProxyServer()->GetServer()->GetBoundPort());
    ASSERT_TRUE(downstream.WaitForPackages(1)); // a tick, without logging in

    Front->Stop();
    ASSERT_TRUE(tradeListener.WaitForNotification(N::Disconnect, R::Success));
    ASSERT_TRUE(marketListener.WaitForNotification(N::Disconnect, R::Success));
    EXPECT_FALSE(trade.IsOpened());
    EXPECT_FALSE(market.IsOpened());
    tradeListener.Clear();
    marketListener.Clear();

    Sim::SimConfig config;
    config.TradePort = tradePort;
    config.MarketPort = marketPort;
    config.TickMilliseconds = 50;
    Front = std::make_unique<Sim::SimFront>(config);
    ASSERT_TRUE(Front->Start());
    ASSERT_TRUE(tradeListener.WaitForNotification(N::Open, R::Success));
    ASSERT_TRUE(marketListener.WaitForNotification(N::Open, R::Success));
    EXPECT_TRUE(trade.IsOpened());
    ASSERT_TRUE(marketListener.WaitFor([&] { return !marketListener.Ticks.empty(); }));
    EXPECT_EQ(market.GetSubscribedInstruments().count("rb2105"), 1u);
    const size_t before = downstream.Packages.size();
    ASSERT_TRUE(downstream.WaitForPackages(before + 1));
    EXPECT_EQ(downstream.Packages.back().Package.TransID, 0xF101u);
    EXPECT_EQ(market.GetProxyServer()->SessionCount(), 1u);
}

// One downstream client stops reading while ticks keep coming: its session is
// closed at the send-queue bound, the memory of the process does not grow with
// its backlog, and the client that reads receives every tick.
TEST_F(EndToEnd, SlowDownstreamClientIsCutOffAndTheOthersKeepReceiving) {
    RecordingMarketListener listener;
    CTPMarket market;
    market.SetListener(&listener);
    auto params = ProxiedParams(Front->MarketPort());
    market.Open(params);
    ASSERT_TRUE(listener.WaitForNotification(N::Open, R::Success));
    market.SetListener(nullptr);
    constexpr size_t Limit = 256 * 1024;
    market.GetProxyServer()->GetServer()->SetSendQueueLimit(Limit);
    RawFtdClient stalled(market.GetProxyServer()->GetServer()->GetBoundPort());
    RawFtdClient reader(market.GetProxyServer()->GetServer()->GetBoundPort());
    ASSERT_TRUE(Eventually([&] { return market.GetProxyServer()->SessionCount() == 2; }));

    // Ticks injected at the adapter's callback, paced in bursts the reader keeps up with.
    CThostFtdcDepthMarketDataField depth{};
    Utils::CopyText(depth.InstrumentID, "rb2105");
    Utils::CopyText(depth.UpdateTime, "09:30:01");
    constexpr int Ticks =
        150000; // about 24 MB per client on the wire: far beyond what the kernel buffers hold
    int sent = 0;
    while (sent < Ticks) {
        for (int i = 0; i < 500; ++i, ++sent) {
            depth.Volume = sent;
            market.OnRtnDepthMarketData(&depth);
        }
        ASSERT_TRUE(reader.WaitForPackages(size_t(sent)));
    }
    ASSERT_TRUE(Eventually([&] { return market.GetProxyServer()->SessionCount() == 1; }));
    EXPECT_TRUE(stalled.Connection.ReadUntilClosed());
    EXPECT_EQ(reader.Packages.size(), size_t(Ticks));
    EXPECT_EQ(WireInt(reader.Packages.back().Package.Fields[0].second, 136),
              1); // the volume since the previous tick
}

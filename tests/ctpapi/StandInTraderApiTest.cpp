#include "ctpapi/StandInFixture.h"

#include "ThostFtdcTraderApi.h"

#include <atomic>
#include <thread>

using namespace Tesmora;
using namespace Tesmora::Testing;
using namespace Tesmora::FTD;

namespace {

class StandInTrader : public ::testing::Test {
protected:
    void SetUp() override { Connect(); }

    void Connect(int keepAliveMilliseconds = 5000) {
        ShortTiming(keepAliveMilliseconds);
        Api = CThostFtdcTraderApi::CreateFtdcTraderApi("");
        Api->RegisterSpi(&Spi);
        Api->SubscribePrivateTopic(THOST_TERT_QUICK);
        Api->SubscribePublicTopic(THOST_TERT_RESUME);
        Api->Init();
        std::string address = Front.Address();
        Api->RegisterFront(&address[0]);
        ASSERT_TRUE(Spi.WaitForCount("OnFrontConnected", 1));
        // The client may see its connection before the front has taken it.
        const int accepted = ++Accepted;
        ASSERT_TRUE(Front.WaitFor([&] { return Front.Connections >= accepted; }));
    }

    void TearDown() override {
        if (Api != nullptr) {
            Api->Release();
        }
    }

    SentPackage Expect(uint32_t transID, size_t from = 0) {
        SentPackage package;
        EXPECT_TRUE(Front.WaitForPackage(transID, package, from)) << std::hex << transID;
        return package;
    }

    ScriptedFront Front;
    RecordingTraderSpi Spi;
    CThostFtdcTraderApi* Api = nullptr;
    int Accepted = 0;
};

CThostFtdcOrderField SomeOrder(const char* ref) {
    CThostFtdcOrderField order{};
    Utils::CopyText(order.InstrumentID, "rb2105");
    Utils::CopyText(order.OrderRef, ref);
    Utils::CopyText(order.StatusMsg, "queued");
    order.LimitPrice = 3500.5;
    order.VolumeTotalOriginal = 4;
    order.FrontID = 3;
    order.SessionID = -77;
    order.OrderStatus = '3';
    return order;
}

} // namespace

TEST_F(StandInTrader, LoginGoesOutWithTopicModesAndItsAnswerArrivesWhole) {
    CThostFtdcReqUserLoginField request{};
    Utils::CopyText(request.TradingDay, "20261211");
    Utils::CopyText(request.BrokerID, "9999");
    Utils::CopyText(request.UserID, "1001");
    Utils::CopyText(request.Password, "secret");
    ASSERT_EQ(Api->ReqUserLogin(&request, 7), 0);

    const SentPackage sent = Expect(TransId::LoginRequest);
    EXPECT_EQ(sent.ReqID, 7u);
    const auto* login = sent.Field(Fid::ReqUserLogin);
    ASSERT_NE(login, nullptr);
    ASSERT_EQ(login->size(), 188u);
    EXPECT_EQ(WireText(*login, 0, 9), "20261211");
    EXPECT_EQ(WireText(*login, 9, 11), "9999");
    EXPECT_EQ(WireText(*login, 20, 16), "1001");
    EXPECT_EQ(WireText(*login, 36, 41), "secret");
    const auto* privateTopic = sent.Field(Fid::Dissemination, 0);
    const auto* publicTopic = sent.Field(Fid::Dissemination, 1);
    ASSERT_NE(privateTopic, nullptr);
    ASSERT_NE(publicTopic, nullptr);
    EXPECT_EQ(LoadBigEndian16(privateTopic->data()), 2);
    EXPECT_EQ(WireInt(*privateTopic, 2), THOST_TERT_QUICK);
    EXPECT_EQ(LoadBigEndian16(publicTopic->data()), 3);
    EXPECT_EQ(WireInt(*publicTopic, 2), THOST_TERT_RESUME);

    CThostFtdcRspUserLoginField answer{};
    Utils::CopyText(answer.TradingDay, "20261211");
    Utils::CopyText(answer.LoginTime, "09:15:00");
    Utils::CopyText(answer.BrokerID, "9999");
    Utils::CopyText(answer.UserID, "1001");
    Utils::CopyText(answer.SystemName, "Simulated Front");
    answer.FrontID = 3;
    answer.SessionID = -123456;
    Utils::CopyText(answer.MaxOrderRef, "000123");
    Utils::CopyText(answer.SHFETime, "09:15:01");
    Utils::CopyText(answer.DCETime, "09:15:02");
    Utils::CopyText(answer.CZCETime, "09:15:03");
    Utils::CopyText(answer.FFEXTime, "09:15:04");
    Utils::CopyText(answer.INETime, "09:15:05");
    auto package = Answer(TransId::LoginAnswer, 7, Series::Session);
    package.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
    package.AddRecord(Fid::RspUserLogin, RspUserLoginLayout(), answer);
    Front.Send(package);

    ASSERT_TRUE(Spi.WaitForCount("OnRspUserLogin", 1));
    const SpiCall call = Spi.Named("OnRspUserLogin")[0];
    EXPECT_EQ(call.RequestID, 7);
    EXPECT_TRUE(call.IsLast);
    EXPECT_TRUE(call.HasRspInfo);
    EXPECT_EQ(call.ErrorID, 0);
    EXPECT_EQ(call.ErrorMsg, "CTP:No Error");
    EXPECT_NE(call.Thread, std::this_thread::get_id());
    const auto got = call.As<CThostFtdcRspUserLoginField>();
    EXPECT_STREQ(got.TradingDay, "20261211");
    EXPECT_STREQ(got.LoginTime, "09:15:00");
    EXPECT_STREQ(got.BrokerID, "9999");
    EXPECT_STREQ(got.UserID, "1001");
    EXPECT_STREQ(got.SystemName, "Simulated Front");
    EXPECT_EQ(got.FrontID, 3);
    EXPECT_EQ(got.SessionID, -123456);
    EXPECT_STREQ(got.MaxOrderRef, "000123");
    EXPECT_STREQ(got.SHFETime, "09:15:01");
    EXPECT_STREQ(got.DCETime, "09:15:02");
    EXPECT_STREQ(got.CZCETime, "09:15:03");
    EXPECT_STREQ(got.FFEXTime, "09:15:04");
    EXPECT_STREQ(got.INETime, "09:15:05");
    EXPECT_STREQ(Api->GetTradingDay(), "20261211");
}

TEST_F(StandInTrader, AnswersInSeveralPackagesEndWithOneLastCallback) {
    CThostFtdcQryOrderField query{};
    Utils::CopyText(query.InstrumentID, "rb2105");
    Utils::CopyText(query.ExchangeID, "SHFE");
    ASSERT_EQ(Api->ReqQryOrder(&query, 11), 0);
    const SentPackage sent = Expect(TransId::QryOrderRequest);
    const auto* field = sent.Field(Fid::QryOrder);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(WireText(*field, 24, 31), "rb2105");
    EXPECT_EQ(WireText(*field, 55, 9), "SHFE");

    // A second query within the interval is refused and sends nothing.
    const size_t before = Front.PackageCount();
    CThostFtdcQryTradingAccountField account{};
    EXPECT_EQ(Api->ReqQryTradingAccount(&account, 12), -3);

    auto first = Answer(TransId::QryOrderAnswer, 11, Series::Query);
    first.AddRecord(Fid::Order, OrderLayout(), SomeOrder("1"));
    first.AddRecord(Fid::Order, OrderLayout(), SomeOrder("2"));
    Front.Send(first, false);
    auto second = Answer(TransId::QryOrderAnswer, 11, Series::Query);
    second.AddRecord(Fid::Order, OrderLayout(), SomeOrder("3"));
    Front.Send(second);
    ASSERT_TRUE(Spi.WaitForCount("OnRspQryOrder", 3));
    const auto calls = Spi.Named("OnRspQryOrder");
    EXPECT_FALSE(calls[0].IsLast);
    EXPECT_FALSE(calls[1].IsLast);
    EXPECT_TRUE(calls[2].IsLast);
    for (const auto& call : calls) {
        EXPECT_EQ(call.RequestID, 11);
        EXPECT_FALSE(call.HasRspInfo);
    }
    const auto order = calls[2].As<CThostFtdcOrderField>();
    EXPECT_STREQ(order.OrderRef, "3");
    EXPECT_STREQ(order.StatusMsg, "queued");
    EXPECT_EQ(order.LimitPrice, 3500.5);
    EXPECT_EQ(order.SessionID, -77);
    EXPECT_EQ(order.OrderStatus, '3');
    EXPECT_EQ(Front.PackageCount(), before);

    // Once the interval has passed, a query without rows gets one null callback.
    ASSERT_TRUE(Eventually([&] { return Api->ReqQryTradingAccount(&account, 13) == 0; }));
    auto empty = Answer(TransId::QryAccountAnswer, 13, Series::Query);
    Front.Send(empty);
    ASSERT_TRUE(Spi.WaitForCount("OnRspQryTradingAccount", 1));
    const auto none = Spi.Named("OnRspQryTradingAccount")[0];
    EXPECT_FALSE(none.HasData);
    EXPECT_TRUE(none.IsLast);
    EXPECT_EQ(none.RequestID, 13);
}

TEST_F(StandInTrader, ErrorsReturnsAndRefusalsReachTheirCallbacks) {
    CThostFtdcRspInfoField refused{};
    refused.ErrorID = 42;
    Utils::CopyText(refused.ErrorMsg, "settlement not ready");
    CThostFtdcSettlementInfoConfirmField confirm{};
    Utils::CopyText(confirm.BrokerID, "9999");
    auto answer = Answer(TransId::SettlementConfirmAnswer, 3);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), refused);
    answer.AddRecord(Fid::SettlementInfoConfirm, SettlementInfoConfirmLayout(), confirm);
    Front.Send(answer);

    auto error = Answer(TransId::ErrorAnswer, 4);
    error.AddRecord(Fid::RspInfo, RspInfoLayout(), refused);
    Front.Send(error);

    auto orderReturn = Answer(TransId::OrderReturn, 0, Series::PrivateFlow);
    orderReturn.AddRecord(Fid::Order, OrderLayout(), SomeOrder("9"));
    Front.Send(orderReturn);
    CThostFtdcTradeField trade{};
    Utils::CopyText(trade.TradeID, "T1");
    trade.Direction = '1';
    trade.Price = 3499;
    trade.Volume = 2;
    auto tradeReturn = Answer(TransId::TradeReturn, 0, Series::PrivateFlow);
    tradeReturn.AddRecord(Fid::Trade, TradeLayout(), trade);
    Front.Send(tradeReturn);

    ASSERT_TRUE(Spi.WaitForCount("OnRtnTrade", 1));
    const auto calls = Spi.Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[1].Name, "OnRspSettlementInfoConfirm");
    EXPECT_EQ(calls[1].ErrorID, 42);
    EXPECT_EQ(calls[1].ErrorMsg, "settlement not ready");
    EXPECT_STREQ(calls[1].As<CThostFtdcSettlementInfoConfirmField>().BrokerID, "9999");
    EXPECT_EQ(calls[2].Name, "OnRspError");
    EXPECT_EQ(calls[2].RequestID, 4);
    EXPECT_EQ(calls[2].ErrorID, 42);
    EXPECT_EQ(calls[3].Name, "OnRtnOrder");
    EXPECT_STREQ(calls[3].As<CThostFtdcOrderField>().OrderRef, "9");
    EXPECT_EQ(calls[4].Name, "OnRtnTrade");
    const auto fill = calls[4].As<CThostFtdcTradeField>();
    EXPECT_STREQ(fill.TradeID, "T1");
    EXPECT_EQ(fill.Direction, '1');
    EXPECT_EQ(fill.Price, 3499);
    EXPECT_EQ(fill.Volume, 2);
}

// The bytes of each request as the proxy reads them, offset by offset.
TEST_F(StandInTrader, RequestsCarryTheFieldsWhereTheProxyReadsThem) {
    CThostFtdcInputOrderField order{};
    Utils::CopyText(order.BrokerID, "9999");
    Utils::CopyText(order.InvestorID, "1001");
    Utils::CopyText(order.InstrumentID, "rb2105");
    Utils::CopyText(order.OrderRef, "13");
    order.OrderPriceType = '2';
    order.Direction = '0';
    order.CombOffsetFlag[0] = '3';
    order.CombHedgeFlag[0] = '1';
    order.LimitPrice = 3501.5;
    order.VolumeTotalOriginal = 7;
    order.TimeCondition = '3';
    order.VolumeCondition = '2';
    order.MinVolume = 2;
    order.ContingentCondition = '1';
    order.ForceCloseReason = '0';
    Utils::CopyText(order.ExchangeID, "SHFE");
    ASSERT_EQ(Api->ReqOrderInsert(&order, 21), 0);
    SentPackage sent = Expect(TransId::OrderInsertRequest);
    EXPECT_EQ(sent.ReqID, 21u);
    const auto* insert = sent.Field(Fid::InputOrder);
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->size(), 261u);
    EXPECT_EQ(WireText(*insert, 0, 11), "9999");
    EXPECT_EQ(WireText(*insert, 11, 13), "1001");
    EXPECT_EQ(WireText(*insert, 24, 31), "rb2105");
    EXPECT_EQ(WireText(*insert, 55, 13), "13");
    EXPECT_EQ((*insert)[84], '2');
    EXPECT_EQ((*insert)[85], '0');
    EXPECT_EQ((*insert)[86], '3');
    EXPECT_EQ((*insert)[91], '1');
    EXPECT_EQ(WireDouble(*insert, 96), 3501.5);
    EXPECT_EQ(WireInt(*insert, 104), 7);
    EXPECT_EQ((*insert)[108], '3');
    EXPECT_EQ((*insert)[118], '2');
    EXPECT_EQ(WireInt(*insert, 119), 2);
    EXPECT_EQ((*insert)[123], '1');
    EXPECT_EQ((*insert)[132], '0');
    EXPECT_EQ(WireText(*insert, 170, 9), "SHFE");

    CThostFtdcInputOrderActionField action{};
    Utils::CopyText(action.OrderRef, "13");
    action.FrontID = 3;
    action.SessionID = -77;
    Utils::CopyText(action.ExchangeID, "SHFE");
    Utils::CopyText(action.OrderSysID, "   4567");
    action.ActionFlag = '0';
    action.LimitPrice = 3501.5;
    action.VolumeChange = 1;
    Utils::CopyText(action.InstrumentID, "rb2105");
    ASSERT_EQ(Api->ReqOrderAction(&action, 22), 0);
    sent = Expect(TransId::OrderActionRequest);
    const auto* cancel = sent.Field(Fid::InputOrderAction);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(WireText(*cancel, 28, 13), "13");
    EXPECT_EQ(WireInt(*cancel, 45), 3);
    EXPECT_EQ(WireInt(*cancel, 49), -77);
    EXPECT_EQ(WireText(*cancel, 53, 9), "SHFE");
    EXPECT_EQ(WireText(*cancel, 62, 21), "   4567");
    EXPECT_EQ((*cancel)[83], '0');
    EXPECT_EQ(WireDouble(*cancel, 84), 3501.5);
    EXPECT_EQ(WireInt(*cancel, 92), 1);
    EXPECT_EQ(WireText(*cancel, 112, 31), "rb2105");

    CThostFtdcSettlementInfoConfirmField confirm{};
    Utils::CopyText(confirm.BrokerID, "9999");
    Utils::CopyText(confirm.InvestorID, "1001");
    ASSERT_EQ(Api->ReqSettlementInfoConfirm(&confirm, 23), 0);
    sent = Expect(TransId::SettlementConfirmRequest);
    const auto* settlement = sent.Field(Fid::SettlementInfoConfirm);
    ASSERT_NE(settlement, nullptr);
    EXPECT_EQ(settlement->size(), 42u);
    EXPECT_EQ(WireText(*settlement, 11, 13), "1001");

    CThostFtdcQryInstrumentField instrument{};
    Utils::CopyText(instrument.InstrumentID, "rb2105");
    Utils::CopyText(instrument.ExchangeID, "SHFE");
    Utils::CopyText(instrument.ExchangeInstID, "rb2105x");
    Utils::CopyText(instrument.ProductID, "rb");
    ASSERT_EQ(Api->ReqQryInstrument(&instrument, 24), 0);
    sent = Expect(TransId::QryInstrumentRequest);
    const auto* qry = sent.Field(Fid::QryInstrument);
    ASSERT_NE(qry, nullptr);
    EXPECT_EQ(WireText(*qry, 0, 31), "rb2105");
    EXPECT_EQ(WireText(*qry, 31, 9), "SHFE");
    EXPECT_EQ(WireText(*qry, 40, 31), "rb2105x");
    EXPECT_EQ(WireText(*qry, 71, 31), "rb");

    CThostFtdcQryInvestorPositionField position{};
    Utils::CopyText(position.InstrumentID, "cu2106");
    ASSERT_TRUE(Eventually([&] { return Api->ReqQryInvestorPosition(&position, 25) == 0; }));
    sent = Expect(TransId::QryPositionRequest);
    EXPECT_EQ(WireText(*sent.Field(Fid::QryInvestorPosition), 24, 31), "cu2106");

    CThostFtdcQryTradeField trade{};
    Utils::CopyText(trade.InstrumentID, "au2112");
    Utils::CopyText(trade.ExchangeID, "SHFE");
    ASSERT_TRUE(Eventually([&] { return Api->ReqQryTrade(&trade, 26) == 0; }));
    sent = Expect(TransId::QryTradeRequest);
    EXPECT_EQ(WireText(*sent.Field(Fid::QryTrade), 24, 31), "au2112");
    EXPECT_EQ(WireText(*sent.Field(Fid::QryTrade), 55, 9), "SHFE");
}

TEST_F(StandInTrader, FrontClosingDisconnectsAndTheApiConnectsAgain) {
    auto orderReturn = Answer(TransId::OrderReturn, 0, Series::PrivateFlow);
    orderReturn.AddRecord(Fid::Order, OrderLayout(), SomeOrder("1"));
    Front.Send(orderReturn);
    Front.CloseClient();
    ASSERT_TRUE(Spi.WaitForCount("OnFrontConnected", 2));
    const auto calls = Spi.Calls();
    size_t disconnected = calls.size();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].Name == "OnFrontDisconnected") {
            EXPECT_EQ(calls[i].Reason, 0x1001);
            disconnected = i;
            break;
        }
    }
    ASSERT_LT(disconnected, calls.size());
    // Nothing of the old connection after its disconnection: only the reconnection follows.
    ASSERT_EQ(calls.size(), disconnected + 2);
    EXPECT_EQ(calls.back().Name, "OnFrontConnected");
    EXPECT_TRUE(Front.WaitFor([&] { return Front.Connections == 2; }));
}

TEST_F(StandInTrader, FrontThatStopsAnsweringKeepAlivesIsDetected) {
    Api->Release();
    Api = nullptr;
    Front.AnswerKeepAlive = false;
    Connect(50);
    ASSERT_TRUE(Spi.WaitForCount("OnFrontDisconnected", 1));
    EXPECT_EQ(Spi.Named("OnFrontDisconnected")[0].Reason, 0x2001);
    EXPECT_TRUE(Front.WaitFor([&] { return Front.KeepAlives >= 2; }));
    Front.AnswerKeepAlive = true;
    ASSERT_TRUE(Spi.WaitForCount("OnFrontConnected", 3));
}

TEST_F(StandInTrader, RequestsWithoutAConnectionAreRefused) {
    CThostFtdcTraderApi* idle = CThostFtdcTraderApi::CreateFtdcTraderApi("");
    CThostFtdcReqUserLoginField login{};
    CThostFtdcQryOrderField query{};
    CThostFtdcInputOrderField order{};
    EXPECT_EQ(idle->ReqUserLogin(&login, 1), -1);
    EXPECT_EQ(idle->ReqQryOrder(&query, 2), -1);
    EXPECT_EQ(idle->ReqOrderInsert(&order, 3), -1);
    EXPECT_EQ(Api->ReqOrderInsert(nullptr, 4), -1);
    idle->Release();
}

TEST_F(StandInTrader, ReleaseDuringABurstStopsEveryCallback) {
    auto burst = [&](int count) {
        for (int i = 0; i < count; ++i) {
            auto orderReturn = Answer(TransId::OrderReturn, 0, Series::PrivateFlow);
            orderReturn.AddRecord(Fid::Order, OrderLayout(), SomeOrder(std::to_string(i).c_str()));
            Front.Send(orderReturn);
        }
    };
    burst(2000);
    ASSERT_TRUE(Spi.WaitForCount("OnRtnOrder", 10));
    Api->Release();
    Api = nullptr;
    const size_t seen = Spi.Calls().size();
    // The front sees the connection end, which follows the release; by then and
    // after more sends, nothing more may have reached the callback object.
    ASSERT_TRUE(Eventually([&] { return Front.Server.GetThreadLoads() == std::vector<int>{0}; }));
    burst(10);
    EXPECT_EQ(Spi.Calls().size(), seen);
}

TEST_F(StandInTrader, ReleaseFromInsideACallbackDoesNotDeadlock) {
    std::atomic<int> returns{0};
    std::atomic<bool> released{false};
    Spi.Hook = [&](const SpiCall& call) {
        if (call.Name == "OnRtnOrder" && ++returns == 5) {
            Api->Release();
            released = true;
        }
    };
    for (int i = 0; i < 50; ++i) {
        auto orderReturn = Answer(TransId::OrderReturn, 0, Series::PrivateFlow);
        orderReturn.AddRecord(Fid::Order, OrderLayout(), SomeOrder("1"));
        Front.Send(orderReturn);
    }
    ASSERT_TRUE(Eventually([&] { return released.load(); }));
    Api = nullptr;
    // The callback that released is over once its call is recorded; the thread
    // touches nothing of the test after that.
    ASSERT_TRUE(Spi.WaitForCount("OnRtnOrder", 5));
    ASSERT_TRUE(Eventually([&] { return Front.Server.GetThreadLoads() == std::vector<int>{0}; }));
    EXPECT_EQ(returns.load(), 5);
}

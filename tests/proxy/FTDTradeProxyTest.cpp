#include "FTD/CTPFields.h"
#include "FTD/FTDTradeProxyServer.h"
#include "FTD/TransIds.h"
#include "ctpapi/StandInFixture.h"
#include "proxy/ProxyFakes.h"
#include "support/RawFtdClient.h"

#include <gtest/gtest.h>

using namespace Tesmora;
using namespace Tesmora::FTD;
using namespace Tesmora::Testing;
using Tesmora::TradeApi::Order;

namespace {

FTDPackage Request(uint32_t transID, uint32_t reqID) {
    FTDPackage package;
    package.Series = Series::Dialogue;
    package.TransID = transID;
    package.ReqID = reqID;
    return package;
}

template <class Record>
FTDPackage RequestWith(uint32_t transID, uint32_t reqID, uint16_t fid, const FieldLayout<Record>& layout,
                       const Record& record) {
    FTDPackage package = Request(transID, reqID);
    package.AddRecord(fid, layout, record);
    return package;
}

CThostFtdcInputOrderField InputOrder(const char* clientRef, char direction = '0') {
    CThostFtdcInputOrderField field{};
    Utils::CopyText(field.BrokerID, "9999");
    Utils::CopyText(field.InvestorID, "1001");
    Utils::CopyText(field.InstrumentID, "rb2105");
    Utils::CopyText(field.OrderRef, clientRef);
    Utils::CopyText(field.ExchangeID, "SHFE");
    field.OrderPriceType = '2';
    field.Direction = direction;
    field.CombOffsetFlag[0] = '0';
    field.CombHedgeFlag[0] = '1';
    field.LimitPrice = 3500;
    field.VolumeTotalOriginal = 2;
    field.TimeCondition = '3';
    field.VolumeCondition = '1';
    return field;
}

class TradeProxy : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Proxy.Listen("127.0.0.1", 0)); }

    uint16_t Port() { return Proxy.GetServer()->GetBoundPort(); }

    std::unique_ptr<RawFtdClient> Connect() {
        auto client = std::make_unique<RawFtdClient>(Port());
        const size_t expected = ++Clients;
        EXPECT_TRUE(Eventually([&] { return Proxy.SessionCount() == expected; }));
        return client;
    }

    // Sends a request and waits until the fake adapter has seen `queries` queries.
    void Query(RawFtdClient& client, uint32_t transID, uint32_t reqID, uint16_t fid, size_t queries) {
        auto package = Request(transID, reqID);
        const std::vector<unsigned char> empty(64, 0);
        package.AddField(fid, empty.data(), uint32_t(empty.size()));
        client.Send(package);
        ASSERT_TRUE(Eventually([&] { return Trade.QueriesSeen().size() == queries; }));
    }

    // Inserts an order and waits until the fake adapter has it.
    void Insert(RawFtdClient& client, const char* clientRef, uint32_t reqID, size_t orders) {
        auto package = RequestWith(TransId::OrderInsertRequest, reqID, Fid::InputOrder, InputOrderLayout(),
                                   InputOrder(clientRef));
        client.Send(package);
        ASSERT_TRUE(Eventually([&] { return Trade.OrdersSeen().size() == orders; }));
    }

    FakeTrade Trade;
    FTDTradeProxyServer Proxy{&Trade};
    size_t Clients = 0;
};

Order AdapterOrder(const char* ref, TradeApi::OrderKind::Value kind = TradeApi::OrderKind::Normal) {
    Order order;
    order.OrderRef = ref;
    order.OrderKind = kind;
    order.InstrumentID = "rb2105";
    order.OrderStatus = TradeApi::OrderStatus::NoTradeQueueing;
    order.Price = 3500;
    order.Volume = 2;
    order.NoTradedVolume = 2;
    order.FrontID = 5;
    order.SessionID = 6;
    return order;
}

} // namespace

TEST_F(TradeProxy, LoginIsAnsweredWithTheFlowsAnnouncedUnderTheSameCounter) {
    auto client = Connect();
    CThostFtdcReqUserLoginField login{};
    Utils::CopyText(login.TradingDay, "20261211");
    Utils::CopyText(login.BrokerID, "9999");
    Utils::CopyText(login.UserID, "1001");
    Utils::CopyText(login.Password, "anything");
    for (int round = 0; round < 2; ++round) {
        auto request = RequestWith(TransId::LoginRequest, 3, Fid::ReqUserLogin, ReqUserLoginLayout(), login);
        client->Send(request);
    }
    ASSERT_TRUE(client->WaitForPackages(4));
    const auto& answer = client->Packages[0];
    EXPECT_EQ(answer.Package.TransID, 0x3001u);
    EXPECT_EQ(answer.Package.ReqID, 3u);
    EXPECT_EQ(answer.Counter, 0u);
    ASSERT_EQ(answer.Package.Fields.size(), 2u);
    EXPECT_EQ(answer.Package.Fields[0].second.size(), 85u);
    EXPECT_EQ(WireText(answer.Package.Fields[0].second, 4, 81), "CTP:No Error");
    const auto& rsp = answer.Package.Fields[1].second;
    ASSERT_EQ(rsp.size(), 152u);
    EXPECT_EQ(WireText(rsp, 0, 9), "20261211");
    EXPECT_EQ(WireText(rsp, 18, 11), "9999");
    EXPECT_EQ(WireText(rsp, 29, 16), "1001");
    EXPECT_EQ(WireInt(rsp, 86), 0);

    const auto& flows = client->Packages[1];
    EXPECT_EQ(flows.Package.TransID, 0xF102u);
    EXPECT_EQ(flows.Package.ReqID, 0u);
    EXPECT_EQ(flows.Counter, 0u);
    ASSERT_EQ(flows.Package.Fields.size(), 4u);
    const int16_t series[] = {1, 2, 3, 4};
    const int32_t numbers[] = {0, 100, 0, 0};
    for (size_t i = 0; i < 4; ++i) {
        const auto& field = flows.Package.Fields[i].second;
        EXPECT_EQ(flows.Package.Fields[i].first, Fid::Dissemination);
        EXPECT_EQ(int16_t(LoadBigEndian16(field.data())), series[i]);
        EXPECT_EQ(WireInt(field, 2), numbers[i]);
    }
    EXPECT_EQ(client->Packages[2].Counter, 1u);
    EXPECT_EQ(client->Packages[3].Counter, 1u);
}

TEST_F(TradeProxy, ConfirmationStartsPushesAt101AndQueriesAt1) {
    auto client = Connect();
    CThostFtdcSettlementInfoConfirmField confirm{};
    Utils::CopyText(confirm.BrokerID, "9999");
    Utils::CopyText(confirm.InvestorID, "1001");
    Utils::CopyText(confirm.ConfirmDate, "20261211");
    auto request = RequestWith(TransId::SettlementConfirmRequest, 4, Fid::SettlementInfoConfirm,
                               SettlementInfoConfirmLayout(), confirm);
    client->Send(request);
    ASSERT_TRUE(client->WaitForPackages(1));
    const auto& answer = client->Packages[0];
    EXPECT_EQ(answer.Package.TransID, 0x4014u);
    EXPECT_EQ(answer.Package.Series, 1);
    EXPECT_EQ(answer.Package.ReqID, 4u);
    EXPECT_EQ(answer.Package.Fields[0].second, SettlementInfoConfirmLayout().Encode(confirm));

    Insert(*client, "1", 5, 1);
    const Order inserted = Trade.OrdersSeen()[0];
    EXPECT_EQ(inserted.InstrumentID, "rb2105");
    EXPECT_EQ(inserted.ExchangeID, "SHFE");
    EXPECT_EQ(inserted.Direction, TradeApi::DirectionType::Buy);
    EXPECT_EQ(inserted.Price, 3500);
    EXPECT_EQ(inserted.Volume, 2);
    Proxy.OnOrderReturn(AdapterOrder("91"));
    ASSERT_TRUE(client->WaitForPackages(2));
    const auto& push = client->Packages[1];
    EXPECT_EQ(push.Package.TransID, 0xF001u);
    EXPECT_EQ(push.Package.Series, 2);
    EXPECT_EQ(push.Counter, 101u);
    const auto& order = push.Package.Fields[0].second;
    ASSERT_EQ(order.size(), 635u);
    EXPECT_EQ(WireText(order, 55, 13), "1"); // the reference the client knows
    EXPECT_EQ(WireText(order, 24, 31), "rb2105");
    EXPECT_EQ(order[302], '3');
    EXPECT_EQ(WireInt(order, 402), 5);
    EXPECT_EQ(WireInt(order, 406), 6);

    Query(*client, TransId::QryAccountRequest, 6, Fid::QryTradingAccount, 1);
    TradeApi::Account account;
    account.Balance = 1000000;
    account.Available = 800000;
    Proxy.OnQueryAccount(account);
    ASSERT_TRUE(client->WaitForPackages(3));
    const auto& funds = client->Packages[2];
    EXPECT_EQ(funds.Package.TransID, 0x8007u);
    EXPECT_EQ(funds.Counter, 1u);
    EXPECT_EQ(funds.Package.ReqID, 6u);
    EXPECT_EQ(WireDouble(funds.Package.Fields[0].second, 160), 1000000);
    EXPECT_EQ(WireDouble(funds.Package.Fields[0].second, 168), 800000);
}

TEST_F(TradeProxy, AnswersComeFiveRecordsToAPackage) {
    auto client = Connect();
    Query(*client, TransId::QryTradeRequest, 7, Fid::QryTrade, 1);
    std::vector<TradeApi::TradeOrder> trades(12);
    for (size_t i = 0; i < trades.size(); ++i) {
        trades[i].TradeID = "T" + std::to_string(i);
        trades[i].Direction = TradeApi::DirectionType::Buy;
        trades[i].Volume = 1;
    }
    Proxy.OnQueryTrade(trades);
    ASSERT_TRUE(client->WaitForPackages(3));
    const size_t sizes[] = {5, 5, 2};
    for (size_t i = 0; i < 3; ++i) {
        const auto& package = client->Packages[i];
        EXPECT_EQ(package.Package.TransID, 0x8003u);
        EXPECT_EQ(package.Package.ReqID, 7u);
        EXPECT_EQ(package.Package.Fields.size(), sizes[i]);
        EXPECT_EQ(package.Package.IsLast, i == 2);
        EXPECT_EQ(package.Counter, client->Packages[0].Counter + i);
    }
    EXPECT_EQ(WireText(client->Packages[2].Package.Fields[1].second, 93, 21), "T11");
    EXPECT_EQ(client->Packages[2].Package.Fields[1].second[114], '0');

    // The answer cleared the pending query: another result reaches nobody.
    Proxy.OnQueryTrade(trades);
    Query(*client, TransId::QryOrderRequest, 8, Fid::QryOrder, 2);
    Proxy.OnQueryOrder({});
    ASSERT_TRUE(client->WaitForPackages(4));
    const auto& empty = client->Packages[3];
    EXPECT_EQ(empty.Package.TransID, 0x8001u);
    EXPECT_TRUE(empty.Package.Fields.empty());
    EXPECT_TRUE(empty.Package.IsLast);
}

TEST_F(TradeProxy, TheLaterOfTwoQueriesOfOneKindIsAnswered) {
    auto client = Connect();
    Query(*client, TransId::QryAccountRequest, 7, Fid::QryTradingAccount, 1);
    Query(*client, TransId::QryAccountRequest, 8, Fid::QryTradingAccount, 2);
    Proxy.OnQueryAccount(TradeApi::Account());
    Proxy.OnQueryAccount(TradeApi::Account());
    Query(*client, TransId::QryExecOrderRequest, 9, Fid::QryExecOrder, 2); // answered at once, nothing held
    ASSERT_TRUE(client->WaitForPackages(2));
    EXPECT_EQ(client->Packages[0].Package.TransID, 0x8007u);
    EXPECT_EQ(client->Packages[0].Package.ReqID, 8u);
    const auto& exec = client->Packages[1].Package;
    EXPECT_EQ(exec.TransID, 0x8307u);
    EXPECT_EQ(exec.ReqID, 9u);
    EXPECT_TRUE(exec.Fields.empty());
    EXPECT_TRUE(exec.IsLast);
}

TEST_F(TradeProxy, ReturnsGoToTheSessionsThatKnowTheOrderAndFillsToAll) {
    auto first = Connect();
    auto second = Connect();
    Insert(*first, "17", 3, 1);
    Proxy.OnOrderReturn(AdapterOrder("91"));
    Proxy.OnOrderReturn(AdapterOrder("12345")); // nobody knows it
    TradeApi::TradeOrder fill;
    fill.TradeID = "T1";
    Proxy.OnTradeReturn(fill);
    Order refused = AdapterOrder("91");
    refused.StatusMsg = "rejected by the exchange";
    refused.OrderStatus = TradeApi::OrderStatus::Rejected;
    Proxy.OnOrderAction(refused);

    ASSERT_TRUE(first->WaitForPackages(3));
    ASSERT_TRUE(second->WaitForPackages(1));
    EXPECT_EQ(first->Packages[0].Package.TransID, 0xF001u);
    EXPECT_EQ(first->Packages[1].Package.TransID, 0xF002u);
    const auto& refusal = first->Packages[2].Package;
    EXPECT_EQ(refusal.TransID, 0x4001u);
    EXPECT_EQ(refusal.ReqID, 3u); // the client's insert request
    EXPECT_EQ(WireText(*refusal.Field(Fid::RspInfo), 4, 81), "rejected by the exchange");
    EXPECT_EQ(WireInt(*refusal.Field(Fid::RspInfo), 0), 0);
    EXPECT_EQ(WireText(*refusal.Field(Fid::InputOrder), 55, 13), "17");
    EXPECT_EQ(refusal.Field(Fid::InputOrder)->size(), 261u);
    EXPECT_EQ(second->Packages[0].Package.TransID, 0xF002u);
    EXPECT_EQ(second->Packages.size(), 1u);
}

TEST_F(TradeProxy, OrderQueryTeachesReferencesAndHoldsExerciseOrdersBack) {
    auto client = Connect();
    Query(*client, TransId::QryOrderRequest, 4, Fid::QryOrder, 1);
    Proxy.OnQueryOrder({AdapterOrder("55"), AdapterOrder("77", TradeApi::OrderKind::Exercise)});
    ASSERT_TRUE(client->WaitForPackages(1));
    ASSERT_EQ(client->Packages[0].Package.Fields.size(), 1u);
    EXPECT_EQ(WireText(client->Packages[0].Package.Fields[0].second, 55, 13), "55");

    Query(*client, TransId::QryExecOrderRequest, 5, Fid::QryExecOrder, 1);
    ASSERT_TRUE(client->WaitForPackages(2));
    const auto& exec = client->Packages[1].Package;
    EXPECT_EQ(exec.TransID, 0x8307u);
    ASSERT_EQ(exec.Fields.size(), 1u);
    EXPECT_EQ(exec.Fields[0].second.size(), 501u);
    EXPECT_EQ(WireText(exec.Fields[0].second, 55, 13), "77");

    Proxy.OnOrderReturn(AdapterOrder("55"));
    ASSERT_TRUE(client->WaitForPackages(3));
    EXPECT_EQ(client->Packages[2].Package.TransID, 0xF001u);
}

TEST_F(TradeProxy, CancelIsMappedBackToTheAdaptersReference) {
    auto client = Connect();
    Insert(*client, "17", 3, 1);
    CThostFtdcInputOrderActionField action{};
    Utils::CopyText(action.OrderRef, "17");
    action.ActionFlag = '0';
    action.FrontID = 5;
    action.SessionID = 6;
    Utils::CopyText(action.OrderSysID, "  88");
    Utils::CopyText(action.InstrumentID, "rb2105");
    action.LimitPrice = 3500;
    auto request =
        RequestWith(TransId::OrderActionRequest, 4, Fid::InputOrderAction, InputOrderActionLayout(), action);
    client->Send(request);
    ASSERT_TRUE(Eventually([&] { return Trade.OrdersSeen().size() == 2; }));
    const Order cancel = Trade.OrdersSeen()[1];
    EXPECT_EQ(cancel.ActionType, TradeApi::ActionType::Cancel);
    EXPECT_EQ(cancel.OrderRef, "91");
    EXPECT_EQ(cancel.OrderID, "  88");
    EXPECT_EQ(cancel.FrontID, 5);
    EXPECT_EQ(cancel.SessionID, 6);
}

TEST_F(TradeProxy, RatesAreAnsweredFromTheLastInstrumentAnswer) {
    auto client = Connect();
    Query(*client, TransId::QryInstrumentRequest, 4, Fid::QryInstrument, 1);
    TradeApi::Instrument instrument;
    instrument.InstrumentID = "rb2105";
    instrument.VolumeMultiple = 10.9;
    instrument.HedgeMargin.LongRatioByMoney = 0.2;
    instrument.HedgeMargin.ShortRatioByVolume = 3;
    instrument.SpeculationMargin.LongRatioByMoney = 0.1;
    instrument.OpenRatioByMoney = 0.0001;
    Proxy.OnQueryInstrument({instrument});
    ASSERT_TRUE(client->WaitForPackages(1));
    EXPECT_EQ(WireInt(client->Packages[0].Package.Fields[0].second, 148), 10);

    for (uint16_t fid : {Fid::QryInstrumentMarginRate, Fid::QryInstrumentCommissionRate}) {
        auto request = Request(fid == Fid::QryInstrumentMarginRate ? TransId::QryMarginRateRequest
                                                                   : TransId::QryCommissionRateRequest,
                               fid);
        const std::vector<unsigned char> empty(56, 0);
        request.AddField(fid, empty.data(), uint32_t(empty.size()));
        client->Send(request);
    }
    ASSERT_TRUE(client->WaitForPackages(3));
    const auto& margin = client->Packages[1].Package;
    EXPECT_EQ(margin.TransID, 0x800Fu);
    EXPECT_EQ(margin.ReqID, Fid::QryInstrumentMarginRate);
    ASSERT_EQ(margin.Fields[0].second.size(), 93u);
    EXPECT_EQ(margin.Fields[0].second[56], '3'); // hedge rates are set, arbitrage ones are not
    EXPECT_EQ(WireDouble(margin.Fields[0].second, 57), 0.2);
    EXPECT_EQ(WireDouble(margin.Fields[0].second, 81), 3);
    const auto& commission = client->Packages[2].Package;
    EXPECT_EQ(commission.TransID, 0x8011u);
    ASSERT_EQ(commission.Fields[0].second.size(), 104u);
    EXPECT_EQ(WireDouble(commission.Fields[0].second, 56), 0.0001);
}

TEST_F(TradeProxy, AuthenticationAndLogoutGetNoAnswer) {
    auto client = Connect();
    CThostFtdcReqAuthenticateField authenticate{};
    auto first = RequestWith(TransId::AuthenticateRequest, 1, Fid::ReqAuthenticate, ReqAuthenticateLayout(),
                             authenticate);
    client->Send(first);
    CThostFtdcUserLogoutField logout{};
    auto second = RequestWith(TransId::LogoutRequest, 2, Fid::UserLogout, UserLogoutLayout(), logout);
    client->Send(second);
    CThostFtdcReqUserLoginField login{};
    auto third = RequestWith(TransId::LoginRequest, 3, Fid::ReqUserLogin, ReqUserLoginLayout(), login);
    client->Send(third);
    ASSERT_TRUE(client->WaitForPackages(2));
    EXPECT_EQ(client->Packages[0].Package.TransID, 0x3001u); // the first answer is the login's
    EXPECT_EQ(client->Packages[0].Package.ReqID, 3u);
}

TEST_F(TradeProxy, MalformedInputLeavesTheProxyServingEveryone) {
    auto bad = Connect();
    auto good = Connect();
    // Random bytes, a frame of type 7, short fields of every kind the session reads,
    // and an order with a direction no record can hold.
    bad->SendRaw({0x07, 0x00, 0x00, 0x02, 0xAB, 0xCD});
    bad->SendRaw(std::vector<unsigned char>{0x02, 0x00, 0x00, 0x05, 0xE0, 0xE0, 0xEF, 0x01, 0xE0});
    for (uint16_t fid : {Fid::ReqUserLogin, Fid::Dissemination, Fid::SettlementInfoConfirm, Fid::InputOrder,
                         Fid::InputOrderAction, Fid::QryOrder, Fid::QryTrade, Fid::QryInvestorPosition,
                         Fid::QryTradingAccount, Fid::QryInstrument, Fid::QryInstrumentMarginRate,
                         Fid::QryInstrumentCommissionRate, Fid::QryExecOrder}) {
        auto request = Request(0x1234, 1);
        const unsigned char shortField[3] = {'1', '2', '3'};
        request.AddField(fid, shortField, sizeof shortField);
        bad->Send(request);
    }
    auto unknownDirection = RequestWith(TransId::OrderInsertRequest, 2, Fid::InputOrder, InputOrderLayout(),
                                        InputOrder("5", '7'));
    bad->Send(unknownDirection);
    CThostFtdcInputOrderActionField unknownAction{};
    unknownAction.ActionFlag = '1';
    Utils::CopyText(unknownAction.InstrumentID, "rb2105");
    auto badAction = RequestWith(TransId::OrderActionRequest, 3, Fid::InputOrderAction,
                                 InputOrderActionLayout(), unknownAction);
    bad->Send(badAction);

    CThostFtdcReqUserLoginField login{};
    auto request = RequestWith(TransId::LoginRequest, 9, Fid::ReqUserLogin, ReqUserLoginLayout(), login);
    good->Send(request);
    ASSERT_TRUE(good->WaitForPackages(2));
    EXPECT_EQ(good->Packages[0].Package.ReqID, 9u);
    EXPECT_EQ(Proxy.SessionCount(), 2u);
    // The bad client is still served too, and no order with an unknown direction went through.
    auto again = RequestWith(TransId::LoginRequest, 10, Fid::ReqUserLogin, ReqUserLoginLayout(), login);
    bad->Send(again);
    ASSERT_TRUE(Eventually([&] {
        bad->WaitForPackages(bad->Packages.size() + 1, 1);
        for (const auto& package : bad->Packages) {
            if (package.Package.ReqID == 10u) {
                return true;
            }
        }
        return false;
    }));
    // Neither the short order and action fields (direction and flag zero), nor
    // the unknown direction, nor the unknown action flag reached the adapter.
    EXPECT_TRUE(Trade.OrdersSeen().empty());
}

TEST_F(TradeProxy, DisconnectingClientLeavesTheListOnceAndDestructionClosesTheRest) {
    auto leaving = Connect();
    auto staying = Connect();
    testing::internal::CaptureStdout();
    leaving->Connection.Close();
    ASSERT_TRUE(Eventually([&] { return Proxy.SessionCount() == 1; }));
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace, "* OnDisconnect\n");
    Proxy.OnTradeReturn(TradeApi::TradeOrder()); // reaches the one left
    ASSERT_TRUE(staying->WaitForPackages(1));

    auto proxy = std::make_unique<FTDTradeProxyServer>(&Trade);
    ASSERT_TRUE(proxy->Listen("127.0.0.1", 0));
    RawFtdClient client(proxy->GetServer()->GetBoundPort());
    ASSERT_TRUE(Eventually([&] { return proxy->SessionCount() == 1; }));
    proxy.reset();
    EXPECT_TRUE(client.Connection.ReadUntilClosed());
}

TEST_F(TradeProxy, ControlFramesAreAnsweredWithKeepAlives) {
    auto client = Connect();
    client->SendRaw({0x00, 0x02, 0x00, 0x00, 0x05, 0x00});
    EXPECT_TRUE(client->WaitForKeepAlive());
}

// A program written against the CTP API logs in through the proxy, inserts an
// order and receives its return under its own reference.
TEST_F(TradeProxy, StandInClientTradesThroughTheProxy) {
    ShortTiming();
    RecordingTraderSpi spi;
    CThostFtdcTraderApi* api = CThostFtdcTraderApi::CreateFtdcTraderApi("");
    api->RegisterSpi(&spi);
    api->Init();
    std::string address = "tcp://127.0.0.1:" + std::to_string(Port());
    api->RegisterFront(&address[0]);
    ASSERT_TRUE(spi.WaitForCount("OnFrontConnected", 1));
    ASSERT_TRUE(Eventually([&] { return Proxy.SessionCount() == 1; }));

    CThostFtdcReqUserLoginField login{};
    Utils::CopyText(login.BrokerID, "9999");
    Utils::CopyText(login.UserID, "1001");
    ASSERT_EQ(api->ReqUserLogin(&login, 1), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspUserLogin", 1));
    EXPECT_STREQ(spi.Named("OnRspUserLogin")[0].As<CThostFtdcRspUserLoginField>().UserID, "1001");
    CThostFtdcSettlementInfoConfirmField confirm{};
    ASSERT_EQ(api->ReqSettlementInfoConfirm(&confirm, 2), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspSettlementInfoConfirm", 1));

    CThostFtdcInputOrderField order = InputOrder("100");
    ASSERT_EQ(api->ReqOrderInsert(&order, 3), 0);
    ASSERT_TRUE(Eventually([&] { return Trade.OrdersSeen().size() == 1; }));
    Proxy.OnOrderReturn(AdapterOrder("91"));
    ASSERT_TRUE(spi.WaitForCount("OnRtnOrder", 1));
    const auto pushed = spi.Named("OnRtnOrder")[0].As<CThostFtdcOrderField>();
    EXPECT_STREQ(pushed.OrderRef, "100");
    EXPECT_EQ(pushed.OrderStatus, '3');
    api->Release();
}

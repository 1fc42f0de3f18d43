#include "sim/SimClients.h"
#include "support/RawFtdClient.h"

#include "FTD/BigEndian.h"
#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"

using namespace Tesmora;
using namespace Tesmora::Testing;
using namespace Tesmora::FTD;

namespace {

class SimWire : public ::testing::Test {
protected:
    SimWire() : Front(TestConfig()) {}
    void SetUp() override { ASSERT_TRUE(Front.Start()); }

    static FTDPackage Request(uint32_t transID, uint16_t series, uint32_t reqID) {
        FTDPackage package;
        package.Series = series;
        package.TransID = transID;
        package.ReqID = reqID;
        return package;
    }

    static void Login(RawFtdClient& client, const char* password = "123456") {
        CThostFtdcReqUserLoginField login{};
        Utils::CopyText(login.BrokerID, "9999");
        Utils::CopyText(login.UserID, "1001");
        Utils::CopyText(login.Password, password);
        FTDPackage package = Request(TransId::LoginRequest, Series::Dialogue, 5);
        package.AddRecord(Fid::ReqUserLogin, ReqUserLoginLayout(), login);
        package.AddRecord(Fid::Dissemination, DisseminationLayout(), DisseminationField{2, 2});
        package.AddRecord(Fid::Dissemination, DisseminationLayout(), DisseminationField{3, 2});
        client.Send(package);
    }

    static CThostFtdcRspInfoField RspInfo(const SentPackage& package) {
        const auto* field = package.Field(Fid::RspInfo);
        EXPECT_NE(field, nullptr);
        return field != nullptr ? RspInfoLayout().Decode(field->data(), field->size())
                                : CThostFtdcRspInfoField{};
    }

    Sim::SimFront Front;
};

} // namespace

TEST_F(SimWire, BothPortsAnswerEveryKeepAlive) {
    for (uint16_t port : {Front.TradePort(), Front.MarketPort()}) {
        RawFtdClient client(port);
        for (int i = 1; i <= 2; ++i) {
            client.SendRaw(
                std::vector<unsigned char>(KeepAliveFrame, KeepAliveFrame + sizeof KeepAliveFrame));
            EXPECT_TRUE(client.WaitForKeepAlive());
            client.KeepAlives = 0;
        }
    }
}

TEST_F(SimWire, TheLoginAnswerIsFollowedByTheFlowAnnouncement) {
    RawFtdClient client(Front.TradePort());
    Login(client);
    ASSERT_TRUE(client.WaitForPackages(2));
    const SentPackage& answer = client.Packages[0].Package;
    EXPECT_EQ(answer.TransID, TransId::LoginAnswer);
    EXPECT_EQ(answer.Series, Series::Session);
    EXPECT_EQ(answer.ReqID, 5u);
    EXPECT_TRUE(answer.IsLast);
    EXPECT_EQ(RspInfo(answer).ErrorID, 0);
    ASSERT_NE(answer.Field(Fid::RspUserLogin), nullptr);
    EXPECT_EQ(answer.Field(Fid::RspUserLogin)->size(), 152u);

    const SentPackage& flows = client.Packages[1].Package;
    EXPECT_EQ(flows.TransID, TransId::Dissemination);
    EXPECT_EQ(flows.ReqID, 0u);
    const std::pair<int16_t, int32_t> expected[] = {{1, 0}, {2, 100}, {3, 0}, {4, 0}};
    ASSERT_EQ(flows.Fields.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const auto field =
            DisseminationLayout().Decode(flows.Fields[i].second.data(), flows.Fields[i].second.size());
        EXPECT_EQ(field.SequenceSeries, expected[i].first);
        EXPECT_EQ(field.SequenceNo, expected[i].second);
    }
}

TEST_F(SimWire, ListsGoFiveRecordsToAPackageAndAnEmptyListIsOneLastPackage) {
    RawFtdClient client(Front.TradePort());
    Login(client);
    ASSERT_TRUE(client.WaitForPackages(2));
    const auto quote = [&] {
        CThostFtdcDepthMarketDataField q{};
        Front.CurrentQuote("rb2105", q);
        return q;
    }();
    for (int i = 0; i < 6; ++i) {
        CThostFtdcInputOrderField order{};
        Utils::CopyText(order.InstrumentID, "rb2105");
        Utils::CopyText(order.OrderRef, std::to_string(i + 1));
        order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        order.Direction = THOST_FTDC_D_Buy;
        order.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
        order.LimitPrice = quote.BidPrice1 - i;
        order.VolumeTotalOriginal = 1;
        order.TimeCondition = THOST_FTDC_TC_GFD;
        order.VolumeCondition = THOST_FTDC_VC_AV;
        FTDPackage package = Request(TransId::OrderInsertRequest, Series::Dialogue, 10 + i);
        package.AddRecord(Fid::InputOrder, InputOrderLayout(), order);
        client.Send(package);
    }
    ASSERT_TRUE(client.WaitForPackages(2 + 6)) << "one order return each";
    for (size_t i = 2; i < 8; ++i) {
        EXPECT_EQ(client.Packages[i].Package.TransID, TransId::OrderReturn);
        EXPECT_EQ(client.Packages[i].Package.Series, Series::PrivateFlow);
        EXPECT_EQ(client.Packages[i].Counter, 101 + (i - 2))
            << "the private flow goes on from the announced 100";
    }

    FTDPackage orders = Request(TransId::QryOrderRequest, Series::Query, 30);
    orders.AddRecord(Fid::QryOrder, QryOrderLayout(), CThostFtdcQryOrderField{});
    client.Send(orders);
    ASSERT_TRUE(client.WaitForPackages(10));
    EXPECT_EQ(client.Packages[8].Package.TransID, TransId::QryOrderAnswer);
    EXPECT_EQ(client.Packages[8].Package.ReqID, 30u);
    EXPECT_EQ(client.Packages[8].Package.Fields.size(), 5u);
    EXPECT_FALSE(client.Packages[8].Package.IsLast);
    EXPECT_EQ(client.Packages[9].Package.Fields.size(), 1u);
    EXPECT_TRUE(client.Packages[9].Package.IsLast);

    FTDPackage trades = Request(TransId::QryTradeRequest, Series::Query, 31);
    trades.AddRecord(Fid::QryTrade, QryTradeLayout(), CThostFtdcQryTradeField{});
    client.Send(trades);
    ASSERT_TRUE(client.WaitForPackages(11));
    EXPECT_EQ(client.Packages[10].Package.TransID, TransId::QryTradeAnswer);
    EXPECT_TRUE(client.Packages[10].Package.Fields.empty());
    EXPECT_TRUE(client.Packages[10].Package.IsLast);
}

TEST_F(SimWire, NothingIsServedBeforeALoginAndUnknownRequestsAreRefused) {
    RawFtdClient market(Front.MarketPort());
    FTDPackage subscribe = Request(TransId::SubscribeRequest, Series::Session, 3);
    CThostFtdcSpecificInstrumentField instrument{};
    Utils::CopyText(instrument.InstrumentID, "rb2105");
    subscribe.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), instrument);
    market.Send(subscribe);
    ASSERT_TRUE(market.WaitForPackages(1));
    EXPECT_EQ(market.Packages[0].Package.TransID, TransId::SubscribeAnswer);
    EXPECT_EQ(RspInfo(market.Packages[0].Package).ErrorID, 4);

    RawFtdClient trade(Front.TradePort());
    CThostFtdcInputOrderField order{};
    Utils::CopyText(order.InstrumentID, "rb2105");
    FTDPackage insert = Request(TransId::OrderInsertRequest, Series::Dialogue, 4);
    insert.AddRecord(Fid::InputOrder, InputOrderLayout(), order);
    trade.Send(insert);
    FTDPackage unknown = Request(0x7777, Series::Dialogue, 6);
    trade.Send(unknown);
    ASSERT_TRUE(trade.WaitForPackages(2));
    EXPECT_EQ(trade.Packages[0].Package.TransID, TransId::OrderInsertAnswer);
    EXPECT_EQ(RspInfo(trade.Packages[0].Package).ErrorID, 4);
    EXPECT_NE(trade.Packages[0].Package.Field(Fid::InputOrder), nullptr) << "the refused order comes back";
    EXPECT_EQ(trade.Packages[1].Package.TransID, TransId::ErrorAnswer);
    EXPECT_EQ(trade.Packages[1].Package.ReqID, 6u);
    EXPECT_NE(RspInfo(trade.Packages[1].Package).ErrorID, 0);
}

TEST(SimFrontLifecycle, StartRefusesABusyPortAndASecondStart) {
    Sim::SimFront first(TestConfig());
    ASSERT_TRUE(first.Start());
    EXPECT_FALSE(first.Start());
    Sim::SimConfig clash = TestConfig();
    clash.MarketPort = first.TradePort();
    Sim::SimFront second(clash);
    EXPECT_FALSE(second.Start());
    EXPECT_EQ(second.TradePort(), 0);
    second.Stop();
    Sim::SimConfig nonsense = TestConfig();
    nonsense.Address = "not an address";
    EXPECT_FALSE(Sim::SimFront(nonsense).Start());

    // Stopped and started again, the front serves on fresh ports.
    first.Stop();
    EXPECT_EQ(first.TradePort(), 0);
    ASSERT_TRUE(first.Start());
    RawFtdClient client(first.TradePort());
    client.SendRaw(std::vector<unsigned char>(KeepAliveFrame, KeepAliveFrame + sizeof KeepAliveFrame));
    EXPECT_TRUE(client.WaitForKeepAlive());
}

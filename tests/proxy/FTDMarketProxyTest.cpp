#include "FTD/CTPFields.h"
#include "FTD/FTDMarketProxyServer.h"
#include "FTD/TransIds.h"
#include "ctpapi/StandInFixture.h"
#include "proxy/ProxyFakes.h"
#include "support/RawFtdClient.h"

#include <gtest/gtest.h>

using namespace Tesmora;
using namespace Tesmora::FTD;
using namespace Tesmora::Testing;

namespace {

class MarketProxy : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Proxy.Listen("127.0.0.1", 0)); }

    std::unique_ptr<RawFtdClient> Connect() {
        auto client = std::make_unique<RawFtdClient>(Proxy.GetServer()->GetBoundPort());
        const size_t expected = ++Clients;
        EXPECT_TRUE(Eventually([&] { return Proxy.SessionCount() == expected; }));
        return client;
    }

    void Subscription(RawFtdClient& client, uint32_t transID, const char* instrument, uint32_t reqID) {
        FTDPackage request;
        request.TransID = transID;
        request.ReqID = reqID;
        CThostFtdcSpecificInstrumentField field{};
        Utils::CopyText(field.InstrumentID, instrument);
        request.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), field);
        client.Send(request);
    }

    static TradeApi::Tick SampleTick() {
        TradeApi::Tick tick;
        tick.InstrumentID = "rb2105";
        tick.ExchangeID = "SHFE";
        tick.ExchangeInstID = "rb2105";
        tick.TradingDay = "20261211";
        tick.ActionDay = "20261211";
        tick.UpdateTime = "09:30:01.50";
        tick.LastPrice = 3500;
        tick.Volume = 1000;
        tick.LastVolume = 20;
        for (int level = 0; level < 5; ++level) {
            tick.BidPrice[level] = 3499 - level;
            tick.BidVolume[level] = 10 + level;
            tick.AskPrice[level] = 3501 + level;
            tick.AskVolume[level] = 20 + level;
        }
        tick.AveragePrice = 3498.5;
        return tick;
    }

    FakeMarket Market;
    FTDMarketProxyServer Proxy{&Market};
    size_t Clients = 0;
};

} // namespace

TEST_F(MarketProxy, LoginAndSubscriptionsAreAnsweredAtOnce) {
    auto client = Connect();
    FTDPackage login;
    login.TransID = TransId::LoginRequest;
    login.ReqID = 2;
    CThostFtdcReqUserLoginField request{};
    Utils::CopyText(request.BrokerID, "9999");
    Utils::CopyText(request.UserID, "1001");
    login.AddRecord(Fid::ReqUserLogin, ReqUserLoginLayout(), request);
    client->Send(login);
    Subscription(*client, TransId::SubscribeRequest, "rb2105", 3);
    Subscription(*client, TransId::UnsubscribeRequest, "rb2105", 4);
    Subscription(*client, 0x4405, "cu2106", 5); // neither: answered, nothing asked of the adapter
    ASSERT_TRUE(client->WaitForPackages(4));
    EXPECT_EQ(client->Packages[0].Package.TransID, 0x3001u);
    EXPECT_EQ(WireText(client->Packages[0].Package.Fields[1].second, 18, 11), "9999");
    const uint32_t transIDs[] = {0x4402, 0x4404, 0x4406};
    for (size_t i = 0; i < 3; ++i) {
        const auto& answer = client->Packages[i + 1].Package;
        EXPECT_EQ(answer.TransID, transIDs[i]);
        EXPECT_EQ(answer.ReqID, 3 + i);
        ASSERT_EQ(answer.Fields.size(), 2u);
        EXPECT_EQ(WireText(answer.Fields[0].second, 4, 81), "CTP:No Error");
        EXPECT_EQ(answer.Fields[1].first, Fid::SpecificInstrument);
    }
    EXPECT_EQ(WireText(client->Packages[3].Package.Fields[1].second, 0, 31), "cu2106");
    EXPECT_EQ(Market.Calls(), (std::vector<std::string>{"Subscribe rb2105", "Unsubscribe rb2105"}));
}

TEST_F(MarketProxy, EveryClientGetsEveryTickLoggedInOrNot) {
    auto first = Connect();
    auto second = Connect();
    Subscription(*first, TransId::SubscribeRequest, "rb2105", 1);
    Subscription(*second, TransId::SubscribeRequest, "rb2105", 1);
    ASSERT_TRUE(first->WaitForPackages(1));
    ASSERT_TRUE(second->WaitForPackages(1));
    EXPECT_EQ(Market.Calls(), (std::vector<std::string>{"Subscribe rb2105", "Subscribe rb2105"}));
    auto silent = Connect(); // never logs in, never subscribes

    Proxy.BroadcastTick(SampleTick());
    for (RawFtdClient* client : {first.get(), second.get(), silent.get()}) {
        ASSERT_TRUE(client->WaitForPackages(client == silent.get() ? 1 : 2));
        const auto& push = client->Packages.back().Package;
        EXPECT_EQ(push.TransID, 0xF101u);
        EXPECT_EQ(push.ReqID, 0u);
        ASSERT_EQ(push.Fields.size(), 1u);
        const auto& depth = push.Fields[0].second;
        ASSERT_EQ(depth.size(), 354u);
        EXPECT_EQ(WireText(depth, 0, 9), "20261211");
        EXPECT_EQ(WireText(depth, 9, 31), "rb2105");
        EXPECT_EQ(WireText(depth, 40, 9), "");  // exchange not carried
        EXPECT_EQ(WireText(depth, 49, 31), ""); // nor the exchange's code
        EXPECT_EQ(WireDouble(depth, 80), 3500);
        EXPECT_EQ(WireInt(depth, 136), 20); // the volume since the previous tick
        EXPECT_EQ(WireText(depth, 204, 9), "09:30:01");
        EXPECT_EQ(WireInt(depth, 213), 500);
        EXPECT_EQ(WireDouble(depth, 217), 3499);
        EXPECT_EQ(WireInt(depth, 225), 10);
        EXPECT_EQ(WireDouble(depth, 229), 3501);
        EXPECT_EQ(WireInt(depth, 237), 20);
        for (size_t offset = 241; offset < 337; ++offset) {
            EXPECT_EQ(depth[offset], 0) << offset; // levels 2 to 5
        }
        EXPECT_EQ(WireDouble(depth, 337), 3498.5);
        EXPECT_EQ(WireText(depth, 345, 9), "20261211");
    }
}

TEST_F(MarketProxy, DisconnectedClientsGetNoMoreTicks) {
    auto leaving = Connect();
    auto staying = Connect();
    testing::internal::CaptureStdout();
    leaving->Connection.Close();
    ASSERT_TRUE(Eventually([&] { return Proxy.SessionCount() == 1; }));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "* OnDisconnect\n");
    Proxy.BroadcastTick(SampleTick());
    ASSERT_TRUE(staying->WaitForPackages(1));
}

TEST_F(MarketProxy, StandInClientSubscribesAndReceivesTicks) {
    ShortTiming();
    RecordingMdSpi spi;
    CThostFtdcMdApi* api = CThostFtdcMdApi::CreateFtdcMdApi("", false, false);
    api->RegisterSpi(&spi);
    api->Init();
    std::string address = "tcp://127.0.0.1:" + std::to_string(Proxy.GetServer()->GetBoundPort());
    api->RegisterFront(&address[0]);
    ASSERT_TRUE(spi.WaitForCount("OnFrontConnected", 1));
    ASSERT_TRUE(Eventually([&] { return Proxy.SessionCount() == 1; }));
    CThostFtdcReqUserLoginField login{};
    ASSERT_EQ(api->ReqUserLogin(&login, 1), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspUserLogin", 1));
    char instrument[] = "rb2105";
    char* instruments[] = {instrument};
    ASSERT_EQ(api->SubscribeMarketData(instruments, 1), 0);
    ASSERT_TRUE(spi.WaitForCount("OnRspSubMarketData", 1));
    EXPECT_TRUE(spi.Named("OnRspSubMarketData")[0].IsLast);
    Proxy.BroadcastTick(SampleTick());
    ASSERT_TRUE(spi.WaitForCount("OnRtnDepthMarketData", 1));
    const auto depth = spi.Named("OnRtnDepthMarketData")[0].As<CThostFtdcDepthMarketDataField>();
    EXPECT_STREQ(depth.InstrumentID, "rb2105");
    EXPECT_EQ(depth.UpdateMillisec, 500);
    EXPECT_EQ(depth.Volume, 20);
    api->Release();
}

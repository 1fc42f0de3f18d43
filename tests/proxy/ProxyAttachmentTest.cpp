// The proxy service as the adapters start and feed it.
#include "TradeApi/CTP/CTPMarket.h"
#include "TradeApi/TradeFixture.h"
#include "support/FakeMdApi.h"
#include "support/RawFtdClient.h"

#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "ctpapi/StandInFixture.h"

using namespace Tesmora;
using namespace Tesmora::Testing;
using namespace Tesmora::TradeApi;

namespace {

using ProxyAttachment = TradeFixture;

uint16_t ListeningPort(CTPTrade& trade) {
    auto* proxy = trade.GetProxyServer();
    return proxy != nullptr && proxy->GetServer() != nullptr ? proxy->GetServer()->GetBoundPort() : 0;
}

} // namespace

TEST_F(ProxyAttachment, ConfigurationDecidesWhetherAndWhereToListen) {
    struct Case {
        const char* Name;
        std::map<std::string, std::string> Configs;
        bool Listens;
        std::string Address;
    };
    const std::vector<Case> cases = {
        {"neither key", {}, false, ""},
        {"port only binds every interface", {{"Proxy.Port", "0"}}, true, "0.0.0.0"},
        {"both", {{"Proxy.IP", "127.0.0.1"}, {"Proxy.Port", "0"}}, true, "127.0.0.1"},
    };
    for (const Case& c : cases) {
        SetUp();
        auto params = Params();
        params.Configs = c.Configs;
        Trade->Open(params);
        auto* proxy = Trade->GetProxyServer();
        ASSERT_NE(proxy, nullptr) << c.Name; // created whether or not it listens
        ASSERT_EQ(proxy->GetServer() != nullptr, c.Listens) << c.Name;
        if (c.Listens) {
            EXPECT_EQ(proxy->GetServer()->Address, c.Address) << c.Name;
            EXPECT_NE(proxy->GetServer()->GetBoundPort(), 0) << c.Name;
        }
    }
    // An address that is no IP text: the adapter opens without a proxy listener.
    SetUp();
    auto params = Params();
    params.Configs["Proxy.IP"] = "not-an-address";
    testing::internal::CaptureStdout();
    Trade->Open(params);
    const std::string trace = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace.rfind("* Proxy start failed: ", 0), 0u) << trace;
    EXPECT_EQ(Apis.size(), 4u); // the API was still created
    // "Proxy.IP" alone means the default port.
    std::string address;
    uint16_t port = 0;
    EXPECT_TRUE(ProxyEndpoint({{"Proxy.IP", "127.0.0.1"}}, address, port));
    EXPECT_EQ(port, 30222);
    EXPECT_TRUE(ProxyEndpoint({{"Proxy.Port", "port=70001"}}, address, port));
    EXPECT_EQ(port, uint16_t(70001 & 0xFFFF));
    EXPECT_EQ(address, "");
}

TEST_F(ProxyAttachment, FailedValidationCreatesNoProxyAndTheNextValidOpenDoes) {
    auto params = Params();
    params.Password.clear();
    params.Configs["Proxy.Port"] = "0";
    Trade->Open(params);
    EXPECT_EQ(Trade->GetProxyServer(), nullptr);
    Trade->Close();
    params.Password = "secret";
    Trade->Open(params);
    EXPECT_NE(Trade->GetProxyServer(), nullptr);
}

TEST_F(ProxyAttachment, ProxySurvivesCloseAndReopenAndServesWithoutAListener) {
    auto params = Params();
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    Trade->Open(params);
    Login();
    const uint16_t port = ListeningPort(*Trade);
    ASSERT_NE(port, 0);
    RawFtdClient client(port);
    ASSERT_TRUE(Eventually([&] { return Trade->GetProxyServer()->SessionCount() == 1; }));

    Trade->Close();
    params.Configs["Proxy.Port"] = "1"; // not read again
    Trade->Open(params);
    Login();
    EXPECT_EQ(ListeningPort(*Trade), port);

    Trade->SetListener(nullptr);
    CThostFtdcTradeField fill{};
    Utils::CopyText(fill.TradeID, "T7");
    Trade->OnRtnTrade(&fill);
    ASSERT_TRUE(client.WaitForPackages(1));
    EXPECT_EQ(client.Packages[0].Package.TransID, 0xF002u);
    EXPECT_EQ(WireText(client.Packages[0].Package.Fields[0].second, 93, 21), "T7");
}

TEST_F(ProxyAttachment, DestroyingTheAdapterClosesItsClients) {
    auto params = Params();
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    Trade->Open(params);
    Login();
    RawFtdClient first(ListeningPort(*Trade));
    RawFtdClient second(ListeningPort(*Trade));
    ASSERT_TRUE(Eventually([&] { return Trade->GetProxyServer()->SessionCount() == 2; }));
    Trade.reset();
    EXPECT_TRUE(first.Connection.ReadUntilClosed());
    EXPECT_TRUE(second.Connection.ReadUntilClosed());
}

TEST_F(ProxyAttachment, QueryResultsReachTheClientAfterTheListener) {
    auto params = Params();
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    Trade->Open(params);
    Login();
    RawFtdClient client(ListeningPort(*Trade));
    FTD::FTDPackage query;
    query.TransID = FTD::TransId::QryPositionRequest;
    query.ReqID = 31;
    CThostFtdcQryInvestorPositionField filter{};
    Utils::CopyText(filter.InstrumentID, "rb2105");
    query.AddRecord(FTD::Fid::QryInvestorPosition, FTD::QryInvestorPositionLayout(), filter);
    client.Send(query);
    ASSERT_TRUE(Eventually([&] { return Api().Count("ReqQryInvestorPosition") == 1; }));
    EXPECT_STREQ(Api().Last("ReqQryInvestorPosition").As<CThostFtdcQryInvestorPositionField>().InstrumentID,
                 "rb2105");
    CThostFtdcInvestorPositionField row{};
    Utils::CopyText(row.InstrumentID, "rb2105");
    row.PosiDirection = '2';
    row.PositionDate = '1';
    row.Position = 10;
    row.TodayPosition = 4;
    row.YdPosition = 6;
    Trade->OnRspQryInvestorPosition(&row, nullptr, 5, true);
    ASSERT_EQ(Listener.PositionLists.size(), 1u);
    ASSERT_TRUE(client.WaitForPackages(1));
    const auto& answer = client.Packages[0].Package;
    EXPECT_EQ(answer.TransID, 0x8005u);
    EXPECT_EQ(answer.ReqID, 31u);
    const auto& field = answer.Fields[0].second;
    ASSERT_EQ(field.size(), 303u);
    EXPECT_EQ(field[55], '2');
    EXPECT_EQ(WireInt(field, 58), 6);
    EXPECT_EQ(WireInt(field, 62), 10);
    EXPECT_EQ(WireInt(field, 267), 4);
}

TEST(MarketProxyAttachment, TicksGoToClientsAfterTheListener) {
    TempFolder folder;
    BasePath::Market().Set((folder.Path() + "/").c_str());
    std::vector<std::unique_ptr<FakeMdApi>> apis;
    struct Market : CTPMarket {
        std::vector<std::unique_ptr<FakeMdApi>>* Apis;
        CThostFtdcMdApi* CreateApi(const std::string& flow) override {
            Apis->push_back(std::make_unique<FakeMdApi>(flow));
            return Apis->back().get();
        }
    };
    RecordingMarketListener listener;
    auto market = std::make_unique<Market>();
    market->Apis = &apis;
    market->SetListener(&listener);
    OpenParams params;
    params.HostAddress = "127.0.0.1:1";
    params.BrokerID = "9999";
    params.UserID = "8001";
    params.Password = "secret";
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    market->Open(params);
    market->OnFrontConnected();
    CThostFtdcRspUserLoginField login{};
    market->OnRspUserLogin(&login, nullptr, 1, true);
    RawFtdClient client(market->GetProxyServer()->GetServer()->GetBoundPort());
    ASSERT_TRUE(Eventually([&] { return market->GetProxyServer()->SessionCount() == 1; }));
    CThostFtdcDepthMarketDataField depth{};
    Utils::CopyText(depth.InstrumentID, "rb2105");
    Utils::CopyText(depth.UpdateTime, "09:30:01");
    depth.UpdateMillisec = 500;
    depth.Volume = 100;
    market->OnRtnDepthMarketData(&depth);
    depth.Volume = 130;
    market->OnRtnDepthMarketData(&depth);
    ASSERT_EQ(listener.Ticks.size(), 2u);
    ASSERT_TRUE(client.WaitForPackages(2));
    EXPECT_EQ(WireInt(client.Packages[1].Package.Fields[0].second, 136), 30);
    EXPECT_EQ(WireInt(client.Packages[1].Package.Fields[0].second, 213), 500);
    market.reset();
    EXPECT_TRUE(client.Connection.ReadUntilClosed());
}

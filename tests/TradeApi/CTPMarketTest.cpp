#include "TradeApi/CTP/CTPMarket.h"
#include "TradeApi/CTP/BasePath.h"
#include "Utils/FieldText.h"
#include "support/FakeMdApi.h"
#include "support/RecordingListeners.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <thread>

using namespace Tesmora::TradeApi;
using namespace Tesmora::Testing;
using Tesmora::Utils::CopyText;

namespace {

using N = NotifyType;
using R = NotifyResult;

class TestMarket : public CTPMarket {
public:
    std::function<CThostFtdcMdApi*(const std::string&)> Factory;

protected:
    CThostFtdcMdApi* CreateApi(const std::string& flowFolder) override { return Factory(flowFolder); }
};

QueryParams Selection(const char* id, const char* exchange = "") {
    QueryParams params;
    params.InstrumentID = id;
    params.ExchangeID = exchange;
    return params;
}

CThostFtdcSpecificInstrumentField Specific(const char* id) {
    CThostFtdcSpecificInstrumentField field{};
    CopyText(field.InstrumentID, id);
    return field;
}

CThostFtdcDepthMarketDataField Depth(const char* id, int volume) {
    CThostFtdcDepthMarketDataField field{};
    CopyText(field.InstrumentID, id);
    CopyText(field.UpdateTime, "09:30:01");
    field.UpdateMillisec = 500;
    field.Volume = volume;
    field.LastPrice = 3500;
    field.BidPrice1 = 3499;
    field.BidVolume1 = 7;
    field.AskPrice5 = 3505;
    field.AskVolume5 = 9;
    return field;
}

class CTPMarketTest : public ::testing::Test {
public:
    void SetUp() override {
        BasePath::Market().Set((Folder.Path() + "/").c_str());
        Market = std::make_unique<TestMarket>();
        Market->Factory = [this](const std::string& flowFolder) {
            Apis.push_back(std::make_unique<FakeMdApi>(flowFolder));
            return Apis.back().get();
        };
        Market->SetListener(&Listener);
    }

    static OpenParams Params() {
        OpenParams params;
        params.HostAddress = "127.0.0.1:41213";
        params.BrokerID = "9999";
        params.UserID = "8001";
        params.Password = "secret";
        return params;
    }

    void Login() {
        Market->OnFrontConnected();
        CThostFtdcRspUserLoginField login{};
        CopyText(login.TradingDay, "20261211");
        Market->OnRspUserLogin(&login, nullptr, 1, true);
    }

    void OpenAndLogin() {
        Market->Open(Params());
        Login();
        ASSERT_TRUE(Market->IsOpened());
        Listener.Clear();
    }

    FakeMdApi& Api() { return *Apis.back(); }

    TempFolder Folder;
    std::vector<std::unique_ptr<FakeMdApi>> Apis;
    RecordingMarketListener Listener;
    std::unique_ptr<TestMarket> Market;
};

} // namespace

TEST_F(CTPMarketTest, OpenLogsInAndReportsOpen) {
    Market->Open(Params());
    EXPECT_EQ(Api().FlowFolder, Folder.Path() + "/Cache/8001_market/");
    EXPECT_EQ(Api().Front, "tcp://127.0.0.1:41213");
    EXPECT_EQ(Api().CallLog(), (std::vector<std::string>{"RegisterSpi", "Init", "RegisterFront"}));
    Login();
    ASSERT_EQ(Api().LoginRequests().size(), 1u);
    EXPECT_STREQ(Api().LoginRequests()[0].UserID, "8001");
    EXPECT_STREQ(Api().LoginRequests()[0].Password, "secret");
    EXPECT_EQ(Listener.Notes(),
              (std::vector<Note>{
                  {N::Connect, R::Success, {}}, {N::Login, R::Success, {}}, {N::Open, R::Success, {}}}));
    EXPECT_EQ(Market->GetOpenParams().Configs.at("TradingDay"), "20261211");
    EXPECT_EQ(Market->GetOpenParams().Configs.count("UserName"), 0u);

    Market->Close();
    EXPECT_EQ(Api().CallLog().back(), "Release");
    const auto notes = Listener.Notes();
    EXPECT_EQ(std::vector<Note>(notes.end() - 3, notes.end()),
              (std::vector<Note>{
                  {N::Logout, R::Success, {}}, {N::Disconnect, R::Success, {}}, {N::Close, R::Success, {}}}));
}

TEST_F(CTPMarketTest, SubscribeBeforeLoginIsRefusedAndForgotten) {
    Market->Open(Params());
    Market->Subscribe(Selection("rb2105"));
    EXPECT_EQ(Listener.Notes().back(), (Note{N::Subscribe, R::Failed, {"ErrNotOpened"}}));
    Login();
    EXPECT_TRUE(Api().Requests().empty());
    EXPECT_TRUE(Market->GetSubscribedInstruments().empty());
}

TEST_F(CTPMarketTest, ThreeConfirmationsGiveThreeCallbacksAndOneSuccess) {
    OpenAndLogin();
    for (const char* id : {"rb2105", "cu2106", "au2112"}) {
        Market->Subscribe(Selection(id, "SHFE"));
    }
    EXPECT_EQ(Api().Requests(),
              (std::vector<std::string>{"Subscribe rb2105", "Subscribe cu2106", "Subscribe au2112"}));
    auto rb = Specific("rb2105"), cu = Specific("cu2106"), au = Specific("au2112");
    Market->OnRspSubMarketData(&rb, nullptr, 0, false);
    Market->OnRspSubMarketData(&cu, nullptr, 0, false);
    Market->OnRspSubMarketData(&au, nullptr, 0, true);
    ASSERT_EQ(Listener.Subscribed.size(), 3u);
    EXPECT_EQ(Listener.Subscribed[2].InstrumentID, "au2112");
    EXPECT_EQ(Listener.Subscribed[2].ExchangeID, "SHFE"); // the parameters stored at Subscribe
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::Subscribe, R::Success, {}}}));

    // A confirmation for an instrument never subscribed: no callback, still the success.
    Listener.Clear();
    auto unknown = Specific("zz9999");
    Market->OnRspSubMarketData(&unknown, nullptr, 0, true);
    EXPECT_TRUE(Listener.Subscribed.empty());
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::Subscribe, R::Success, {}}}));
}

TEST_F(CTPMarketTest, RefusalsAndErrorsAreReported) {
    OpenAndLogin();
    Api().QueueResult("Subscribe", -3);
    Market->Subscribe(Selection("rb2105"));
    EXPECT_EQ(Listener.Notes().back(), (Note{N::Subscribe, R::Failed, {"ErrTooManyRequests"}}));
    EXPECT_TRUE(Market->GetSubscribedInstruments().empty());
    CThostFtdcRspInfoField error{};
    error.ErrorID = 23;
    CopyText(error.ErrorMsg, "no such instrument");
    auto rb = Specific("rb2105");
    Market->OnRspSubMarketData(&rb, &error, 0, false);
    const auto failed = Listener.Notifications().back();
    EXPECT_EQ(ToNote(failed), (Note{N::Subscribe, R::Failed, {"ErrUndefined"}}));
    EXPECT_EQ(failed.Errors[0].ProviderCode, "23");
    EXPECT_EQ(failed.Errors[0].ProviderMessage, "no such instrument");
    Market->OnRspUnSubMarketData(nullptr, nullptr, 0, true);
    EXPECT_EQ(Listener.Notes().back(), (Note{N::Unsubscribe, R::Failed, {"ErrNullResponce"}}));
}

TEST_F(CTPMarketTest, LastVolumeCountsFromThePreviousTickAndRestartsAfterUnsubscription) {
    OpenAndLogin();
    Market->Subscribe(Selection("rb2105"));
    auto first = Depth("rb2105", 100);
    auto second = Depth("rb2105", 120);
    Market->OnRtnDepthMarketData(&first);
    Market->OnRtnDepthMarketData(&second);
    Market->Unsubscribe(Selection("rb2105"));
    auto rb = Specific("rb2105");
    Market->OnRspUnSubMarketData(&rb, nullptr, 0, true);
    auto third = Depth("rb2105", 130);
    Market->OnRtnDepthMarketData(&third);
    Market->OnRtnDepthMarketData(nullptr);

    ASSERT_EQ(Listener.Ticks.size(), 3u);
    EXPECT_EQ(Listener.Ticks[0].LastVolume, 0);
    EXPECT_EQ(Listener.Ticks[1].LastVolume, 20);
    EXPECT_EQ(Listener.Ticks[2].LastVolume, 0);
    const Tick& tick = Listener.Ticks[1];
    EXPECT_EQ(tick.UpdateTime, "09:30:01.50");
    EXPECT_EQ(tick.Volume, 120);
    EXPECT_EQ(tick.BidPrice[0], 3499);
    EXPECT_EQ(tick.BidVolume[0], 7);
    EXPECT_EQ(tick.AskPrice[4], 3505);
    EXPECT_EQ(tick.AskVolume[4], 9);
    EXPECT_EQ(tick.BidVolume[5], UnsetInt64); // levels past five keep their defaults
    EXPECT_EQ(tick.Status, 14);
    ASSERT_EQ(Listener.Unsubscribed.size(), 1u);
}

TEST_F(CTPMarketTest, UnsubscribingAnInstrumentNeverSubscribedStillAsks) {
    OpenAndLogin();
    Market->Unsubscribe(Selection("cu2106", "SHFE"));
    EXPECT_EQ(Api().Requests(), (std::vector<std::string>{"Unsubscribe cu2106"}));
    auto cu = Specific("cu2106");
    Market->OnRspUnSubMarketData(&cu, nullptr, 0, true);
    ASSERT_EQ(Listener.Unsubscribed.size(), 1u);
    EXPECT_EQ(Listener.Unsubscribed[0].ExchangeID, "SHFE");
}

TEST_F(CTPMarketTest, EveryLoginSubscribesAgainWhatWasSubscribedBefore) {
    OpenAndLogin();
    Market->Subscribe(Selection("rb2105"));
    Market->Subscribe(Selection("cu2106"));
    Market->Subscribe(Selection("au2112"));
    Market->Unsubscribe(Selection("cu2106"));
    Market->OnFrontDisconnected(0x1001);
    EXPECT_FALSE(Market->IsOpened());
    Market->Unsubscribe(Selection("au2112")); // refused while closed: stays subscribed
    Listener.Clear();
    const size_t before = Api().Requests().size();

    Login();
    EXPECT_TRUE(Market->IsOpened());
    const auto notes = Listener.Notes();
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[2], (Note{N::Open, R::Success, {}}));
    const auto requests = Api().Requests();
    std::set<std::string> again(requests.begin() + before, requests.end());
    EXPECT_EQ(again, (std::set<std::string>{"Subscribe rb2105", "Subscribe au2112"}));
    EXPECT_EQ(Market->GetSubscribedInstruments(), (std::unordered_set<std::string>{"rb2105", "au2112"}));

    // Close leaves the tables; the next session subscribes the same again.
    Market->Close();
    Market->Open(Params());
    Login();
    EXPECT_EQ(Market->GetSubscribedInstruments(), (std::unordered_set<std::string>{"rb2105", "au2112"}));
    EXPECT_EQ(Apis.size(), 2u);
}

TEST_F(CTPMarketTest, SchemeAndFlowFolderFollowTheParameters) {
    struct Case {
        const char* Host;
        int Protocol;
        const char* Front;
    };
    for (const Case& c :
         {Case{"127.0.0.1:1", 0, "tcp://127.0.0.1:1"}, Case{"127.0.0.1:1", 1, "udp://127.0.0.1:1"},
          Case{"tcp://127.0.0.1:1", 1, "tcp://127.0.0.1:1"}}) {
        SetUp();
        auto params = Params();
        params.HostAddress = c.Host;
        params.HostProtocol = c.Protocol;
        params.Configs["CacheFolder"] = "md";
        Market->Open(params);
        EXPECT_EQ(Api().Front, c.Front);
        EXPECT_EQ(Api().FlowFolder, Folder.Path() + "/Cache/md/");
    }
}

// The host subscribes and unsubscribes while the callback thread delivers
// confirmations and ticks and a third thread runs the re-subscription of a
// login: the tables stay consistent, and what the host left subscribed is
// subscribed at the end.
TEST_F(CTPMarketTest, ConcurrentSubscriptionsKeepTheTablesConsistent) {
    OpenAndLogin();
    Market->SetListener(nullptr);
    std::vector<std::string> ids;
    for (int i = 0; i < 200; ++i) {
        ids.push_back("i" + std::to_string(i));
    }
    std::atomic<bool> done{false};
    std::thread callbacks([&] {
        int volume = 0;
        while (!done.load()) {
            for (const auto& id : ids) {
                auto depth = Depth(id.c_str(), ++volume);
                Market->OnRtnDepthMarketData(&depth);
                auto specific = Specific(id.c_str());
                Market->OnRspSubMarketData(&specific, nullptr, 0, true);
                Market->OnRspUnSubMarketData(&specific, nullptr, 0, true);
            }
        }
    });
    std::thread relogin([&] {
        CThostFtdcRspUserLoginField login{};
        while (!done.load()) {
            Market->OnRspUserLogin(&login, nullptr, 1, true);
        }
    });
    for (int round = 0; round < 20; ++round) {
        for (const auto& id : ids) {
            Market->Subscribe(Selection(id.c_str()));
        }
        for (const auto& id : ids) {
            Market->Unsubscribe(Selection(id.c_str()));
        }
    }
    for (const auto& id : ids) {
        Market->Subscribe(Selection(id.c_str()));
    }
    done = true;
    callbacks.join();
    relogin.join();
    const auto subscribed = Market->GetSubscribedInstruments();
    EXPECT_EQ(subscribed.size(), ids.size());
    for (const auto& id : ids) {
        EXPECT_EQ(subscribed.count(id), 1u) << id;
    }
}

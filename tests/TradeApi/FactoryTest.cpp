#include "TradeApi/TradeApiFactory.h"
#include "support/RecordingListeners.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>
#include <string>

using namespace Tesmora::TradeApi;
using Tesmora::Testing::Note;
using Tesmora::Testing::RecordingMarketListener;
using Tesmora::Testing::RecordingTradeListener;

namespace {

std::unique_ptr<ITrade> NewTrade(const char* path = "") {
    return std::unique_ptr<ITrade>(Tesmora_CreateTradeInstance(path, nullptr));
}

std::unique_ptr<IMarket> NewMarket(const char* path = "") {
    return std::unique_ptr<IMarket>(Tesmora_CreateMarketInstance(path, nullptr));
}

} // namespace

TEST(Factory, OnlyTheTwoFactoriesAreExported) {
    const std::string command = std::string("nm -D --defined-only ") + TESMORA_CTP_LIBRARY;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[1024];
    while (fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        fields >> address >> type >> name;
        if (!name.empty()) {
            symbols.insert(name);
        }
    }
    ASSERT_EQ(pclose(pipe), 0);
    EXPECT_EQ(symbols,
              (std::set<std::string>{"Tesmora_CreateMarketInstance", "Tesmora_CreateTradeInstance"}));
}

TEST(Factory, FactoriesNeverWriteTheErrorCode) {
    int errorCode = 12345;
    std::unique_ptr<ITrade> trade(Tesmora_CreateTradeInstance("", &errorCode));
    std::unique_ptr<IMarket> market(Tesmora_CreateMarketInstance("", &errorCode));
    EXPECT_EQ(errorCode, 12345);
    EXPECT_FALSE(trade->IsOpened());
    EXPECT_FALSE(market->IsOpened());
}

TEST(Factory, NullPathIsTakenAsEmpty) {
    auto trade = NewTrade(nullptr);
    auto market = NewMarket(nullptr);
    ASSERT_NE(trade, nullptr);
    ASSERT_NE(market, nullptr);
    EXPECT_FALSE(trade->IsOpened());
}

TEST(Factory, GetVersionGivesTheThreeStrings) {
    auto trade = NewTrade();
    auto market = NewMarket();
    struct Case {
        int Type;
        const char* Expected;
    };
    const Case cases[] = {
        {-1, "Tesmora.TradeApi.180302"},
        {1, "CTP 6.3.15_20190220"},
        {0, "Quillmark 3.0.1905.0914"},
        {7, "Quillmark 3.0.1905.0914"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(trade->GetVersion(c.Type), c.Expected);
        EXPECT_STREQ(market->GetVersion(c.Type), c.Expected);
    }
}

TEST(Factory, OpenWithNothingReportsAllFourMissingValuesInOneNotification) {
    auto trade = NewTrade();
    auto market = NewMarket();
    RecordingTradeListener tradeListener;
    RecordingMarketListener marketListener;
    trade->SetListener(&tradeListener);
    market->SetListener(&marketListener);

    trade->Open(OpenParams());
    market->Open(OpenParams());

    const std::vector<Note> expected = {{NotifyType::Open,
                                         NotifyResult::Failed,
                                         {"ErrHostAddress", "ErrBrokerID", "ErrUserID", "ErrPassword"}}};
    EXPECT_EQ(tradeListener.Notes(), expected);
    EXPECT_EQ(marketListener.Notes(), expected);
    EXPECT_FALSE(trade->IsOpened());
    EXPECT_FALSE(market->IsOpened());
}

TEST(Factory, OpenValidatesOnlyEmptinessAndKeepsACopy) {
    auto trade = NewTrade();
    RecordingTradeListener listener;
    trade->SetListener(&listener);
    OpenParams params;
    params.UserID = "1001";
    params.HostAddress = "127.0.0.1:1";
    params.Configs["Proxy.Port"] = "0";
    params.AuxFlag = false;
    trade->Open(params);

    const std::vector<Note> expected = {
        {NotifyType::Open, NotifyResult::Failed, {"ErrBrokerID", "ErrPassword"}}};
    EXPECT_EQ(listener.Notes(), expected);
    const OpenParams& stored = trade->GetOpenParams();
    EXPECT_EQ(stored.UserID, "1001");
    EXPECT_EQ(stored.HostAddress, "127.0.0.1:1");
    EXPECT_EQ(stored.Configs.at("Proxy.Port"), "0");
    EXPECT_FALSE(stored.AuxFlag);
    params.UserID = "changed";
    EXPECT_EQ(trade->GetOpenParams().UserID, "1001");
}

TEST(Factory, SecondOpenIsRefusedEvenAfterAFailedOne) {
    auto trade = NewTrade();
    RecordingTradeListener listener;
    trade->SetListener(&listener);
    trade->Open(OpenParams());
    trade->Open(OpenParams());
    const auto notes = listener.Notes();
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1], (Note{NotifyType::Open, NotifyResult::Failed, {"ErrAlreadyOpened"}}));
}

TEST(Factory, CloseAfterAFailedOpenDisconnectsAndClosesWithoutLogout) {
    auto market = NewMarket();
    RecordingMarketListener listener;
    market->SetListener(&listener);
    market->Open(OpenParams());
    market->Close();
    market->Close();
    const std::vector<Note> expected = {
        {NotifyType::Open,
         NotifyResult::Failed,
         {"ErrHostAddress", "ErrBrokerID", "ErrUserID", "ErrPassword"}},
        {NotifyType::Disconnect, NotifyResult::Success, {}},
        {NotifyType::Close, NotifyResult::Success, {}},
        {NotifyType::Close, NotifyResult::Failed, {"ErrAlreadyClosed"}},
    };
    EXPECT_EQ(listener.Notes(), expected);
}

TEST(Factory, RequestsBeforeOpenAreRefused) {
    auto trade = NewTrade();
    auto market = NewMarket();
    RecordingTradeListener tradeListener;
    RecordingMarketListener marketListener;
    trade->SetListener(&tradeListener);
    market->SetListener(&marketListener);
    Order order;
    trade->OrderAction(order);
    trade->QueryOrder(QueryParams());
    trade->QueryAccount(QueryParams());
    market->Subscribe(QueryParams());
    market->Unsubscribe(QueryParams());
    const std::vector<Note> tradeExpected = {
        {NotifyType::OrderAction, NotifyResult::Failed, {"ErrNotOpened"}},
        {NotifyType::QueryOrder, NotifyResult::Failed, {"ErrNotOpened"}},
        {NotifyType::QueryAccount, NotifyResult::Failed, {"ErrNotOpened"}},
    };
    const std::vector<Note> marketExpected = {
        {NotifyType::Subscribe, NotifyResult::Failed, {"ErrNotOpened"}},
        {NotifyType::Unsubscribe, NotifyResult::Failed, {"ErrNotOpened"}},
    };
    EXPECT_EQ(tradeListener.Notes(), tradeExpected);
    EXPECT_EQ(marketListener.Notes(), marketExpected);
}

TEST(Factory, NullListenerRunsWithoutCallbacks) {
    auto trade = NewTrade();
    RecordingTradeListener listener;
    trade->SetListener(&listener);
    trade->SetListener(nullptr);
    trade->Open(OpenParams());
    trade->Open(OpenParams());
    trade->Close();
    Order order;
    trade->OrderAction(order);
    EXPECT_TRUE(listener.Notes().empty());
}

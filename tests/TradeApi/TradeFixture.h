#pragma once

#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPTrade.h"
#include "Utils/FieldText.h"
#include "support/FakeTraderApi.h"
#include "support/RecordingListeners.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace Tesmora {
namespace Testing {

// A CTPTrade whose API comes from the test and whose chain pauses are recorded
// (and run a test hook) instead of sleeping.
class TestTrade : public TradeApi::CTPTrade {
public:
    std::function<CThostFtdcTraderApi*(const std::string&)> Factory;
    std::function<void(std::chrono::milliseconds)> OnPause;
    std::vector<std::chrono::milliseconds> Pauses; // callback thread; read after it stopped

protected:
    CThostFtdcTraderApi* CreateApi(const std::string& flowFolder) override { return Factory(flowFolder); }
    void PauseChain(std::chrono::milliseconds delay) override {
        Pauses.push_back(delay);
        if (OnPause) {
            OnPause(delay);
        }
    }
};

inline CThostFtdcRspInfoField RspInfo(int errorID, const char* message) {
    CThostFtdcRspInfoField info{};
    info.ErrorID = errorID;
    Utils::CopyText(info.ErrorMsg, message);
    return info;
}

template <size_t N> void SetText(char (&field)[N], const char* text) {
    Utils::CopyText(field, text);
}

// A trade adapter over fake APIs, with a recording listener and a flow-file
// base path in a temporary folder.
class TradeFixture : public ::testing::Test {
public:
    void SetUp() override {
        TradeApi::BasePath::Trade().Set((Folder.Path() + "/").c_str());
        Trade = std::make_unique<TestTrade>();
        Trade->Factory = [this](const std::string& flowFolder) -> CThostFtdcTraderApi* {
            if (FailCreate) {
                return nullptr;
            }
            Apis.push_back(std::make_unique<FakeTraderApi>(flowFolder));
            return Apis.back().get();
        };
        Trade->SetListener(&Listener);
    }

    static TradeApi::OpenParams Params() {
        TradeApi::OpenParams params;
        params.HostAddress = "127.0.0.1:41205";
        params.BrokerID = "9999";
        params.UserID = "1001";
        params.Password = "secret";
        return params;
    }

    FakeTraderApi& Api() { return *Apis.back(); }

    // Drives the login chain to Open Success, without authentication.
    void Login(const char* maxOrderRef = "12", int frontID = 7, int sessionID = 99) {
        Trade->OnFrontConnected();
        CThostFtdcRspUserLoginField login{};
        SetText(login.TradingDay, "20261211");
        SetText(login.LoginTime, "09:00:01");
        SetText(login.SystemName, "TradingHosting");
        SetText(login.MaxOrderRef, maxOrderRef);
        login.FrontID = frontID;
        login.SessionID = sessionID;
        Trade->OnRspUserLogin(&login, nullptr, 1, true);
        CThostFtdcSettlementInfoConfirmField confirm{};
        SetText(confirm.BrokerID, "9999");
        SetText(confirm.InvestorID, "1001");
        Trade->OnRspSettlementInfoConfirm(&confirm, nullptr, 2, true);
        CThostFtdcInvestorField investor{};
        SetText(investor.InvestorName, "Investor One");
        Trade->OnRspQryInvestor(&investor, nullptr, 3, true);
    }

    void OpenAndLogin(const char* maxOrderRef = "12") {
        Trade->Open(Params());
        Login(maxOrderRef);
        ASSERT_TRUE(Trade->IsOpened());
    }

    TempFolder Folder;
    bool FailCreate = false;
    // Declared before the adapter, which releases the last of them when destroyed.
    std::vector<std::unique_ptr<FakeTraderApi>> Apis;
    RecordingTradeListener Listener;
    std::unique_ptr<TestTrade> Trade;
};

} // namespace Testing
} // namespace Tesmora

#pragma once

#include "sim/SimFront.h"
#include "support/Eventually.h"
#include "support/RecordingSpi.h"

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"
#include "Utils/FieldText.h"
#include "Utils/GbkToUtf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// Shortens the stand-in's reconnect delay and query spacing for API objects created afterwards.
inline void QuickStandIn() {
    setenv("TESMORA_CTP_RECONNECT_MS", "50", 1);
    setenv("TESMORA_CTP_QUERY_INTERVAL_MS", "20", 1);
}

// A front for tests: ephemeral ports, no timer unless asked, three accounts.
inline Sim::SimConfig TestConfig(int tickMilliseconds = 0) {
    Sim::SimConfig config;
    config.TradePort = 0;
    config.MarketPort = 0;
    config.TickMilliseconds = tickMilliseconds;
    config.Seed = 7;
    config.Accounts = {{"9999", "1001", "123456", 1000000.0},
                       {"9999", "1002", "pass2", 1000000.0},
                       {"9999", "1003", "pass3", 1000000.0}};
    return config;
}

// The recording callbacks plus the exercise-order ones, which only the simulator tests use.
class SimTraderSpi : public RecordingTraderSpi {
public:
    void OnRspQryExecOrder(CThostFtdcExecOrderField* d, CThostFtdcRspInfoField* i, int r, bool l) override {
        Add("OnRspQryExecOrder", d, i, r, l);
    }
    void OnRspExecOrderInsert(CThostFtdcInputExecOrderField* d, CThostFtdcRspInfoField* i, int r,
                              bool l) override {
        Add("OnRspExecOrderInsert", d, i, r, l);
    }
};

// One stand-in trader API connected to a front's trade port.
class TraderClient {
public:
    explicit TraderClient(uint16_t port) {
        QuickStandIn();
        Api = CThostFtdcTraderApi::CreateFtdcTraderApi("");
        Api->RegisterSpi(&Spi);
        Api->SubscribePrivateTopic(THOST_TERT_QUICK);
        Api->SubscribePublicTopic(THOST_TERT_QUICK);
        Api->Init();
        std::string address = "tcp://127.0.0.1:" + std::to_string(port);
        Api->RegisterFront(&address[0]);
        EXPECT_TRUE(Spi.WaitForCount("OnFrontConnected", 1));
    }
    ~TraderClient() { Api->Release(); }
    TraderClient(const TraderClient&) = delete;
    TraderClient& operator=(const TraderClient&) = delete;

    // The (last) answer to a login.
    SpiCall Login(const std::string& user = "1001", const std::string& password = "123456") {
        CThostFtdcReqUserLoginField request{};
        Utils::CopyText(request.BrokerID, "9999");
        Utils::CopyText(request.UserID, user);
        Utils::CopyText(request.Password, password);
        const int id = ++RequestID;
        EXPECT_EQ(Api->ReqUserLogin(&request, id), 0);
        return Last("OnRspUserLogin", id);
    }

    // Logs in and keeps what the front said.
    void LoginOrFail(const std::string& user = "1001", const std::string& password = "123456") {
        const SpiCall answer = Login(user, password);
        ASSERT_EQ(answer.ErrorID, 0) << answer.ErrorMsg;
        Session = answer.As<CThostFtdcRspUserLoginField>();
        User = user;
    }

    // A GFD limit order for any-volume with a fresh reference.
    CThostFtdcInputOrderField Order(const char* instrument, char direction, char offset, double price,
                                    int volume) {
        CThostFtdcInputOrderField order{};
        Utils::CopyText(order.BrokerID, "9999");
        Utils::CopyText(order.InvestorID, User);
        Utils::CopyText(order.UserID, User);
        Utils::CopyText(order.InstrumentID, instrument);
        Utils::CopyText(order.OrderRef, std::to_string(++OrderRef));
        order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        order.Direction = direction;
        order.CombOffsetFlag[0] = offset;
        order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
        order.LimitPrice = price;
        order.VolumeTotalOriginal = volume;
        order.TimeCondition = THOST_FTDC_TC_GFD;
        order.VolumeCondition = THOST_FTDC_VC_AV;
        order.MinVolume = 1;
        order.ContingentCondition = THOST_FTDC_CC_Immediately;
        order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
        return order;
    }

    // Sends the order; returns its request ID.
    int Insert(CThostFtdcInputOrderField order) {
        const int id = ++RequestID;
        order.RequestID = id;
        EXPECT_EQ(Api->ReqOrderInsert(&order, id), 0);
        return id;
    }

    // The order returns of one order reference so far.
    std::vector<CThostFtdcOrderField> OrderReturns(const std::string& ref) {
        std::vector<CThostFtdcOrderField> returns;
        for (const SpiCall& call : Spi.Named("OnRtnOrder")) {
            const auto order = call.As<CThostFtdcOrderField>();
            if (ref == order.OrderRef) {
                returns.push_back(order);
            }
        }
        return returns;
    }

    // Waits for the order return that finishes or rests the order: the first
    // with that status, and returns it.
    CThostFtdcOrderField WaitForStatus(const std::string& ref, char status) {
        CThostFtdcOrderField found{};
        EXPECT_TRUE(Eventually([&] {
            for (const auto& order : OrderReturns(ref)) {
                if (order.OrderStatus == status) {
                    found = order;
                    return true;
                }
            }
            return false;
        })) << "order "
            << ref << " never reached status " << status;
        return found;
    }

    std::vector<CThostFtdcTradeField> TradeReturns(const std::string& ref) {
        std::vector<CThostFtdcTradeField> trades;
        for (const SpiCall& call : Spi.Named("OnRtnTrade")) {
            const auto trade = call.As<CThostFtdcTradeField>();
            if (ref == trade.OrderRef) {
                trades.push_back(trade);
            }
        }
        return trades;
    }

    // Sends a query (retrying while the stand-in spaces queries) and returns
    // every callback of its answer, once the last one has come.
    template <class Field, class Request>
    std::vector<SpiCall> Query(const char* callback, int (CThostFtdcTraderApi::*request)(Request*, int),
                               Field field) {
        const int id = ++RequestID;
        EXPECT_TRUE(Eventually([&] { return (Api->*request)(&field, id) == 0; }));
        Last(callback, id);
        std::vector<SpiCall> answer;
        for (const SpiCall& call : Spi.Named(callback)) {
            if (call.RequestID == id) {
                answer.push_back(call);
            }
        }
        return answer;
    }

    CThostFtdcTradingAccountField Account() {
        const auto answer = Query("OnRspQryTradingAccount", &CThostFtdcTraderApi::ReqQryTradingAccount,
                                  CThostFtdcQryTradingAccountField{});
        EXPECT_EQ(answer.size(), 1u);
        return answer.empty() ? CThostFtdcTradingAccountField{}
                              : answer[0].As<CThostFtdcTradingAccountField>();
    }

    std::vector<CThostFtdcInvestorPositionField> Positions(const char* instrument = "") {
        CThostFtdcQryInvestorPositionField query{};
        Utils::CopyText(query.InstrumentID, instrument);
        std::vector<CThostFtdcInvestorPositionField> rows;
        for (const SpiCall& call :
             Query("OnRspQryInvestorPosition", &CThostFtdcTraderApi::ReqQryInvestorPosition, query)) {
            if (call.HasData) {
                rows.push_back(call.As<CThostFtdcInvestorPositionField>());
            }
        }
        return rows;
    }

    // The last callback of that name for the request, once it has come.
    SpiCall Last(const char* callback, int requestID) {
        SpiCall last;
        EXPECT_TRUE(Eventually([&] {
            for (const SpiCall& call : Spi.Named(callback)) {
                if (call.RequestID == requestID && call.IsLast) {
                    last = call;
                    return true;
                }
            }
            return false;
        })) << callback
            << " " << requestID;
        return last;
    }

    SimTraderSpi Spi;
    CThostFtdcTraderApi* Api = nullptr;
    CThostFtdcRspUserLoginField Session{};
    std::string User;
    int RequestID = 0;
    int OrderRef = 0;
};

// One stand-in market-data API connected and logged in to a front's market port.
class MdClient {
public:
    explicit MdClient(uint16_t port) {
        QuickStandIn();
        Api = CThostFtdcMdApi::CreateFtdcMdApi("", false, false);
        Api->RegisterSpi(&Spi);
        Api->Init();
        std::string address = "tcp://127.0.0.1:" + std::to_string(port);
        Api->RegisterFront(&address[0]);
        EXPECT_TRUE(Spi.WaitForCount("OnFrontConnected", 1));
        CThostFtdcReqUserLoginField login{};
        Utils::CopyText(login.BrokerID, "9999");
        Utils::CopyText(login.UserID, "1001");
        EXPECT_EQ(Api->ReqUserLogin(&login, 1), 0);
        EXPECT_TRUE(Spi.WaitForCount("OnRspUserLogin", 1));
    }
    ~MdClient() { Api->Release(); }
    MdClient(const MdClient&) = delete;
    MdClient& operator=(const MdClient&) = delete;

    std::vector<CThostFtdcDepthMarketDataField> Ticks() {
        std::vector<CThostFtdcDepthMarketDataField> ticks;
        for (const SpiCall& call : Spi.Named("OnRtnDepthMarketData")) {
            ticks.push_back(call.As<CThostFtdcDepthMarketDataField>());
        }
        return ticks;
    }

    RecordingMdSpi Spi;
    CThostFtdcMdApi* Api = nullptr;
};

inline std::string Utf8(const std::string& gbk) {
    return Utils::GbkToUtf8(gbk.c_str());
}

inline bool OnTickGrid(double price, double tick) {
    const double ticks = price / tick;
    return std::fabs(ticks - std::round(ticks)) < 1e-6;
}

} // namespace Testing
} // namespace Tesmora

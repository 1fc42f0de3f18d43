#pragma once

#include "TradeApi/IMarket.h"
#include "TradeApi/ITrade.h"

#include <mutex>
#include <string>
#include <vector>

namespace Tesmora {
namespace Testing {

// An ITrade that records what the proxy hands it. OrderAction assigns the
// references an adapter would: "9" followed by a count, front 5, session 6.
class FakeTrade : public TradeApi::ITrade {
public:
    void Open(const TradeApi::OpenParams&) override {}
    void Close() override {}
    void OrderAction(TradeApi::Order& order) override {
        std::lock_guard<std::mutex> guard(Mutex);
        if (order.ActionType == TradeApi::ActionType::Insert) {
            order.OrderRef = "9" + std::to_string(++Inserted);
            order.FrontID = 5;
            order.SessionID = 6;
        }
        Orders.push_back(order);
    }
    void QueryOrder(const TradeApi::QueryParams& p) override { Record("QueryOrder", p); }
    void QueryTrade(const TradeApi::QueryParams& p) override { Record("QueryTrade", p); }
    void QueryInstrument(const TradeApi::QueryParams& p) override { Record("QueryInstrument", p); }
    void QueryPosition(const TradeApi::QueryParams& p) override { Record("QueryPosition", p); }
    void QueryAccount(const TradeApi::QueryParams& p) override { Record("QueryAccount", p); }
    bool IsOpened() override { return true; }
    void SetListener(TradeApi::TradeListener*) override {}
    const TradeApi::OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int) override { return "fake"; }

    std::vector<TradeApi::Order> OrdersSeen() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Orders;
    }
    std::vector<std::pair<std::string, TradeApi::QueryParams>> QueriesSeen() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Queries;
    }

private:
    void Record(const char* name, const TradeApi::QueryParams& params) {
        std::lock_guard<std::mutex> guard(Mutex);
        Queries.emplace_back(name, params);
    }

    std::mutex Mutex;
    int Inserted = 0;
    std::vector<TradeApi::Order> Orders;
    std::vector<std::pair<std::string, TradeApi::QueryParams>> Queries;
    TradeApi::OpenParams Params;
};

// An IMarket that records the subscriptions the proxy hands it.
class FakeMarket : public TradeApi::IMarket {
public:
    void Open(const TradeApi::OpenParams&) override {}
    void Close() override {}
    void Subscribe(const TradeApi::QueryParams& p) override { Record("Subscribe " + p.InstrumentID); }
    void Unsubscribe(const TradeApi::QueryParams& p) override { Record("Unsubscribe " + p.InstrumentID); }
    bool IsOpened() override { return true; }
    void SetListener(TradeApi::MarketListener*) override {}
    const TradeApi::OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int) override { return "fake"; }

    std::vector<std::string> Calls() {
        std::lock_guard<std::mutex> guard(Mutex);
        return Log;
    }

private:
    void Record(const std::string& call) {
        std::lock_guard<std::mutex> guard(Mutex);
        Log.push_back(call);
    }

    std::mutex Mutex;
    std::vector<std::string> Log;
    TradeApi::OpenParams Params;
};

} // namespace Testing
} // namespace Tesmora

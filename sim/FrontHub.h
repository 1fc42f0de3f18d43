#pragma once

#include "sim/Exchange.h"
#include "sim/ExchangeListener.h"
#include "sim/SimConfig.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Tesmora {
namespace Sim {

class MarketConnection;
class TradeConnection;

// What every connection of a SimFront shares: the exchange, the connected
// clients and the one mutex that guards them.
//
// Threads: connections join on the accept threads, leave on their worker
// thread (or on the thread stopping a server) and handle requests on their
// worker threads; Tick runs on the timer thread or any caller. Every one of
// them holds Mutex while it touches the exchange or a connection's login
// state, and sends what a change produces before letting go, so that every
// client sees returns and quotes in the order they happened.
class FrontHub : public ExchangeListener {
public:
    explicit FrontHub(const SimConfig& config);
    FrontHub(const FrontHub&) = delete;
    FrontHub& operator=(const FrontHub&) = delete;
    ~FrontHub() override;

    static constexpr int FrontID = 1;

    // Guards Trading, the connection lists, LastSessionID and the login state
    // and counters of every connection.
    std::mutex Mutex;
    Exchange Trading; // guarded by Mutex

    // Any thread; each takes Mutex.
    void AddTrader(const std::shared_ptr<TradeConnection>& connection);
    void RemoveTrader(const TradeConnection* connection);
    void AddListener(const std::shared_ptr<MarketConnection>& connection);
    void RemoveListener(const MarketConnection* connection);

    // A session ID no login has had; with Mutex held.
    int NextSessionID() { return ++LastSessionID; }

    // Moves the market one step and pushes the new quotes to their
    // subscribers. Any thread; takes Mutex.
    void Tick();

    // The exchange's returns, with Mutex held: to every connection logged in
    // as the order's investor.
    void OnOrder(const CThostFtdcOrderField& order) override;
    void OnTrade(const CThostFtdcTradeField& trade) override;

private:
    std::vector<std::shared_ptr<TradeConnection>> Traders;    // guarded by Mutex
    std::vector<std::shared_ptr<MarketConnection>> Listeners; // guarded by Mutex
    int LastSessionID = 0;                                    // guarded by Mutex
};

} // namespace Sim
} // namespace Tesmora

#pragma once

#include "sim/SimConfig.h"

#include "ThostFtdcUserApiStruct.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Tesmora {
namespace NetApi {
class TCPServer;
} // namespace NetApi

namespace Sim {

class FrontHub;

// A simulated CTP front: a trade port and a market-data port speaking FTD
// (docs/wire.md), a built-in instrument table, a matching engine, accounts
// and positions, and quotes from a seeded random walk on a timer.
//
// Threads: Start, Stop, TradePort and MarketPort run on one controlling
// thread, never from inside a client's request. Tick and CurrentQuote may be
// called from any thread at any time. The front itself runs an accept thread
// and two worker threads per port and, when ticking, a timer thread.
class SimFront {
public:
    explicit SimFront(SimConfig config = SimConfig());
    // Stops the front.
    ~SimFront();
    SimFront(const SimFront&) = delete;
    SimFront& operator=(const SimFront&) = delete;

    // Listens on both ports and starts the timer. False, with nothing left
    // running, when already started, when Address is no IP address text or
    // when a port cannot be bound.
    bool Start();
    // Stops the timer and both listeners, ends every connection and joins
    // every thread. Nothing when not started; Start may follow again, and the
    // accounts, orders and market carry on.
    void Stop();

    // The bound ports (the ephemeral ones when 0 was configured); 0 when not started.
    uint16_t TradePort() const { return BoundTradePort; }
    uint16_t MarketPort() const { return BoundMarketPort; }

    // Moves the market one step now, as the timer does: resting orders the
    // new quotes reach fill, and subscribers get the quotes.
    void Tick();
    // The current quote of an instrument; false when there is no such instrument.
    bool CurrentQuote(const std::string& instrumentID, CThostFtdcDepthMarketDataField& quote) const;

    const SimConfig& Config() const { return Settings; }

private:
    void RunTimer();
    void StopTimer();

    const SimConfig Settings;
    const std::unique_ptr<FrontHub> Hub;

    // Controlling thread only.
    std::unique_ptr<NetApi::TCPServer> TradeServer;
    std::unique_ptr<NetApi::TCPServer> MarketServer;
    bool Started = false;
    uint16_t BoundTradePort = 0;
    uint16_t BoundMarketPort = 0;
    std::thread Timer;

    // Wakes the timer thread to end it; guarded by TimerMutex.
    std::mutex TimerMutex;
    std::condition_variable TimerWake;
    bool TimerStopping = false;
};

} // namespace Sim
} // namespace Tesmora

#include "sim/SimFront.h"

#include "sim/FrontHub.h"
#include "sim/MarketConnection.h"
#include "sim/Trace.h"
#include "sim/TradeConnection.h"

#include "NetApi/TCPServer.h"

#include <chrono>
#include <exception>

namespace Tesmora {
namespace Sim {

namespace {

constexpr int WorkersPerPort = 2;

std::string EndpointOf(NetApi::ISession& session) {
    std::string address;
    unsigned short port = 0;
    session.GetRemoteEndpoint(address, port);
    return address + ":" + std::to_string(port);
}

// Wires one accepted connection to its request handler and the hub's lists.
template <class Connection, class Add, class Remove>
void Attach(FrontHub& hub, const char* portName, std::shared_ptr<NetApi::ISession>& session, Add add,
            Remove remove) {
    auto connection = std::make_shared<Connection>(hub, session);
    const std::string peer = EndpointOf(*session);
    session->ReceiveHandler = [connection](const unsigned char* data, size_t length) {
        connection->Feed(data, length);
    };
    Connection* raw = connection.get();
    session->CloseHandler = [&hub, raw, remove, portName, peer] {
        (hub.*remove)(raw);
        Trace("%s client %s disconnected", portName, peer.c_str());
    };
    session->ErrorHandler = [portName, peer](int code, const std::string& message) {
        Trace("%s client %s: error %d %s", portName, peer.c_str(), code, message.c_str());
    };
    (hub.*add)(connection);
    Trace("%s client %s connected", portName, peer.c_str());
}

} // namespace

SimFront::SimFront(SimConfig config)
    : Settings(std::move(config)), Hub(std::make_unique<FrontHub>(Settings)) {}

SimFront::~SimFront() {
    Stop();
}

bool SimFront::Start() {
    if (Started) {
        return false;
    }
    auto trade = std::make_unique<NetApi::TCPServer>();
    auto market = std::make_unique<NetApi::TCPServer>();
    FrontHub& hub = *Hub;
    trade->Address = Settings.Address;
    trade->Port = Settings.TradePort;
    trade->ThreadCount = WorkersPerPort;
    trade->SessionHandler = [&hub](std::shared_ptr<NetApi::ISession>& session) {
        Attach<TradeConnection>(hub, "trade", session, &FrontHub::AddTrader, &FrontHub::RemoveTrader);
    };
    market->Address = Settings.Address;
    market->Port = Settings.MarketPort;
    market->ThreadCount = WorkersPerPort;
    market->SessionHandler = [&hub](std::shared_ptr<NetApi::ISession>& session) {
        Attach<MarketConnection>(hub, "market", session, &FrontHub::AddListener, &FrontHub::RemoveListener);
    };
    for (NetApi::TCPServer* server : {trade.get(), market.get()}) {
        server->ErrorHandler = [](int code, const std::string& message) {
            Trace("listener error %d: %s", code, message.c_str());
        };
    }
    try {
        if (!trade->Start() || !market->Start()) {
            return false; // the servers' destructors stop whichever one did start
        }
    } catch (const std::exception& e) {
        Trace("cannot listen on %s: %s", Settings.Address.c_str(), e.what());
        return false;
    }
    BoundTradePort = trade->GetBoundPort();
    BoundMarketPort = market->GetBoundPort();
    TradeServer = std::move(trade);
    MarketServer = std::move(market);
    Started = true;
    if (Settings.TickMilliseconds > 0) {
        {
            std::lock_guard<std::mutex> guard(TimerMutex);
            TimerStopping = false;
        }
        Timer = std::thread([this] { RunTimer(); });
    }
    Trace("Tesmora SimFront started: trade port %s:%u, market port %s:%u, tick %d ms, seed %llu, %zu "
          "account(s)",
          Settings.Address.c_str(), unsigned(BoundTradePort), Settings.Address.c_str(),
          unsigned(BoundMarketPort), Settings.TickMilliseconds,
          static_cast<unsigned long long>(Settings.Seed), Settings.Accounts.size());
    return true;
}

void SimFront::Stop() {
    if (!Started) {
        return;
    }
    StopTimer();
    // Stopping a server runs the close handlers of its connections, which take the hub's mutex.
    TradeServer->Stop();
    MarketServer->Stop();
    TradeServer.reset();
    MarketServer.reset();
    BoundTradePort = 0;
    BoundMarketPort = 0;
    Started = false;
    Trace("Tesmora SimFront stopped");
}

void SimFront::StopTimer() {
    if (!Timer.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> guard(TimerMutex);
        TimerStopping = true;
    }
    TimerWake.notify_all();
    Timer.join();
}

void SimFront::RunTimer() {
    const auto interval = std::chrono::milliseconds(Settings.TickMilliseconds);
    auto next = std::chrono::steady_clock::now() + interval;
    std::unique_lock<std::mutex> lock(TimerMutex);
    while (!TimerWake.wait_until(lock, next, [this] { return TimerStopping; })) {
        lock.unlock();
        try {
            Hub->Tick();
        } catch (const std::exception& e) {
            Trace("tick failed: %s", e.what());
        }
        lock.lock();
        // A late tick does not make the next ones crowd in to catch up.
        next = std::max(next + interval, std::chrono::steady_clock::now());
    }
}

void SimFront::Tick() {
    Hub->Tick();
}

bool SimFront::CurrentQuote(const std::string& instrumentID, CThostFtdcDepthMarketDataField& quote) const {
    std::lock_guard<std::mutex> guard(Hub->Mutex);
    const CThostFtdcDepthMarketDataField* current = Hub->Trading.FindQuote(instrumentID);
    if (current == nullptr) {
        return false;
    }
    quote = *current;
    return true;
}

} // namespace Sim
} // namespace Tesmora

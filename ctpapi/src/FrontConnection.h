#pragma once

#include "FTD/FTDPackage.h"
#include "NetApi/TCPSession.h"
#include "PackageCollector.h"
#include "ReceivedPackage.h"
#include "StandInTiming.h"

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Tesmora {
namespace CtpApi {

// The connection of one API object to its front: the API's own thread and I/O
// context, connecting and reconnecting, keep-alive frames and dead-front
// detection, and the decoding of everything the front sends. Every event is
// raised on the API thread, in arrival order; nothing of a connection is
// raised after its disconnection.
class FrontConnection {
public:
    class Events {
    public:
        virtual void OnConnected() = 0;
        virtual void OnDisconnected(int reason) = 0;
        virtual void OnPackage(ReceivedPackage& package) = 0;

    protected:
        ~Events() = default;
    };

    // Reasons given to OnDisconnected.
    static constexpr int ReadFailure = 0x1001;
    static constexpr int KeepAliveTimeout = 0x2001;
    static constexpr int MalformedData = 0x2003;

    FrontConnection(Events& events, std::string flowFolder);
    // Stops and joins the thread unless it was detached.
    ~FrontConnection();
    FrontConnection(const FrontConnection&) = delete;
    FrontConnection& operator=(const FrontConnection&) = delete;

    // Starts the API thread.
    void Start();
    // "tcp://host:port"; connects from the API thread, now or as soon as it runs.
    void RegisterFront(const std::string& address);
    // Queues an encoded package for the front. Any thread; -1 when not connected.
    int Send(const unsigned char* data, size_t length);
    // Numbers, encodes and queues one package (marked last). Any thread; -1
    // when not connected or when the package cannot be encoded.
    int SendPackage(FTD::FTDPackage& package);
    bool IsConnected() const { return Connected.load(); }
    bool OnApiThread() const { return std::this_thread::get_id() == ThreadId.load(); }
    bool Started() const { return Thread.joinable(); }

    // Stops the I/O context; no event is raised afterwards. From any thread
    // but the API thread it also waits for the thread to end.
    void Stop();
    // Waits until the API thread has stopped (after a Release on another thread).
    int Join();
    // The end of the API object that owns this connection: stops everything
    // and runs `destroy` (which deletes the owner). From the API thread itself,
    // the thread is let go and destroys the owner once its current event returns.
    void ReleaseOwner(std::function<void()> destroy);
    // The trading day of the last login answer; any thread.
    void RememberTradingDay(const ReceivedPackage& loginAnswer);
    const char* TradingDay();
    // For a stop from the API thread: the thread is let go and, once its
    // current event returns, runs `finally` as its very last act.
    void StopFromApiThread(std::function<void()> finally);

    std::chrono::milliseconds QueryInterval() const { return Timing.QueryInterval; }

private:
    void ThreadMain();
    void Connect();
    void HandleConnected(uint64_t generation);
    void Disconnect(int reason);
    void ScheduleReconnect();
    void ScheduleKeepAlive();
    void HandleReceive(uint64_t generation, const unsigned char* data, size_t length);
    void WriteConnectionFile();
    std::shared_ptr<NetApi::TCPSession> CurrentSession();

    Events& Sink;
    const std::string FlowFolder;
    const StandInTiming Timing;

    asio::io_context Context;
    std::thread Thread;
    std::atomic<std::thread::id> ThreadId{};
    std::function<void()> Finally; // API thread; set just before it stops
    std::mutex DoneMutex;
    std::condition_variable DoneChanged;
    bool Done = false; // guarded by DoneMutex

    // API thread only.
    std::string Host;
    std::string Port;
    std::string FrontAddress;
    bool Stopping = false;
    uint64_t Generation = 0; // handlers of older connections ignore themselves
    std::unique_ptr<PackageCollector> Collector;
    asio::steady_timer KeepAliveTimer{Context};
    asio::steady_timer ReconnectTimer{Context};
    std::chrono::steady_clock::time_point LastHeard;

    // Senders on any thread read the current session under SessionMutex.
    std::mutex SessionMutex;
    std::shared_ptr<NetApi::TCPSession> Session;
    std::atomic<bool> Connected{false};
    std::atomic<uint32_t> Counter{0};

    std::mutex TradingDayMutex;
    std::string LastTradingDay; // guarded by TradingDayMutex
};

} // namespace CtpApi
} // namespace Tesmora

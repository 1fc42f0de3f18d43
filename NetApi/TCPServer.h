#pragma once

#include "NetApi/IServer.h"
#include "NetApi/ThreadData.h"

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>

#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace Tesmora {
namespace NetApi {

// A TCP listener: accepts on its own thread and spreads the sessions over a
// pool of worker threads, each with its own I/O context, choosing the least
// loaded worker. Start and Stop run on one controlling thread; the handlers run
// on the accept thread (SessionHandler, ErrorHandler) and the workers.
class TCPServer : public IServer {
public:
    static constexpr size_t DefaultPurgeInterval = 100;

    TCPServer() = default;
    // Stops the server; every thread is joined by the time it returns.
    ~TCPServer() override;

    // Throws std::system_error when Address is no IPv6 or IPv4 text, or when
    // listening fails; a bind failure is reported through OnError instead.
    bool Start() override;
    void Stop() override;
    std::vector<int> GetThreadLoads() override;
    // 0 is ignored: the registry sweep needs a divisor of at least 1.
    void SetPurgeInterval(size_t interval) override;
    // Produces the session for each accepted connection; override for another type.
    virtual std::shared_ptr<ISession> CreateSession();

    // Send-queue bound given to every TCPSession accepted from now on.
    void SetSendQueueLimit(size_t bytes) { SendQueueLimit = bytes; }
    // Entries of the registry of weak references, for diagnostics and tests.
    size_t GetRegistrySize();
    // The port actually bound (useful when Port is 0); 0 when not started.
    uint16_t GetBoundPort() const { return BoundPort; }

private:
    void Run();
    void DoAccept();
    void HandleAccept(ThreadData* worker, const std::shared_ptr<asio::ip::tcp::socket>& socket,
                      const std::error_code& error);
    ThreadData* ChooseWorker();
    void AddToRegistry(const std::shared_ptr<ISession>& session);
    void StartPool(int count);
    void StopPool();

    bool Started = false; // controlling thread only
    uint16_t BoundPort = 0;
    size_t SendQueueLimit = size_t(64) << 20; // TCPSession's default
    std::thread AcceptThread;
    std::unique_ptr<asio::io_context> AcceptContext;   // runs only the acceptor
    std::unique_ptr<asio::ip::tcp::acceptor> Acceptor; // accept thread while it runs

    // Replaced only by Start; kept after Stop until the next Start or destruction.
    std::vector<std::unique_ptr<ThreadData>> Workers;
    // Appended on the accept thread, walked by Stop; the mutex lets diagnostics read it.
    std::mutex RegistryMutex;
    std::vector<std::weak_ptr<ISession>> Registry;
    size_t PurgeInterval = DefaultPurgeInterval;
};

} // namespace NetApi
} // namespace Tesmora

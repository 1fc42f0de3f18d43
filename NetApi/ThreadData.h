#pragma once

#include <asio/io_context.hpp>

#include <atomic>
#include <thread>

namespace Tesmora {
namespace NetApi {

// One worker thread of a server and the I/O context that runs every socket
// operation of the sessions bound to it.
class ThreadData {
public:
    ThreadData() = default;
    ThreadData(const ThreadData&) = delete;
    ThreadData& operator=(const ThreadData&) = delete;
    // Stops the context and joins the thread.
    ~ThreadData();

    void Start();
    // Runs the context until it is stopped; an exception escaping a handler is
    // traced and the context keeps running, so one faulty session cannot end
    // the thread that serves the others.
    void Run();
    void Stop();

    std::thread Thread;
    asio::io_context IoContext;
    // Incremented on the accept thread, decremented wherever a bound session is
    // destroyed.
    std::atomic<int> SessionCount{0};
};

} // namespace NetApi
} // namespace Tesmora

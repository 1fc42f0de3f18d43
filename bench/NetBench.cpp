// Loopback throughput through one TCPSession (Send from the benchmark thread,
// a plain reader thread on the other end) beside a minimal raw asio sender
// doing blocking writes of the same buffers, in the same run.
#include "NetApi/TCPServer.h"
#include "NetApi/TCPSession.h"

#include <asio/connect.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>
#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace Tesmora::NetApi;

constexpr size_t BytesPerIteration = size_t(16) << 20;

// Reads everything that arrives and counts it.
class CountingReader {
public:
    explicit CountingReader(asio::ip::tcp::socket socket) : Socket(std::move(socket)) {
        Thread = std::thread([this] {
            std::vector<unsigned char> buffer(1 << 18);
            std::error_code error;
            while (!error) {
                const size_t n = Socket.read_some(asio::buffer(buffer), error);
                std::lock_guard<std::mutex> guard(Mutex);
                Received += n;
                Arrived.notify_all();
            }
        });
    }
    ~CountingReader() {
        std::error_code ignored;
        Socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
        Thread.join();
    }
    // Blocks, so that waiting takes no core from the threads being measured.
    void WaitFor(size_t total) {
        std::unique_lock<std::mutex> lock(Mutex);
        Arrived.wait(lock, [&] { return Received >= total; });
    }

private:
    std::mutex Mutex;
    std::condition_variable Arrived;
    size_t Received = 0; // guarded by Mutex
    asio::ip::tcp::socket Socket;
    std::thread Thread;
};

asio::ip::tcp::socket ConnectTo(asio::io_context& context, uint16_t port) {
    asio::ip::tcp::socket socket(context);
    socket.connect(asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
    return socket;
}

void RunSession(benchmark::State& state, size_t message) {
    TCPServer server;
    server.Address = "127.0.0.1";
    server.Port = 0;
    server.ThreadCount = 1;
    std::mutex mutex;
    std::condition_variable accepted;
    std::shared_ptr<ISession> session;
    server.SessionHandler = [&](std::shared_ptr<ISession>& s) {
        std::lock_guard<std::mutex> guard(mutex);
        session = s;
        accepted.notify_all();
    };
    server.Start();
    asio::io_context context;
    CountingReader reader(ConnectTo(context, server.GetBoundPort()));
    {
        std::unique_lock<std::mutex> lock(mutex);
        accepted.wait(lock, [&] { return session != nullptr; });
    }
    std::vector<unsigned char> payload(message, 0x5A);
    size_t sent = 0;
    for (auto _ : state) {
        for (size_t n = 0; n < BytesPerIteration; n += message) {
            session->Send(payload.data(), payload.size());
        }
        sent += BytesPerIteration;
        reader.WaitFor(sent);
    }
    state.SetBytesProcessed(int64_t(sent));
    state.SetItemsProcessed(int64_t(sent / message));
    session.reset();
}

void RunRaw(benchmark::State& state, size_t message) {
    asio::io_context context;
    asio::ip::tcp::acceptor acceptor(context,
                                     asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
    asio::ip::tcp::socket sender(context);
    std::thread connector([&] { sender.connect(acceptor.local_endpoint()); });
    CountingReader reader(acceptor.accept());
    connector.join();
    std::vector<unsigned char> payload(message, 0x5A);
    size_t sent = 0;
    for (auto _ : state) {
        for (size_t n = 0; n < BytesPerIteration; n += message) {
            asio::write(sender, asio::buffer(payload));
        }
        sent += BytesPerIteration;
        reader.WaitFor(sent);
    }
    state.SetBytesProcessed(int64_t(sent));
    state.SetItemsProcessed(int64_t(sent / message));
    std::error_code ignored;
    sender.close(ignored);
}

void BM_TCPSession_64KiB(benchmark::State& state) {
    RunSession(state, 64 * 1024);
}
void BM_RawAsio_64KiB(benchmark::State& state) {
    RunRaw(state, 64 * 1024);
}
void BM_TCPSession_1KiBMessages(benchmark::State& state) {
    RunSession(state, 1024);
}
void BM_RawAsio_1KiBMessages(benchmark::State& state) {
    RunRaw(state, 1024);
}

BENCHMARK(BM_TCPSession_64KiB)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawAsio_64KiB)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TCPSession_1KiBMessages)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawAsio_1KiBMessages)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

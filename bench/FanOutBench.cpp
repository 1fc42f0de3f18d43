// Tick fan-out through the market proxy: ticks are injected at the market
// adapter's depth-data callback at a fixed rate and received by 1, 10 and 100
// downstream clients on loopback. Prints, per client count, the injected and
// delivered rates and the latency from the callback to the client's decoded
// receipt (p50, p99, p99.9).
//
// Usage: bench_fanout [ticks-per-second] [seconds]   (default 20000 and 2)
#include "FTD/FTDParser.h"
#include "TradeApi/CTP/CTPMarket.h"
#include "Utils/FieldText.h"

#include <asio/connect.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/post.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace Tesmora;
using Clock = std::chrono::steady_clock;

int64_t Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

// One downstream client: reads, decodes, and takes the send time out of the
// tick's turnover, which the proxy carries bit for bit.
class Receiver : public FTD::FTDParser {
public:
    explicit Receiver(asio::io_context& context) : Socket(context) { Decompress = true; }

    void Start() {
        Socket.async_read_some(asio::buffer(Buffer), [this](const std::error_code& error, size_t n) {
            if (error) {
                return;
            }
            Feed(Buffer, n);
            Start();
        });
    }

    void OnFieldData(uint16_t fid, const FTD::FTDFieldInfo&, const char* data, size_t length) override {
        if (fid != 0x0012 || length < 148) {
            return;
        }
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            bits = (bits << 8) | static_cast<unsigned char>(data[140 + i]); // Turnover, big-endian
        }
        double sent;
        std::memcpy(&sent, &bits, sizeof sent);
        Latencies.push_back(Now() - int64_t(sent));
    }

    asio::ip::tcp::socket Socket;
    std::vector<int64_t> Latencies; // reader thread only until it is joined
    unsigned char Buffer[65536];
};

struct Result {
    int Clients;
    double Injected;
    double Delivered;
    int64_t P50, P99, P999;
    size_t Missing;
};

Result Run(int clients, int rate, double seconds) {
    TradeApi::CTPMarket market;
    TradeApi::OpenParams params;
    params.HostAddress = "tcp://127.0.0.1:1"; // nobody listens: the adapter stays unconnected
    params.BrokerID = "9999";
    params.UserID = "bench";
    params.Password = "bench";
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    params.Configs["CacheFolder"] = "bench_fanout";
    market.Open(params);
    const uint16_t port = market.GetProxyServer()->GetServer()->GetBoundPort();

    asio::io_context context;
    std::vector<std::unique_ptr<Receiver>> receivers;
    for (int i = 0; i < clients; ++i) {
        receivers.push_back(std::make_unique<Receiver>(context));
        receivers.back()->Socket.connect(asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), port));
        receivers.back()->Socket.set_option(asio::ip::tcp::no_delay(true));
        receivers.back()->Start();
    }
    while (market.GetProxyServer()->SessionCount() != size_t(clients)) {
        std::this_thread::yield();
    }
    std::thread reader([&] { context.run(); });

    CThostFtdcDepthMarketDataField depth{};
    Utils::CopyText(depth.InstrumentID, "rb2105");
    Utils::CopyText(depth.UpdateTime, "09:30:01");
    depth.LastPrice = 3500;
    depth.BidPrice1 = 3499;
    depth.AskPrice1 = 3501;
    const int total = int(rate * seconds);
    const auto start = Clock::now();
    // Each millisecond's ticks go out together, then the thread sleeps: a
    // spinning pacer would take a core from the threads being measured.
    const int perMillisecond = std::max(1, rate / 1000);
    int sent = 0;
    for (int slot = 0; sent < total; ++slot) {
        std::this_thread::sleep_until(
            start + std::chrono::microseconds(1000LL * slot * perMillisecond * 1000 / rate));
        for (int i = 0; i < perMillisecond && sent < total; ++i, ++sent) {
            depth.Volume = sent;
            depth.Turnover = double(Now());
            market.OnRtnDepthMarketData(&depth);
        }
    }
    const double injectSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    // Let the last ticks arrive, then stop reading.
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // The latencies belong to the reader thread: ask it whether all arrived.
        bool complete = true;
        std::atomic<bool> done{false};
        asio::post(context, [&] {
            for (auto& receiver : receivers) {
                complete = complete && receiver->Latencies.size() >= size_t(total);
            }
            done = true;
        });
        while (!done.load()) {
            std::this_thread::yield();
        }
        if (complete) {
            break;
        }
    }
    context.stop();
    reader.join();

    std::vector<int64_t> all;
    size_t missing = 0;
    for (auto& receiver : receivers) {
        missing += size_t(total) - std::min(size_t(total), receiver->Latencies.size());
        all.insert(all.end(), receiver->Latencies.begin(), receiver->Latencies.end());
    }
    std::sort(all.begin(), all.end());
    auto percentile = [&](double p) {
        return all.empty() ? 0 : all[std::min(all.size() - 1, size_t(p * all.size()))];
    };
    return Result{clients,          total / injectSeconds, double(all.size()) / clients / injectSeconds,
                  percentile(0.50), percentile(0.99),      percentile(0.999),
                  missing};
}

} // namespace

int main(int argc, char** argv) {
    const int rate = argc > 1 ? std::atoi(argv[1]) : 20000;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;
    if (rate <= 0 || seconds <= 0) {
        std::fprintf(stderr, "usage: %s [ticks-per-second] [seconds]\n", argv[0]);
        return 2;
    }
    std::printf("%-8s %14s %16s %10s %10s %10s %8s\n", "clients", "injected/s", "delivered/s/cl", "p50 us",
                "p99 us", "p99.9 us", "missing");
    for (int clients : {1, 10, 100}) {
        const Result r = Run(clients, rate, seconds);
        std::printf("%-8d %14.0f %16.0f %10.1f %10.1f %10.1f %8zu\n", r.Clients, r.Injected, r.Delivered,
                    r.P50 / 1e3, r.P99 / 1e3, r.P999 / 1e3, r.Missing);
        std::fflush(stdout);
    }
    return 0;
}

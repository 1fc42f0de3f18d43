// Order round trip: the host's OrderAction to the order return at the host,
// through the stand-in CTP API and the simulated front; and a downstream CTP
// program's ReqOrderInsert to its OnRtnOrder, through the trade proxy as well.
// Beside a plain loopback TCP ping-pong measured in the same run. Orders rest
// far below the market, so every return is the front's acceptance.
//
// Usage: bench_roundtrip [orders]   (default 500)
#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPTrade.h"
#include "Utils/FieldText.h"
#include "sim/SimFront.h"

#include "ThostFtdcTraderApi.h"

#include <asio/connect.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Tesmora;
using Clock = std::chrono::steady_clock;

struct Percentiles {
    double P50, P99;
};

Percentiles Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    auto at = [&](double p) {
        return samples.empty() ? 0.0 : samples[std::min(samples.size() - 1, size_t(p * samples.size()))];
    };
    return {at(0.5), at(0.99)};
}

// 64 bytes there and back over loopback TCP, blocking, Nagle off.
std::vector<double> PingPong(int rounds) {
    asio::io_context context;
    asio::ip::tcp::acceptor acceptor(context,
                                     asio::ip::tcp::endpoint(asio::ip::make_address("127.0.0.1"), 0));
    std::thread echo([&] {
        asio::ip::tcp::socket peer = acceptor.accept();
        peer.set_option(asio::ip::tcp::no_delay(true));
        unsigned char buffer[64];
        std::error_code error;
        while (asio::read(peer, asio::buffer(buffer), error) == sizeof buffer) {
            asio::write(peer, asio::buffer(buffer), error);
        }
    });
    asio::ip::tcp::socket socket(context);
    socket.connect(acceptor.local_endpoint());
    socket.set_option(asio::ip::tcp::no_delay(true));
    std::vector<double> samples;
    unsigned char buffer[64] = {};
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        asio::write(socket, asio::buffer(buffer));
        asio::read(socket, asio::buffer(buffer));
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    socket.close();
    echo.join();
    return samples;
}

// Waits for the front's return of each order the host inserts.
class ReturnWaiter : public TradeApi::TradeListener {
public:
    void OnNotify(const TradeApi::NotifyParams& params) override {
        std::lock_guard<std::mutex> guard(Mutex);
        if (params.Type == TradeApi::NotifyType::Open && params.Result == TradeApi::NotifyResult::Success) {
            Opened = true;
        }
        if (params.Type == TradeApi::NotifyType::OrderAction) {
            Failures += 1;
        }
        Changed.notify_all();
    }
    void OnOrderUpdate(const TradeApi::Order& order) override {
        if (order.OrderStatus == TradeApi::OrderStatus::Unknown) {
            return; // the insertion's own echo on the caller's thread
        }
        std::lock_guard<std::mutex> guard(Mutex);
        LastReturned = order.OrderRef;
        Changed.notify_all();
    }
    void OnTradeOrderUpdate(const TradeApi::TradeOrder&) override {}
    void OnQueryOrder(const std::vector<TradeApi::Order>&) override {}
    void OnQueryTrade(const std::vector<TradeApi::TradeOrder>&) override {}
    void OnQueryInstrument(const std::vector<TradeApi::Instrument>&) override {}
    void OnQueryPosition(const std::vector<TradeApi::Position>&) override {}
    void OnQueryAccount(const TradeApi::Account&) override {}

    template <class Predicate> bool WaitFor(Predicate predicate) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(10), predicate);
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    bool Opened = false;
    int Failures = 0;
    std::string LastReturned;
};

TradeApi::Order RestingOrder(double price) {
    TradeApi::Order order;
    order.InstrumentID = "rb2105";
    order.ExchangeID = "SHFE";
    order.Direction = TradeApi::DirectionType::Buy;
    order.Price = price;
    order.Volume = 1;
    return order;
}

// A downstream CTP program's view of the same round trip.
class DownstreamClient : public CThostFtdcTraderSpi {
public:
    void OnFrontConnected() override {
        Signal([&] { Connected = true; });
    }
    void OnRspUserLogin(CThostFtdcRspUserLoginField*, CThostFtdcRspInfoField*, int, bool) override {
        Signal([&] { LoggedIn = true; });
    }
    void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField*, CThostFtdcRspInfoField*, int,
                                    bool) override {
        Signal([&] { Confirmed = true; });
    }
    void OnRtnOrder(CThostFtdcOrderField* order) override {
        Signal([&] { LastReturned = order->OrderRef; });
    }

    template <class Change> void Signal(Change change) {
        std::lock_guard<std::mutex> guard(Mutex);
        change();
        Changed.notify_all();
    }
    template <class Predicate> bool WaitFor(Predicate predicate) {
        std::unique_lock<std::mutex> lock(Mutex);
        return Changed.wait_for(lock, std::chrono::seconds(10), predicate);
    }

    std::mutex Mutex;
    std::condition_variable Changed;
    bool Connected = false, LoggedIn = false, Confirmed = false;
    std::string LastReturned;
};

} // namespace

int main(int argc, char** argv) {
    const int orders = argc > 1 ? std::atoi(argv[1]) : 500;
    if (orders <= 0) {
        std::fprintf(stderr, "usage: %s [orders]\n", argv[0]);
        return 2;
    }
    Sim::SimConfig config;
    config.TradePort = 0;
    config.MarketPort = 0;
    config.TickMilliseconds = 0;
    config.Accounts = {{"9999", "1001", "123456", 1e12}};
    Sim::SimFront front(config);
    if (!front.Start()) {
        std::fprintf(stderr, "the simulated front did not start\n");
        return 1;
    }
    TradeApi::BasePath::Trade().Set("/tmp/");
    // Below the bid but inside the day's price limits: the order rests, and the
    // market does not move (no ticks), so it never fills.
    CThostFtdcDepthMarketDataField quote{};
    front.CurrentQuote("rb2105", quote);
    const double restingPrice = quote.BidPrice1 - 20;

    ReturnWaiter waiter;
    TradeApi::CTPTrade trade;
    trade.SetListener(&waiter);
    TradeApi::OpenParams params;
    params.HostAddress = "tcp://127.0.0.1:" + std::to_string(front.TradePort());
    params.BrokerID = "9999";
    params.UserID = "1001";
    params.Password = "123456";
    params.Configs["CacheFolder"] = "bench_roundtrip";
    params.Configs["Proxy.IP"] = "127.0.0.1";
    params.Configs["Proxy.Port"] = "0";
    trade.Open(params);
    if (!waiter.WaitFor([&] { return waiter.Opened; })) {
        std::fprintf(stderr, "the adapter did not open\n");
        return 1;
    }

    std::vector<double> host;
    for (int i = 0; i < orders; ++i) {
        TradeApi::Order order = RestingOrder(restingPrice);
        const auto start = Clock::now();
        trade.OrderAction(order);
        if (!waiter.WaitFor([&] { return waiter.LastReturned == order.OrderRef || waiter.Failures > 0; }) ||
            waiter.Failures > 0) {
            std::fprintf(stderr, "order %s got no return\n", order.OrderRef.c_str());
            return 1;
        }
        host.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }

    DownstreamClient client;
    CThostFtdcTraderApi* api = CThostFtdcTraderApi::CreateFtdcTraderApi("");
    api->RegisterSpi(&client);
    api->Init();
    std::string proxy =
        "tcp://127.0.0.1:" + std::to_string(trade.GetProxyServer()->GetServer()->GetBoundPort());
    api->RegisterFront(&proxy[0]);
    CThostFtdcReqUserLoginField login{};
    CThostFtdcSettlementInfoConfirmField confirm{};
    if (!client.WaitFor([&] { return client.Connected; }) || api->ReqUserLogin(&login, 1) != 0 ||
        !client.WaitFor([&] { return client.LoggedIn; }) || api->ReqSettlementInfoConfirm(&confirm, 2) != 0 ||
        !client.WaitFor([&] { return client.Confirmed; })) {
        std::fprintf(stderr, "the downstream client could not log in through the proxy\n");
        return 1;
    }
    std::vector<double> downstream;
    for (int i = 0; i < orders; ++i) {
        CThostFtdcInputOrderField request{};
        const std::string ref = std::to_string(i + 1);
        Utils::CopyText(request.InstrumentID, "rb2105");
        Utils::CopyText(request.ExchangeID, "SHFE");
        Utils::CopyText(request.OrderRef, ref);
        request.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
        request.Direction = THOST_FTDC_D_Buy;
        request.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
        request.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
        request.LimitPrice = restingPrice;
        request.VolumeTotalOriginal = 1;
        request.TimeCondition = THOST_FTDC_TC_GFD;
        request.VolumeCondition = THOST_FTDC_VC_AV;
        const auto start = Clock::now();
        if (api->ReqOrderInsert(&request, 100 + i) != 0 ||
            !client.WaitFor([&] { return client.LastReturned == ref; })) {
            std::fprintf(stderr, "downstream order %s got no return\n", ref.c_str());
            return 1;
        }
        downstream.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    api->Release();
    trade.Close();
    front.Stop();

    const Percentiles ping = Summarise(PingPong(std::max(orders, 1000)));
    const Percentiles direct = Summarise(host);
    const Percentiles proxied = Summarise(downstream);
    std::printf("%-44s %10s %10s %12s\n", "path", "p50 us", "p99 us", "p50 / ping");
    std::printf("%-44s %10.1f %10.1f %12.2f\n", "loopback TCP ping-pong, 64 bytes", ping.P50, ping.P99, 1.0);
    std::printf("%-44s %10.1f %10.1f %12.2f\n", "host OrderAction -> order return", direct.P50, direct.P99,
                direct.P50 / ping.P50);
    std::printf("%-44s %10.1f %10.1f %12.2f\n", "downstream ReqOrderInsert -> OnRtnOrder", proxied.P50,
                proxied.P99, proxied.P50 / ping.P50);
    return 0;
}

// tesmora-gateway: loads the adapter library as a host does, opens a trade and
// a market adapter whose proxies re-serve the front to downstream CTP
// programs, prints every notification and a status line, and closes cleanly
// on SIGINT or SIGTERM.
#include "ConnectionCounter.h"
#include "Options.h"

#include "TradeApi/TradeApiFactory.h"

#include <dlfcn.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

using namespace Tesmora::TradeApi;
using Tesmora::Gateway::Options;

namespace {

const char* TypeName(int type) {
    struct Name {
        int Type;
        const char* Text;
    };
    static const Name names[] = {
        {NotifyType::Error, "Error"},
        {NotifyType::Close, "Close"},
        {NotifyType::Connect, "Connect"},
        {NotifyType::Authenticate, "Authenticate"},
        {NotifyType::Login, "Login"},
        {NotifyType::Open, "Open"},
        {NotifyType::Logout, "Logout"},
        {NotifyType::Disconnect, "Disconnect"},
        {NotifyType::Subscribe, "Subscribe"},
        {NotifyType::Unsubscribe, "Unsubscribe"},
        {NotifyType::OrderAction, "OrderAction"},
        {NotifyType::QueryOrder, "QueryOrder"},
        {NotifyType::QueryTrade, "QueryTrade"},
        {NotifyType::QueryInstrument, "QueryInstrument"},
        {NotifyType::QueryPosition, "QueryPosition"},
        {NotifyType::QueryAccount, "QueryAccount"},
        {NotifyType::QueryMarginRate, "QueryMarginRate"},
        {NotifyType::QueryCommissionRate, "QueryCommissionRate"},
        {NotifyType::InstrumentStatus, "InstrumentStatus"},
    };
    for (const Name& name : names) {
        if (name.Type == type) {
            return name.Text;
        }
    }
    return "Unknown";
}

void PrintNotification(const char* side, const NotifyParams& params) {
    std::string line = std::string("gateway: ") + side + " " + TypeName(params.Type) +
                       (params.Result == NotifyResult::Success ? " Success" : " Failed");
    for (const ErrorInfo& error : params.Errors) {
        line += " [" + error.Code;
        if (!error.ProviderCode.empty()) {
            line += " " + error.ProviderCode;
        }
        if (!error.ProviderMessage.empty()) {
            line += " " + error.ProviderMessage;
        }
        line += "]";
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class TradePrinter : public TradeListener {
public:
    void OnNotify(const NotifyParams& params) override { PrintNotification("trade", params); }
    void OnOrderUpdate(const Order& order) override {
        std::printf("gateway: trade order %s %s status=%d traded=%lld/%lld %s\n", order.InstrumentID.c_str(),
                    order.OrderRef.c_str(), int(order.OrderStatus),
                    static_cast<long long>(order.Volume - order.NoTradedVolume),
                    static_cast<long long>(order.Volume), order.StatusMsg.c_str());
        std::fflush(stdout);
    }
    void OnTradeOrderUpdate(const TradeOrder& trade) override {
        std::printf("gateway: trade fill %s %s %lld@%.2f\n", trade.InstrumentID.c_str(),
                    trade.TradeID.c_str(), static_cast<long long>(trade.Volume), trade.Price);
        std::fflush(stdout);
    }
    void OnQueryOrder(const std::vector<Order>&) override {}
    void OnQueryTrade(const std::vector<TradeOrder>&) override {}
    void OnQueryInstrument(const std::vector<Instrument>&) override {}
    void OnQueryPosition(const std::vector<Position>&) override {}
    void OnQueryAccount(const Account&) override {}
};

class MarketPrinter : public MarketListener {
public:
    MarketPrinter(IMarket*& market, const std::vector<std::string>& subscriptions)
        : Market(market), Subscriptions(subscriptions) {}

    void OnNotify(const NotifyParams& params) override {
        PrintNotification("market", params);
        // Subscriptions made after each Open are kept by the adapter across reconnections.
        if (params.Type == NotifyType::Open && params.Result == NotifyResult::Success &&
            !Subscribed.exchange(true)) {
            for (const std::string& instrument : Subscriptions) {
                QueryParams query;
                query.InstrumentID = instrument;
                Market->Subscribe(query);
            }
        }
    }
    void OnSubscribed(const QueryParams& params) override {
        std::printf("gateway: market subscribed %s\n", params.InstrumentID.c_str());
        std::fflush(stdout);
    }
    void OnUnsubscribed(const QueryParams&) override {}
    void OnTick(const Tick&) override { Ticks.fetch_add(1, std::memory_order_relaxed); }

    std::atomic<long> Ticks{0}; // CTP callback thread counts, main thread reads

private:
    IMarket*& Market; // set before Open, read on the callback thread afterwards
    const std::vector<std::string>& Subscriptions;
    std::atomic<bool> Subscribed{false};
};

const char* StateName(bool opened) {
    return opened ? "open" : "down";
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!options.Parse(argc, argv)) {
        return 2;
    }
    // Every thread the library starts inherits this mask, so the signals reach
    // only the sigtimedwait below.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    void* library = dlopen(options.Library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "gateway: cannot load %s: %s\n", options.Library.c_str(), dlerror());
        return 1;
    }
    auto createTrade =
        reinterpret_cast<Tesmora_CreateTradeInstanceFn>(dlsym(library, "Tesmora_CreateTradeInstance"));
    auto createMarket =
        reinterpret_cast<Tesmora_CreateMarketInstanceFn>(dlsym(library, "Tesmora_CreateMarketInstance"));
    if (createTrade == nullptr || createMarket == nullptr) {
        std::fprintf(stderr, "gateway: %s exports no adapter factories\n", options.Library.c_str());
        dlclose(library);
        return 1;
    }

    IMarket* market = nullptr;
    TradePrinter tradePrinter;
    MarketPrinter marketPrinter(market, options.Subscriptions);
    std::unique_ptr<ITrade> trade(createTrade(options.CachePath.c_str(), nullptr));
    std::unique_ptr<IMarket> marketOwner(createMarket(options.CachePath.c_str(), nullptr));
    market = marketOwner.get();
    std::printf("gateway: adapter %s, interface %s, built for %s\n", trade->GetVersion(0),
                trade->GetVersion(-1), trade->GetVersion(1));
    trade->SetListener(&tradePrinter);
    market->SetListener(&marketPrinter);

    OpenParams params;
    params.BrokerID = options.BrokerID;
    params.UserID = options.UserID;
    params.Password = options.Password;
    params.IsUTF8 = options.Utf8;
    params.Configs["Proxy.IP"] = options.ProxyIP;
    if (!options.AppID.empty()) {
        params.Configs["AppID"] = options.AppID;
    }
    if (!options.AuthCode.empty()) {
        params.Configs["AuthCode"] = options.AuthCode;
    }
    OpenParams tradeParams = params;
    tradeParams.HostAddress = options.TradeFront;
    tradeParams.Configs["Proxy.Port"] = options.TradeProxyPort;
    OpenParams marketParams = params;
    marketParams.HostAddress = options.MarketFront;
    marketParams.Configs["Proxy.Port"] = options.MarketProxyPort;
    std::printf("gateway: trade front %s, proxy %s:%s; market front %s, proxy %s:%s\n",
                options.TradeFront.c_str(), options.ProxyIP.c_str(), options.TradeProxyPort.c_str(),
                options.MarketFront.c_str(), options.ProxyIP.c_str(), options.MarketProxyPort.c_str());
    std::fflush(stdout);
    trade->Open(tradeParams);
    market->Open(marketParams);

    const auto started = std::chrono::steady_clock::now();
    auto lastStatus = started;
    long lastTicks = 0;
    const auto tradePort = static_cast<uint16_t>(std::atoi(options.TradeProxyPort.c_str()));
    const auto marketPort = static_cast<uint16_t>(std::atoi(options.MarketProxyPort.c_str()));
    for (;;) {
        timespec second{1, 0};
        const int signal = sigtimedwait(&signals, nullptr, &second);
        if (signal == SIGINT || signal == SIGTERM) {
            std::printf("gateway: %s received, closing\n", signal == SIGINT ? "SIGINT" : "SIGTERM");
            break;
        }
        const auto now = std::chrono::steady_clock::now();
        if (options.DurationSeconds > 0 && now - started >= std::chrono::seconds(options.DurationSeconds)) {
            break;
        }
        if (options.StatusSeconds > 0 && now - lastStatus >= std::chrono::seconds(options.StatusSeconds)) {
            const long ticks = marketPrinter.Ticks.load(std::memory_order_relaxed);
            const double seconds = std::chrono::duration<double>(now - lastStatus).count();
            std::printf("gateway: status trade=%s market=%s ticks/s=%.1f clients trade=%d market=%d\n",
                        StateName(trade->IsOpened()), StateName(market->IsOpened()),
                        (ticks - lastTicks) / seconds, Tesmora::Gateway::CountConnections(tradePort),
                        Tesmora::Gateway::CountConnections(marketPort));
            std::fflush(stdout);
            lastTicks = ticks;
            lastStatus = now;
        }
    }
    trade->Close();
    market->Close();
    trade.reset();
    marketOwner.reset();
    dlclose(library);
    std::printf("gateway: closed\n");
    return 0;
}

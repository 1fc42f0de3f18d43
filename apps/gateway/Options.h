#pragma once

#include <string>
#include <vector>

namespace Tesmora {
namespace Gateway {

// Command-line settings of the gateway.
struct Options {
    std::string Library = "libtesmora_ctp.so";
    std::string TradeFront = "tcp://127.0.0.1:41205";
    std::string MarketFront = "tcp://127.0.0.1:41213";
    std::string BrokerID = "9999";
    std::string UserID = "1001";
    std::string Password = "123456";
    std::string AppID;
    std::string AuthCode;
    std::string ProxyIP = "127.0.0.1";
    std::string TradeProxyPort = "30222";
    std::string MarketProxyPort = "30223";
    std::string CachePath = "./";
    std::vector<std::string> Subscriptions; // instruments the gateway subscribes itself
    bool Utf8 = true;
    int StatusSeconds = 5;
    int DurationSeconds = 0; // 0: until SIGINT or SIGTERM

    // Parses argv; on a bad or unknown option writes the usage to stderr and
    // returns false.
    bool Parse(int argc, char** argv);
    static void PrintUsage(const char* program);
};

} // namespace Gateway
} // namespace Tesmora

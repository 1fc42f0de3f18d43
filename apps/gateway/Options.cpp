#include "Options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Tesmora {
namespace Gateway {

namespace {

bool ToInt(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000) {
        return false;
    }
    value = int(parsed);
    return true;
}

} // namespace

void Options::PrintUsage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [options]\n"
                 "  --library PATH           adapter library (default libtesmora_ctp.so)\n"
                 "  --trade-front ADDRESS    trade front, tcp://host:port (default tcp://127.0.0.1:41205)\n"
                 "  --market-front ADDRESS   market-data front (default tcp://127.0.0.1:41213)\n"
                 "  --broker ID --user ID --password TEXT   credentials (default 9999 / 1001 / 123456)\n"
                 "  --app-id ID --auth-code CODE            client authentication, when the front wants it\n"
                 "  --proxy-ip ADDRESS       address the proxies listen on (default 127.0.0.1)\n"
                 "  --trade-proxy-port PORT  (default 30222)   --market-proxy-port PORT (default 30223)\n"
                 "  --cache PATH             base folder of the flow files, ending in / (default ./)\n"
                 "  --subscribe INSTRUMENT   subscribe on the gateway's own session (repeatable)\n"
                 "  --gbk                    hand front texts through unchanged (default: convert to UTF-8)\n"
                 "  --status SECONDS         status line interval (default 5, 0 = none)\n"
                 "  --duration SECONDS       stop after this long (default: run until SIGINT or SIGTERM)\n",
                 program);
}

bool Options::Parse(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        struct Text {
            const char* Name;
            std::string* Target;
        };
        const Text texts[] = {
            {"--library", &Library},
            {"--trade-front", &TradeFront},
            {"--market-front", &MarketFront},
            {"--broker", &BrokerID},
            {"--user", &UserID},
            {"--password", &Password},
            {"--app-id", &AppID},
            {"--auth-code", &AuthCode},
            {"--proxy-ip", &ProxyIP},
            {"--trade-proxy-port", &TradeProxyPort},
            {"--market-proxy-port", &MarketProxyPort},
            {"--cache", &CachePath},
        };
        bool matched = false;
        for (const Text& text : texts) {
            if (std::strcmp(name, text.Name) == 0) {
                const char* v = value();
                if (v == nullptr) {
                    PrintUsage(argv[0]);
                    return false;
                }
                *text.Target = v;
                matched = true;
            }
        }
        if (matched) {
            continue;
        }
        if (std::strcmp(name, "--subscribe") == 0) {
            const char* v = value();
            if (v == nullptr) {
                PrintUsage(argv[0]);
                return false;
            }
            Subscriptions.emplace_back(v);
        } else if (std::strcmp(name, "--gbk") == 0) {
            Utf8 = false;
        } else if (std::strcmp(name, "--status") == 0 || std::strcmp(name, "--duration") == 0) {
            const char* v = value();
            int& target = name[2] == 's' ? StatusSeconds : DurationSeconds;
            if (v == nullptr || !ToInt(v, target)) {
                PrintUsage(argv[0]);
                return false;
            }
        } else {
            PrintUsage(argv[0]);
            return false;
        }
    }
    return true;
}

} // namespace Gateway
} // namespace Tesmora

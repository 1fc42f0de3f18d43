// tesmora-simfront: a simulated CTP front on two TCP ports until SIGINT or SIGTERM.
#include "sim/CommandLine.h"
#include "sim/SimFront.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

using namespace Tesmora::Sim;

int main(int argc, char* argv[]) {
    SimConfig config;
    std::string error;
    if (!ParseCommandLine(argc, argv, config, error)) {
        const bool help = error.empty();
        if (!help) {
            std::fprintf(stderr, "tesmora-simfront: %s\n", error.c_str());
        }
        std::fputs(Usage("tesmora-simfront").c_str(), help ? stdout : stderr);
        return help ? 0 : 2;
    }

    // A shell starts background jobs with SIGINT ignored, and an ignored signal never reaches sigwait:
    // a handler makes both signals count. They are taken by sigwait below, so every thread the front
    // starts inherits them blocked.
    std::signal(SIGINT, [](int) {});
    std::signal(SIGTERM, [](int) {});
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    SimFront front(config);
    if (!front.Start()) {
        std::fprintf(stderr, "tesmora-simfront: cannot listen on %s ports %u and %u\n",
                     config.Address.c_str(), unsigned(config.TradePort), unsigned(config.MarketPort));
        return 1;
    }
    int received = 0;
    sigwait(&signals, &received);
    std::printf("sim: %s received, stopping\n", received == SIGINT ? "SIGINT" : "SIGTERM");
    front.Stop();
    return 0;
}

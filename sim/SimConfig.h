#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tesmora {
namespace Sim {

// One investor account of the simulated broker.
struct SimAccount {
    std::string BrokerID;
    std::string UserID;
    std::string Password;
    double Balance = 0; // the pre-balance the trading day starts with
};

// How a SimFront listens and what it simulates. The defaults are those of the
// tesmora-simfront program.
struct SimConfig {
    uint16_t TradePort = 41205; // 0: an ephemeral port, see SimFront::TradePort
    uint16_t MarketPort = 41213;
    std::string Address = "127.0.0.1";
    int TickMilliseconds = 500; // 0: no timer; the market moves only by SimFront::Tick
    uint64_t Seed = 42;         // of the random walk, so a run can be repeated
    std::vector<SimAccount> Accounts = {{"9999", "1001", "123456", 1000000.0}};
};

} // namespace Sim
} // namespace Tesmora

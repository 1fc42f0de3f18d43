#include "sim/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Tesmora {
namespace Sim {

namespace {

// The whole text as an unsigned number no larger than max.
bool ReadUnsigned(const std::string& text, unsigned long long max, unsigned long long& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtoull(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value <= max;
}

bool ReadBalance(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value) && value >= 0;
}

bool ReadAccount(const std::string& text, SimAccount& account) {
    std::string parts[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t colon = i < 3 ? text.find(':', start) : std::string::npos;
        if (i < 3 && colon == std::string::npos) {
            return false;
        }
        parts[i] = text.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        start = colon + 1;
    }
    // Longer texts would be cut by the records that carry them, and two users could look alike.
    if (parts[0].empty() || parts[0].size() > 10 || parts[1].empty() || parts[1].size() > 12 ||
        parts[2].size() > 40) {
        return false;
    }
    account.BrokerID = parts[0];
    account.UserID = parts[1];
    account.Password = parts[2];
    return ReadBalance(parts[3], account.Balance);
}

} // namespace

std::string Usage(const std::string& program) {
    return "usage: " + program +
           " [--trade-port N] [--market-port N] [--address IP] [--tick-ms N] [--seed N]"
           " [--account broker:user:password:balance]...\n"
           "  defaults: --trade-port 41205 --market-port 41213 --address 127.0.0.1 --tick-ms 500 --seed 42,\n"
           "  one account 9999:1001:123456:1000000; ports 0 take ephemeral ports, --tick-ms 0 stops the "
           "ticks\n";
}

bool ParseCommandLine(int argc, const char* const argv[], SimConfig& config, std::string& error) {
    error.clear();
    bool accountsGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string value;
        bool hasValue = false;
        const size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        if (name == "--help" || name == "-h") {
            return false;
        }
        if (name != "--trade-port" && name != "--market-port" && name != "--address" && name != "--tick-ms" &&
            name != "--seed" && name != "--account") {
            error = "unknown option " + name;
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        unsigned long long number = 0;
        if (name == "--trade-port" || name == "--market-port") {
            if (!ReadUnsigned(value, 65535, number)) {
                error = name + " takes a port number from 0 to 65535, not '" + value + "'";
                return false;
            }
            (name == "--trade-port" ? config.TradePort : config.MarketPort) = uint16_t(number);
        } else if (name == "--tick-ms") {
            if (!ReadUnsigned(value, 3600000, number)) {
                error = "--tick-ms takes milliseconds from 0 to 3600000, not '" + value + "'";
                return false;
            }
            config.TickMilliseconds = int(number);
        } else if (name == "--seed") {
            if (!ReadUnsigned(value, std::numeric_limits<uint64_t>::max(), number)) {
                error = "--seed takes an unsigned 64-bit number, not '" + value + "'";
                return false;
            }
            config.Seed = number;
        } else if (name == "--address") {
            if (value.empty()) {
                error = "--address needs an IP address";
                return false;
            }
            config.Address = value;
        } else {
            SimAccount account;
            if (!ReadAccount(value, account)) {
                error =
                    "--account takes broker:user:password:balance (balance a number of at least 0), not '" +
                    value + "'";
                return false;
            }
            if (!accountsGiven) {
                config.Accounts.clear();
                accountsGiven = true;
            }
            config.Accounts.push_back(account);
        }
    }
    return true;
}

} // namespace Sim
} // namespace Tesmora

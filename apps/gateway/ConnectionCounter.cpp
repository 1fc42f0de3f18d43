#include "ConnectionCounter.h"

#include <fstream>
#include <sstream>
#include <string>

namespace Tesmora {
namespace Gateway {

namespace {

constexpr const char* Established = "01";

int CountIn(const char* table, uint16_t port) {
    std::ifstream file(table);
    std::string line;
    std::getline(file, line); // column titles
    int count = 0;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string slot, local, remote, state;
        fields >> slot >> local >> remote >> state;
        const size_t colon = local.rfind(':');
        if (colon == std::string::npos || state != Established) {
            continue;
        }
        if (std::stoul(local.substr(colon + 1), nullptr, 16) == port) {
            ++count;
        }
    }
    return count;
}

} // namespace

int CountConnections(uint16_t port) {
    return CountIn("/proc/net/tcp", port) + CountIn("/proc/net/tcp6", port);
}

} // namespace Gateway
} // namespace Tesmora

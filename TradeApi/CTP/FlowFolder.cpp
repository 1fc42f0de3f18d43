#include "TradeApi/CTP/FlowFolder.h"

#include <sys/stat.h>
#include <sys/types.h>

namespace Tesmora {
namespace TradeApi {

namespace {

constexpr size_t MaxFlowPath = 255;

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

} // namespace

bool CreateFlowFolder(const std::string& path) {
    if (path.size() > MaxFlowPath) {
        return false;
    }
    std::string folder = path;
    if (!folder.empty() && IsSeparator(folder.back())) {
        folder.pop_back();
    }
    if (folder.empty()) {
        return false;
    }
    for (size_t i = 1; i < folder.size(); ++i) {
        if (IsSeparator(folder[i])) {
            mkdir(folder.substr(0, i).c_str(), 0700); // failures show in the final test
        }
    }
    mkdir(folder.c_str(), 0700);
    struct stat status;
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string FrontAddress(const std::string& hostAddress, int hostProtocol) {
    if (hostAddress.size() >= 6 && hostAddress.compare(3, 3, "://") == 0) {
        return hostAddress;
    }
    return (hostProtocol == 1 ? "udp://" : "tcp://") + hostAddress;
}

} // namespace TradeApi
} // namespace Tesmora

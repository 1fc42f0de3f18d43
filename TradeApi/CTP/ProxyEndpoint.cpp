#include "TradeApi/CTP/ProxyEndpoint.h"

#include "TradeApi/ConfigKeys.h"
#include "TradeApi/TextToInt.h"

namespace Tesmora {
namespace TradeApi {

bool ProxyEndpoint(const std::map<std::string, std::string>& configs, std::string& address, uint16_t& port) {
    const auto ip = configs.find(ConfigKey::ProxyIP);
    const auto portText = configs.find(ConfigKey::ProxyPort);
    if (portText != configs.end()) {
        port = static_cast<uint16_t>(TextToInt(portText->second) & 0xFFFF);
        address = ip != configs.end() ? ip->second : std::string();
        return true;
    }
    if (ip != configs.end()) {
        address = ip->second;
        port = DefaultProxyPort;
        return true;
    }
    return false;
}

} // namespace TradeApi
} // namespace Tesmora

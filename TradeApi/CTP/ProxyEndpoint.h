#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace Tesmora {
namespace TradeApi {

// Where the proxy service listens, from "Proxy.IP" and "Proxy.Port": true when
// either key is present. The port is the text-to-integer value of "Proxy.Port"
// cut to 16 bits, or 30222 when only "Proxy.IP" is given; the address is
// "Proxy.IP" or empty. The keys are looked up without inserting them.
bool ProxyEndpoint(const std::map<std::string, std::string>& configs, std::string& address, uint16_t& port);

} // namespace TradeApi
} // namespace Tesmora

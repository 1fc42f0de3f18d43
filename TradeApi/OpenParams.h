#pragma once

#include <map>
#include <string>

namespace Tesmora {
namespace TradeApi {

// Everything Open needs. The adapter keeps its own copy; the configuration
// entries it writes (login values, "UserName") appear only in that copy.
class OpenParams {
public:
    OpenParams() = default;
    OpenParams(const OpenParams&) = default;
    OpenParams(OpenParams&&) = default;
    OpenParams& operator=(const OpenParams&) = default;
    OpenParams& operator=(OpenParams&&) = default;
    virtual ~OpenParams() = default;

    std::string UserID;
    std::string Password;
    std::string HostAddress; // host:port, with or without a scheme such as "tcp://"
    std::string BrokerID;
    int HostProtocol = 0; // scheme for an address without one: 1 "udp://", else "tcp://"
    bool IsUTF8 = false;  // convert GBK texts from the front to UTF-8
    bool AuxFlag = true;  // carried for other adapters of the interface
    std::map<std::string, std::string> Configs;
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include <string>

namespace Tesmora {
namespace TradeApi {

// Creates a folder and every missing parent with permission 0700; true when
// the path is a directory afterwards. A path longer than 255 characters is
// refused rather than cut to a different folder.
bool CreateFlowFolder(const std::string& path);

// The front address to register: unchanged when it already carries a scheme
// ("tcp://", "udp://": "://" at positions 3 to 5), otherwise with "udp://"
// (protocol 1) or "tcp://" in front.
std::string FrontAddress(const std::string& hostAddress, int hostProtocol);

} // namespace TradeApi
} // namespace Tesmora

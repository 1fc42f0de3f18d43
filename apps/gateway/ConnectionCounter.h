#pragma once

#include <cstdint>

namespace Tesmora {
namespace Gateway {

// Established TCP connections whose local port is `port`, as the kernel lists
// them in /proc/net/tcp and /proc/net/tcp6: the downstream clients of a proxy.
int CountConnections(uint16_t port);

} // namespace Gateway
} // namespace Tesmora

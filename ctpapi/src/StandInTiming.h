#pragma once

#include <chrono>

namespace Tesmora {
namespace CtpApi {

// The stand-in API's intervals. Tests shorten them through the environment
// (milliseconds): TESMORA_CTP_KEEPALIVE_MS, TESMORA_CTP_RECONNECT_MS and
// TESMORA_CTP_QUERY_INTERVAL_MS, read when an API object is created.
struct StandInTiming {
    std::chrono::milliseconds KeepAlive{5000};
    std::chrono::milliseconds Reconnect{3000};
    std::chrono::milliseconds QueryInterval{1000};

    static StandInTiming FromEnvironment();
};

} // namespace CtpApi
} // namespace Tesmora

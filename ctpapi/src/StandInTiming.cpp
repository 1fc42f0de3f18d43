#include "StandInTiming.h"

#include <cstdlib>

namespace Tesmora {
namespace CtpApi {

namespace {

void Override(std::chrono::milliseconds& value, const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr) {
        return;
    }
    char* end = nullptr;
    const long milliseconds = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && milliseconds >= 0) {
        value = std::chrono::milliseconds(milliseconds);
    }
}

} // namespace

StandInTiming StandInTiming::FromEnvironment() {
    StandInTiming timing;
    Override(timing.KeepAlive, "TESMORA_CTP_KEEPALIVE_MS");
    Override(timing.Reconnect, "TESMORA_CTP_RECONNECT_MS");
    Override(timing.QueryInterval, "TESMORA_CTP_QUERY_INTERVAL_MS");
    if (timing.KeepAlive.count() == 0) {
        timing.KeepAlive = std::chrono::milliseconds(1);
    }
    return timing;
}

} // namespace CtpApi
} // namespace Tesmora

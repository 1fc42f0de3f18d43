#pragma once

#include <cstddef>

namespace Tesmora {
namespace NetApi {

class ISession;

// An optional per-session stage that takes over the session's incoming bytes
// and the outgoing bytes of cooperating senders. A sender that finds a filter
// on a session hands its bytes to FilterSend; the filter passes its output to
// the session's Send.
class IFilter {
public:
    virtual ~IFilter() = default;
    // Any thread that sends.
    virtual void FilterSend(const unsigned char* data, size_t length, ISession* session) = 0;
    // The session's worker thread; the bytes are valid only during the call.
    virtual void FilterReceive(const unsigned char* data, size_t length, ISession* session) = 0;
};

} // namespace NetApi
} // namespace Tesmora

#pragma once

namespace Tesmora {
namespace NetApi {

// The last, orderly release a server gives each session when it stops, after
// its worker threads are joined: release the socket and the receive buffer and,
// if the session still counts as connected, raise its single close notification.
class IFinalizable {
public:
    virtual ~IFinalizable() = default;
    virtual void Finalize() = 0;
};

} // namespace NetApi
} // namespace Tesmora

#pragma once

#include "NetApi/ISession.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Tesmora {
namespace NetApi {

// A listening endpoint that produces sessions. Settings are read by Start.
// Start and Stop are called from one controlling thread, never concurrently.
class IServer {
public:
    IServer() = default;
    IServer(const IServer&) = delete;
    IServer& operator=(const IServer&) = delete;
    virtual ~IServer() = default;

    // Bind, listen and accept; false if already started or the bind failed.
    virtual bool Start() = 0;
    // Stop accepting, end every session, join every thread. Nothing when stopped.
    virtual void Stop() = 0;
    // Live sessions per worker thread, in thread order; empty before Start.
    virtual std::vector<int> GetThreadLoads() = 0;
    // How often, in accepted sessions, the registry of sessions is swept.
    virtual void SetPurgeInterval(size_t interval);

    virtual void OnError(int code, const std::string& message);
    virtual void OnAccept(std::shared_ptr<ISession>& session);

    // Start or accept failure; on the accept thread or the caller of Start.
    std::function<void(int code, const std::string& message)> ErrorHandler;
    // A new connection, before it starts receiving; on the accept thread.
    std::function<void(std::shared_ptr<ISession>& session)> SessionHandler;
    std::string Address; // IPv6 or IPv4 text; empty binds "0.0.0.0"
    uint16_t Port = 16801;
    int ThreadCount = 0; // 0: the number of processors
};

} // namespace NetApi
} // namespace Tesmora

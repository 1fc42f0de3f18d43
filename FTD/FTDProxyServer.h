#pragma once

#include "NetApi/TCPServer.h"
#include "Utils/SlimLock.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tesmora {
namespace FTD {

// What the trade and the market proxy servers share: the TCP listener, the
// list of connected sessions and how sessions join and leave it.
//
// Threads: AddSession runs on the TCP server's accept thread, RemoveSession on
// a worker thread (or on the thread stopping the server), the broadcasts of the
// derived servers on the adapter's callback thread. ListLock serialises them;
// it is taken before any session's own lock.
template <class Session, class Adapter> class FTDProxyServer {
public:
    explicit FTDProxyServer(Adapter* adapter) : Owner(adapter) {}
    FTDProxyServer(const FTDProxyServer&) = delete;
    FTDProxyServer& operator=(const FTDProxyServer&) = delete;

    // The listener goes first: stopping it ends every connection, whose close
    // handlers still find the list; then the list lets go of the sessions.
    virtual ~FTDProxyServer() {
        Server.reset();
        Utils::SlimLockGuard guard(ListLock);
        Sessions.clear();
    }

    // Creates the TCP server, configures and starts it; false when it could not
    // bind. Throws std::system_error when `address` is no IP address text.
    bool Listen(const std::string& address, uint16_t port) {
        auto server = std::make_unique<NetApi::TCPServer>();
        server->Address = address;
        server->Port = port;
        server->SessionHandler = [this](std::shared_ptr<NetApi::ISession>& session) { AddSession(session); };
        NetApi::TCPServer* started = server.get();
        Server = std::move(server);
        return started->Start();
    }

    void AddSession(std::shared_ptr<NetApi::ISession>& netSession) {
        auto session = std::make_shared<Session>(Owner, netSession.get());
        Session* raw = session.get();
        netSession->ReceiveHandler = [session](const unsigned char* data, size_t length) {
            session->Feed(data, length);
        };
        netSession->CloseHandler = [this, raw] { RemoveSession(raw); };
        netSession->ErrorHandler = [session](int code, const std::string& message) {
            session->OnNetError(code, message);
        };
        Utils::SlimLockGuard guard(ListLock);
        Sessions.emplace_back(raw, std::move(session));
    }

    void RemoveSession(Session* session) {
        std::printf("* OnDisconnect\n");
        Utils::SlimLockGuard guard(ListLock);
        for (auto entry = Sessions.begin(); entry != Sessions.end(); ++entry) {
            if (entry->first == session) {
                Sessions.erase(entry);
                break;
            }
        }
    }

    size_t SessionCount() {
        Utils::SlimLockGuard guard(ListLock);
        return Sessions.size();
    }

    // The listener, or null when none was asked for.
    NetApi::TCPServer* GetServer() const { return Server.get(); }

protected:
    // Runs `step` for every session, in accept order, under the list lock.
    template <class Step> void ForEachSession(Step&& step) {
        Utils::SlimLockGuard guard(ListLock);
        for (auto& entry : Sessions) {
            step(*entry.first);
        }
    }

    // Not owned: the adapter that owns this server.
    Adapter* const Owner;
    std::unique_ptr<NetApi::TCPServer> Server;
    Utils::SlimLock ListLock;
    std::vector<std::pair<Session*, std::shared_ptr<Session>>> Sessions; // guarded by ListLock
};

} // namespace FTD
} // namespace Tesmora

#pragma once

#include "sim/ClientConnection.h"

#include <set>
#include <string>

namespace Tesmora {
namespace Sim {

// One client of the market-data port: login, logout, subscriptions, and the
// quotes of its subscribed instruments.
//
// Threads: requests are handled on the connection's worker thread with
// Hub.Mutex held throughout; quotes are pushed with Hub.Mutex held from the
// timer thread or whoever calls SimFront::Tick.
class MarketConnection : public ClientConnection {
public:
    MarketConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session);

    // With Hub.Mutex held.
    bool IsSubscribed(const char* instrumentID) const { return Subscribed.count(instrumentID) != 0; }

protected:
    void HandleRequest() override;

private:
    void Login();
    void Logout();
    void Subscribe(bool subscribe);

    // Guarded by Hub.Mutex: written by this connection's requests, read by pushes.
    bool LoggedIn = false;
    std::string UserID;
    std::set<std::string> Subscribed;
};

} // namespace Sim
} // namespace Tesmora

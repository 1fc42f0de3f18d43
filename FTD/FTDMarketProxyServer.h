#pragma once

#include "FTD/FTDMarketSession.h"
#include "FTD/FTDProxyServer.h"
#include "TradeApi/IMarket.h"
#include "TradeApi/Tick.h"

#include <atomic>

namespace Tesmora {
namespace FTD {

// The market adapter's end of the proxy service: every tick goes to every
// connected downstream client, logged in or not. BroadcastTick runs on the
// adapter's callback thread.
class FTDMarketProxyServer : public FTDProxyServer<FTDMarketSession, TradeApi::IMarket> {
public:
    explicit FTDMarketProxyServer(TradeApi::IMarket* market) : FTDProxyServer(market) {}

    // The tick is encoded once; every session is sent the same bytes.
    void BroadcastTick(const TradeApi::Tick& tick);

private:
    FTDPackage TickPackage; // callback thread only; its buffers are reused
};

} // namespace FTD
} // namespace Tesmora

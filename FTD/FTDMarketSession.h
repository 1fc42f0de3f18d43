#pragma once

#include "FTD/FTDProxySession.h"
#include "TradeApi/IMarket.h"

namespace Tesmora {
namespace FTD {

// One downstream CTP market-data client of the market proxy: its login is
// answered here, its subscriptions go to the market adapter, and it receives
// every tick the proxy server broadcasts. Parser callbacks run on the
// connection's worker thread.
class FTDMarketSession : public FTDProxySession {
public:
    FTDMarketSession(TradeApi::IMarket* market, NetApi::ISession* netSession);

    void OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length) override;

    // The bytes of one encoded tick, the same for every session. Any thread.
    void SendTick(const unsigned char* data, size_t length) { TransmitBytes(data, length); }

private:
    void AnswerSubscription(const char* data, size_t length);

    // Not owned: the proxy's adapter, which outlives its proxy server.
    TradeApi::IMarket* const Market;
};

} // namespace FTD
} // namespace Tesmora

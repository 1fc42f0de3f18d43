#pragma once

#include "TradeApi/NotifyParams.h"
#include "TradeApi/QueryParams.h"
#include "TradeApi/Tick.h"

namespace Tesmora {
namespace TradeApi {

// Implemented by the host. Calls arrive on the host's own thread (inside an
// interface call) and on the adapter's CTP callback thread. Records are valid
// only for the duration of a call.
class MarketListener {
public:
    virtual ~MarketListener() = default;
    virtual void OnNotify(const NotifyParams& params) = 0;
    virtual void OnSubscribed(const QueryParams& params) = 0;
    virtual void OnUnsubscribed(const QueryParams& params) = 0;
    virtual void OnTick(const Tick& tick) = 0;
};

} // namespace TradeApi
} // namespace Tesmora

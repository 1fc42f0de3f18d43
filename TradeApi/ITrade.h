#pragma once

#include "TradeApi/OpenParams.h"
#include "TradeApi/QueryParams.h"
#include "TradeApi/TradeListener.h"

namespace Tesmora {
namespace TradeApi {

// Trading through one broker session. Every operation returns at once; outcomes
// arrive through the listener (Notify and the result slots). Operations may be
// called from any thread; the proxy service calls them from its network threads
// while the host uses the same object.
class ITrade {
public:
    virtual ~ITrade() = default;
    virtual void Open(const OpenParams& params) = 0;
    virtual void Close() = 0;
    // An insertion writes the references it assigns back into the order.
    virtual void OrderAction(Order& order) = 0;
    virtual void QueryOrder(const QueryParams& params) = 0;
    virtual void QueryTrade(const QueryParams& params) = 0;
    virtual void QueryInstrument(const QueryParams& params) = 0;
    virtual void QueryPosition(const QueryParams& params) = 0;
    virtual void QueryAccount(const QueryParams& params) = 0;
    virtual bool IsOpened() = 0;
    // The library never owns the listener; null silences every callback.
    virtual void SetListener(TradeListener* listener) = 0;
    // The adapter's own copy; read it after the notification that wrote it.
    virtual const OpenParams& GetOpenParams() = 0;
    // -1: interface version, 1: CTP API version, other: adapter version.
    virtual const char* GetVersion(int type) = 0;
};

} // namespace TradeApi
} // namespace Tesmora

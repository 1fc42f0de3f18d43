#pragma once

#include "TradeApi/MarketListener.h"
#include "TradeApi/OpenParams.h"
#include "TradeApi/QueryParams.h"

namespace Tesmora {
namespace TradeApi {

// Market data through one broker session. Every operation returns at once;
// outcomes arrive through the listener. Callable from any thread.
class IMarket {
public:
    virtual ~IMarket() = default;
    virtual void Open(const OpenParams& params) = 0;
    virtual void Close() = 0;
    virtual void Subscribe(const QueryParams& params) = 0;
    virtual void Unsubscribe(const QueryParams& params) = 0;
    virtual bool IsOpened() = 0;
    virtual void SetListener(MarketListener* listener) = 0;
    virtual const OpenParams& GetOpenParams() = 0;
    virtual const char* GetVersion(int type) = 0;
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include "TradeApi/Account.h"
#include "TradeApi/Instrument.h"
#include "TradeApi/NotifyParams.h"
#include "TradeApi/Order.h"
#include "TradeApi/Position.h"
#include "TradeApi/TradeOrder.h"

#include <vector>

namespace Tesmora {
namespace TradeApi {

// Implemented by the host. Calls arrive on the host's own thread (inside an
// interface call) and on the adapter's CTP callback thread; they are not
// serialised with the host's calls into the adapter. Records and lists are
// valid only for the duration of a call.
class TradeListener {
public:
    virtual ~TradeListener() = default;
    virtual void OnNotify(const NotifyParams& params) = 0;
    virtual void OnOrderUpdate(const Order& order) = 0;
    virtual void OnTradeOrderUpdate(const TradeOrder& trade) = 0;
    virtual void OnQueryOrder(const std::vector<Order>& orders) = 0;
    virtual void OnQueryTrade(const std::vector<TradeOrder>& trades) = 0;
    virtual void OnQueryInstrument(const std::vector<Instrument>& instruments) = 0;
    virtual void OnQueryPosition(const std::vector<Position>& positions) = 0;
    virtual void OnQueryAccount(const Account& account) = 0;
};

} // namespace TradeApi
} // namespace Tesmora

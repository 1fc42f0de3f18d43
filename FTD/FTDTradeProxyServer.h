#pragma once

#include "FTD/FTDProxyServer.h"
#include "FTD/FTDTradeSession.h"
#include "TradeApi/ITrade.h"

#include <vector>

namespace Tesmora {
namespace FTD {

// The trade adapter's end of the proxy service: downstream CTP trader clients
// connect to its listener, and every query result, refusal and return of the
// adapter reaches the sessions that are owed it. Broadcasts run on the
// adapter's callback thread.
class FTDTradeProxyServer : public FTDProxyServer<FTDTradeSession, TradeApi::ITrade> {
public:
    explicit FTDTradeProxyServer(TradeApi::ITrade* trade) : FTDProxyServer(trade) {}

    void OnQueryOrder(const std::vector<TradeApi::Order>& orders) {
        ForEachSession([&](FTDTradeSession& session) { session.AnswerOrders(orders); });
    }
    void OnQueryTrade(const std::vector<TradeApi::TradeOrder>& trades) {
        ForEachSession([&](FTDTradeSession& session) { session.AnswerTrades(trades); });
    }
    void OnQueryPosition(const std::vector<TradeApi::Position>& positions) {
        ForEachSession([&](FTDTradeSession& session) { session.AnswerPositions(positions); });
    }
    void OnQueryInstrument(const std::vector<TradeApi::Instrument>& instruments) {
        ForEachSession([&](FTDTradeSession& session) { session.AnswerInstruments(instruments); });
    }
    void OnQueryAccount(const TradeApi::Account& account) {
        ForEachSession([&](FTDTradeSession& session) { session.AnswerAccount(account); });
    }
    // The front refused an insert or cancel request.
    void OnOrderAction(const TradeApi::Order& order) {
        ForEachSession([&](FTDTradeSession& session) { session.PushRefusal(order); });
    }
    void OnOrderReturn(const TradeApi::Order& order) {
        ForEachSession([&](FTDTradeSession& session) { session.PushOrderReturn(order); });
    }
    void OnTradeReturn(const TradeApi::TradeOrder& trade) {
        ForEachSession([&](FTDTradeSession& session) { session.PushTradeReturn(trade); });
    }
};

} // namespace FTD
} // namespace Tesmora

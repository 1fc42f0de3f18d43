#pragma once

#include "FTD/FTDProxySession.h"
#include "TradeApi/ITrade.h"
#include "Utils/SlimLock.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace Tesmora {
namespace FTD {

// One downstream CTP trader client of the trade proxy. It answers logins and
// settlement confirmations itself, hands orders and queries to the trade
// adapter, remembers which answers the client waits for, and encodes the
// answers and pushes the proxy server hands it.
//
// Threads: the parser callbacks run on the connection's worker thread; the
// answer and push steps run on the adapter's callback thread while the proxy
// server holds its list lock. Lock keeps the two apart (list lock first).
class FTDTradeSession : public FTDProxySession {
public:
    FTDTradeSession(TradeApi::ITrade* trade, NetApi::ISession* netSession);

    void OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length) override;

    // The steps of the proxy server's broadcasts; each decides by itself
    // whether this client gets anything.
    void AnswerOrders(const std::vector<TradeApi::Order>& orders);
    void AnswerTrades(const std::vector<TradeApi::TradeOrder>& trades);
    void AnswerPositions(const std::vector<TradeApi::Position>& positions);
    void AnswerInstruments(const std::vector<TradeApi::Instrument>& instruments);
    void AnswerAccount(const TradeApi::Account& account);
    void PushRefusal(const TradeApi::Order& order);
    void PushOrderReturn(const TradeApi::Order& order);
    void PushTradeReturn(const TradeApi::TradeOrder& trade);

    // Counter series keys.
    static constexpr uint32_t DialogueKey = 1;
    static constexpr uint32_t PushKey = 2;
    static constexpr uint32_t PublicKey = 3;
    static constexpr uint32_t QueryKey = 4;

private:
    struct OrderRefEntry {
        std::string ClientOrderRef;
        int32_t RequestID;
    };
    enum Pending {
        QryOrder,
        QryExecOrder,
        QryTrade,
        QryInvestorPosition,
        QryInstrument,
        QryTradingAccount,
        Kinds
    };

    // Request handling, with Lock held.
    void AnswerLogin(const char* data, size_t length);
    void AnswerConfirm(const char* data, size_t length);
    void InsertOrder(const char* data, size_t length);
    void ActOnOrder(const char* data, size_t length);
    void Query(uint16_t fid, const char* data, size_t length);
    void AnswerMarginRates();
    void AnswerCommissionRates();
    void SendExecOrders();

    // Five records to a package, counters from the query key; one empty
    // package when there are none.
    template <class Record>
    void SendInBatches(uint32_t transID, uint32_t reqID, uint16_t fid, const FieldLayout<Record>& layout,
                       const std::vector<Record>& records);
    uint32_t TakeCounter(uint32_t key);
    void SetCounter(uint32_t key, int32_t value);
    // The reference the client knows for an adapter's order reference.
    std::string ClientOrderRef(const std::string& orderRef) const;

    // Not owned: the proxy's adapter, which outlives its proxy server.
    TradeApi::ITrade* const Trade;

    // Everything below is guarded by Lock.
    Utils::SlimLock Lock;
    std::unordered_map<std::string, OrderRefEntry> OrderRefs;
    std::vector<TradeApi::Order> PendingExecOrders;
    std::vector<TradeApi::Instrument> Instruments;
    int32_t PendingRequests[Kinds] = {-1, -1, -1, -1, -1, -1};

    // Next counter value per series key (absent keys count from 0); guarded by CounterLock.
    Utils::SlimLock CounterLock;
    std::unordered_map<uint32_t, int32_t> SequenceCounters;
};

} // namespace FTD
} // namespace Tesmora

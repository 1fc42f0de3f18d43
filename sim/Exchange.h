#pragma once

#include "sim/Clock.h"
#include "sim/ExchangeListener.h"
#include "sim/Instruments.h"
#include "sim/MarketModel.h"
#include "sim/Refusal.h"
#include "sim/SimConfig.h"

#include "ThostFtdcUserApiStruct.h"

#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace Tesmora {
namespace Sim {

// Who places or cancels an order: the investor and the session it logged in with.
struct OrderOwner {
    std::string BrokerID;
    std::string UserID;
    int FrontID = 0;
    int SessionID = 0;
};

// The simulated exchange and broker: instruments and their market, one book of
// resting limit orders per instrument, accounts, positions, orders and
// trades. Orders match against the opposite side of the book first (price,
// then time), then against the first level of the simulated market's quote.
//
// Not thread-safe: FrontHub holds its mutex around every call. The listener's
// operations run inside the calls that produce returns.
class Exchange {
public:
    // The listener is not owned and must outlive the exchange.
    Exchange(const SimConfig& config, ExchangeListener& listener);
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    const std::string& TradingDay() const { return Day; }

    bool CheckLogin(const std::string& brokerID, const std::string& userID,
                    const std::string& password) const;
    // The highest numeric order reference the investor has used, as decimal text ("0" for none).
    std::string MaxOrderRef(const std::string& brokerID, const std::string& userID) const;

    // Checks and places an order. An empty order reference is replaced by the
    // next one after MaxOrderRef. On acceptance orderSysID names the new order
    // and its returns have gone to the listener.
    Refusal InsertOrder(const OrderOwner& owner, CThostFtdcInputOrderField& input, std::string& orderSysID);
    // Cancels the rest of one of the owner's orders, found by OrderSysID or
    // else by FrontID, SessionID and OrderRef (the owner's own when zero).
    Refusal CancelOrder(const OrderOwner& owner, const CThostFtdcInputOrderActionField& action,
                        std::string& orderSysID);

    // Moves the market one step; resting orders that the new quote reaches fill.
    void Tick(const WallTime& now);
    // The current quote of an instrument, or null when there is no such instrument.
    const CThostFtdcDepthMarketDataField* FindQuote(const std::string& instrumentID) const;
    size_t InstrumentCount() const { return Listings.size(); }
    const CThostFtdcDepthMarketDataField& QuoteAt(size_t index) const { return Model.Quote(index); }

    // Queries, for one investor where records belong to one; the filters'
    // empty texts match everything.
    std::vector<CThostFtdcOrderField> QueryOrders(const OrderOwner& owner,
                                                  const CThostFtdcQryOrderField& filter) const;
    std::vector<CThostFtdcTradeField> QueryTrades(const OrderOwner& owner,
                                                  const CThostFtdcQryTradeField& filter) const;
    std::vector<CThostFtdcInvestorPositionField>
    QueryPositions(const OrderOwner& owner, const CThostFtdcQryInvestorPositionField& filter) const;
    CThostFtdcTradingAccountField QueryAccount(const OrderOwner& owner) const;
    std::vector<CThostFtdcInstrumentField> QueryInstruments(const CThostFtdcQryInstrumentField& filter) const;
    std::vector<CThostFtdcInstrumentMarginRateField>
    QueryMarginRates(const OrderOwner& owner, const CThostFtdcQryInstrumentMarginRateField& filter) const;
    std::vector<CThostFtdcInstrumentCommissionRateField>
    QueryCommissionRates(const OrderOwner& owner,
                         const CThostFtdcQryInstrumentCommissionRateField& filter) const;

private:
    struct Account {
        SimAccount Config;
        double CloseProfit = 0;
        double Commission = 0;
        double CurrMargin = 0;
        double FrozenMargin = 0;
        double FrozenCommission = 0;
        long long MaxOrderRef = 0;
    };
    struct Holding {
        int Position = 0;
        int YdPosition = 0; // at the start of the day
        int Frozen = 0;     // held back by closing orders still working
        int OpenVolume = 0;
        int CloseVolume = 0;
        double OpenAmount = 0;
        double CloseAmount = 0;
        double OpenCost = 0; // price * multiple * volume of what is held
        double UseMargin = 0;
        double Commission = 0;
        double CloseProfit = 0;
    };
    // Account key, instrument, PosiDirection, PositionDate.
    using PositionKey = std::tuple<std::string, std::string, char, char>;
    struct Order {
        CThostFtdcOrderField Field;
        std::string AccountKey;
        size_t Instrument = 0;
        bool Rests = false;                // a limit order that stays in the book
        double FrozenMarginPerLot = 0;     // per remaining lot
        double FrozenCommissionPerLot = 0; // per remaining lot
        int FrozenYd = 0;                  // closing orders: lots held back in the history row
        int FrozenToday = 0;               // and in today's row
    };
    struct Book {
        std::vector<Order*> Bids; // best price first, earlier first at one price
        std::vector<Order*> Asks;
    };

    static std::string KeyOf(const std::string& brokerID, const std::string& userID);
    Account* FindAccount(const std::string& key);
    const Account* FindAccount(const std::string& key) const;
    int FindInstrument(const std::string& instrumentID) const;
    Holding* FindHolding(const std::string& accountKey, const std::string& instrumentID, char direction,
                         char date);
    Holding& HoldingRow(const std::string& accountKey, const std::string& instrumentID, char direction,
                        char date);
    double PositionProfit(const std::string& accountKey) const;
    double Available(const Account& account, const std::string& key) const;
    Refusal CheckOrderFields(const CThostFtdcInputOrderField& input, const InstrumentListing& listing) const;

    int Fillable(const Order& order) const;
    void MatchIncoming(Order& order);
    void Fill(Order& order, double price, int volume);
    void Close(Account& account, Order& order, char date, double price, int volume);
    void Finish(Order& order, char status);
    void AddToBook(Order& order);
    void RemoveFromBook(Order& order);
    void Emit(Order& order, char status);

    ExchangeListener& Listener;
    const std::vector<InstrumentListing>& Listings;
    std::string Day;
    MarketModel Model;
    std::map<std::string, Account> Accounts;
    std::map<PositionKey, Holding> Holdings;
    std::deque<Order> Orders; // stable addresses, in insertion order
    std::unordered_map<std::string, Order*> BySysID;
    std::unordered_map<std::string, Order*> ByRef; // "front:session:ref"
    std::vector<Book> Books;                       // one per instrument, in the table's order
    std::vector<CThostFtdcTradeField> Trades;
    int NextOrderSysID = 1;
    int NextTradeID = 1;
    int NextSequence = 1;
};

} // namespace Sim
} // namespace Tesmora

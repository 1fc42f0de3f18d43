#pragma once

#include "sim/ClientConnection.h"
#include "sim/Exchange.h"
#include "sim/Refusal.h"

#include "FTD/FieldLayout.h"

#include <string>
#include <vector>

namespace Tesmora {
namespace Sim {

// One client of the trade port: the trader dialogue of docs/wire.md, from
// authentication to order entry and the queries.
//
// Threads: requests are handled on the connection's worker thread, each with
// Hub.Mutex held throughout; pushes arrive with Hub.Mutex held from whichever
// thread produced them.
class TradeConnection : public ClientConnection {
public:
    TradeConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session);

    // With Hub.Mutex held: whether this connection is logged in as that investor.
    bool IsLoggedInAs(const char* brokerID, const char* investorID) const;

    // With Hub.Mutex held: one record on the private flow.
    template <class Record>
    void Push(uint32_t transID, uint16_t fid, const FTD::FieldLayout<Record>& layout, const Record& record) {
        FTD::FTDPackage package = NewPackage(transID, 2, 0);
        package.AddRecord(fid, layout, record);
        Send(package);
    }

protected:
    void HandleRequest() override;

private:
    struct Handler {
        uint32_t TransID;
        const char* Name;
        bool NeedsLogin;
        void (TradeConnection::*Handle)(const char* name);
    };
    static const Handler Handlers[];

    void Authenticate(const char* name);
    void Login(const char* name);
    void Logout(const char* name);
    void ConfirmSettlement(const char* name);
    void QueryInvestor(const char* name);
    void InsertOrder(const char* name);
    void CancelOrder(const char* name);
    void RefuseExecOrder(const char* name);
    void QueryOrders(const char* name);
    void QueryTrades(const char* name);
    void QueryPositions(const char* name);
    void QueryAccount(const char* name);
    void QueryInstruments(const char* name);
    void QueryMarginRates(const char* name);
    void QueryCommissionRates(const char* name);
    void QueryExecOrders(const char* name);

    // The answer to the current request: RspInfo for the refusal (success for
    // None) and the request's own fields echoed, marked last.
    void AnswerWithEcho(Refusal refusal);
    // The records five to a package, the last package marked last; one empty
    // package when there are none.
    template <class Record>
    void AnswerRecords(const char* name, uint16_t fid, const FTD::FieldLayout<Record>& layout,
                       const std::vector<Record>& records);
    // Decodes the current request's first field of that identifier; a missing field reads as zeros.
    template <class Record> Record Request(uint16_t fid, const FTD::FieldLayout<Record>& layout) const;

    // Login state, guarded by Hub.Mutex: written by this connection's
    // requests, read by pushes from other threads.
    bool LoggedIn = false;
    OrderOwner Owner;
};

} // namespace Sim
} // namespace Tesmora

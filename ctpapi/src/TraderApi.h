#pragma once

#include "FrontConnection.h"
#include "ThostFtdcTraderApi.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace Tesmora {
namespace CtpApi {

// The stand-in trader API: requests encoded as FTD packages for the front,
// answers and returns dispatched to the registered callback object on the API
// thread. Requests may come from any thread.
class TraderApi final : public CThostFtdcTraderApi, private FrontConnection::Events {
public:
    explicit TraderApi(const char* flowFolder);

    void Release() override;
    void Init() override;
    int Join() override;
    const char* GetTradingDay() override;
    void RegisterFront(char* address) override;
    void RegisterSpi(CThostFtdcTraderSpi* spi) override { Spi.store(spi); }
    void SubscribePrivateTopic(THOST_TE_RESUME_TYPE type) override { PrivateTopic.store(type); }
    void SubscribePublicTopic(THOST_TE_RESUME_TYPE type) override { PublicTopic.store(type); }

    int ReqAuthenticate(CThostFtdcReqAuthenticateField* request, int requestID) override;
    int ReqUserLogin(CThostFtdcReqUserLoginField* request, int requestID) override;
    int ReqUserLogout(CThostFtdcUserLogoutField* request, int requestID) override;
    int ReqSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* request, int requestID) override;
    int ReqOrderInsert(CThostFtdcInputOrderField* request, int requestID) override;
    int ReqOrderAction(CThostFtdcInputOrderActionField* request, int requestID) override;
    int ReqExecOrderInsert(CThostFtdcInputExecOrderField* request, int requestID) override;
    int ReqQryInvestor(CThostFtdcQryInvestorField* request, int requestID) override;
    int ReqQryOrder(CThostFtdcQryOrderField* request, int requestID) override;
    int ReqQryExecOrder(CThostFtdcQryExecOrderField* request, int requestID) override;
    int ReqQryTrade(CThostFtdcQryTradeField* request, int requestID) override;
    int ReqQryInvestorPosition(CThostFtdcQryInvestorPositionField* request, int requestID) override;
    int ReqQryTradingAccount(CThostFtdcQryTradingAccountField* request, int requestID) override;
    int ReqQryInstrument(CThostFtdcQryInstrumentField* request, int requestID) override;
    int ReqQryInstrumentMarginRate(CThostFtdcQryInstrumentMarginRateField* request, int requestID) override;
    int ReqQryInstrumentCommissionRate(CThostFtdcQryInstrumentCommissionRateField* request,
                                       int requestID) override;

private:
    ~TraderApi() override = default; // Release frees the object

    void OnConnected() override;
    void OnDisconnected(int reason) override;
    void OnPackage(ReceivedPackage& package) override;

    template <class Record>
    int Send(uint32_t transID, uint16_t series, uint16_t fid, const FTD::FieldLayout<Record>& layout,
             const Record* record, int requestID);
    template <class Record>
    int SendQuery(uint32_t transID, uint16_t fid, const FTD::FieldLayout<Record>& layout,
                  const Record* record, int requestID);
    // One query per interval: true when this one may go.
    bool TakeQuerySlot();

    std::atomic<CThostFtdcTraderSpi*> Spi{nullptr};
    std::atomic<int> PrivateTopic{THOST_TERT_RESTART};
    std::atomic<int> PublicTopic{THOST_TERT_RESTART};

    std::mutex QueryMutex;
    bool Queried = false;                            // guarded by QueryMutex
    std::chrono::steady_clock::time_point LastQuery; // guarded by QueryMutex

    FrontConnection Connection; // last: its thread stops before the members above go
};

} // namespace CtpApi
} // namespace Tesmora

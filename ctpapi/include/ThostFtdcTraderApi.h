// Trader side of the stand-in CTP client API: an API object that speaks FTD to
// a front, and the callback class a program derives from.
#pragma once

#include "ThostFtdcUserApiStruct.h"

#define TESMORA_CTP_API_EXPORT __attribute__((visibility("default")))

// Callbacks. Every one has an empty default; all of them run on the API's own
// thread, one at a time, in arrival order.
class TESMORA_CTP_API_EXPORT CThostFtdcTraderSpi {
public:
    virtual void OnFrontConnected() {}
    // nReason: 0x1001 read failure, 0x1002 write failure, 0x2001 keep-alive timeout,
    // 0x2003 malformed data from the front.
    virtual void OnFrontDisconnected(int nReason) { (void)nReason; }
    virtual void OnHeartBeatWarning(int nTimeLapse) { (void)nTimeLapse; }

    virtual void OnRspAuthenticate(CThostFtdcRspAuthenticateField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspUserLogin(CThostFtdcRspUserLoginField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspUserLogout(CThostFtdcUserLogoutField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField*, CThostFtdcRspInfoField*,
                                            int, bool) {}
    virtual void OnRspQryInvestor(CThostFtdcInvestorField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspError(CThostFtdcRspInfoField*, int, bool) {}

    virtual void OnRspOrderInsert(CThostFtdcInputOrderField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspOrderAction(CThostFtdcInputOrderActionField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspExecOrderInsert(CThostFtdcInputExecOrderField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspExecOrderAction(CThostFtdcInputExecOrderActionField*, CThostFtdcRspInfoField*, int,
                                      bool) {}

    virtual void OnRspQryOrder(CThostFtdcOrderField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspQryExecOrder(CThostFtdcExecOrderField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspQryTrade(CThostFtdcTradeField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspQryInvestorPosition(CThostFtdcInvestorPositionField*, CThostFtdcRspInfoField*, int,
                                          bool) {}
    virtual void OnRspQryTradingAccount(CThostFtdcTradingAccountField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspQryInstrument(CThostFtdcInstrumentField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspQryInstrumentMarginRate(CThostFtdcInstrumentMarginRateField*, CThostFtdcRspInfoField*,
                                              int, bool) {}
    virtual void OnRspQryInstrumentCommissionRate(CThostFtdcInstrumentCommissionRateField*,
                                                  CThostFtdcRspInfoField*, int, bool) {}

    virtual void OnRtnOrder(CThostFtdcOrderField*) {}
    virtual void OnRtnTrade(CThostFtdcTradeField*) {}
    virtual void OnRtnExecOrder(CThostFtdcExecOrderField*) {}
    virtual void OnRtnInstrumentStatus(CThostFtdcInstrumentStatusField*) {}
    virtual void OnErrRtnOrderInsert(CThostFtdcInputOrderField*, CThostFtdcRspInfoField*) {}
    virtual void OnErrRtnOrderAction(CThostFtdcOrderActionField*, CThostFtdcRspInfoField*) {}

protected:
    virtual ~CThostFtdcTraderSpi() = default;
};

// The API object. Requests return 0 when sent, -1 when not connected, -3 for a
// query within one second of the previous query (nothing is sent then).
class TESMORA_CTP_API_EXPORT CThostFtdcTraderApi {
public:
    // pszFlowPath: an existing folder ending in "/" (or "") for the API's files.
    static CThostFtdcTraderApi* CreateFtdcTraderApi(const char* pszFlowPath = "");
    static const char* GetApiVersion();

    // Stops the API thread and frees the object; no callback runs after it
    // returns. Called from inside a callback it does not wait for the thread.
    virtual void Release() = 0;
    // Starts the API thread; it connects once a front is registered.
    virtual void Init() = 0;
    // Waits until the API thread ends (after Release from another thread).
    virtual int Join() = 0;
    virtual const char* GetTradingDay() = 0;
    // "tcp://host:port".
    virtual void RegisterFront(char* pszFrontAddress) = 0;
    // Null stops callbacks at once.
    virtual void RegisterSpi(CThostFtdcTraderSpi* pSpi) = 0;
    virtual void SubscribePrivateTopic(THOST_TE_RESUME_TYPE nResumeType) = 0;
    virtual void SubscribePublicTopic(THOST_TE_RESUME_TYPE nResumeType) = 0;

    virtual int ReqAuthenticate(CThostFtdcReqAuthenticateField* pReq, int nRequestID) = 0;
    virtual int ReqUserLogin(CThostFtdcReqUserLoginField* pReq, int nRequestID) = 0;
    virtual int ReqUserLogout(CThostFtdcUserLogoutField* pReq, int nRequestID) = 0;
    virtual int ReqSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* pReq, int nRequestID) = 0;
    virtual int ReqOrderInsert(CThostFtdcInputOrderField* pReq, int nRequestID) = 0;
    virtual int ReqOrderAction(CThostFtdcInputOrderActionField* pReq, int nRequestID) = 0;
    virtual int ReqExecOrderInsert(CThostFtdcInputExecOrderField* pReq, int nRequestID) = 0;
    virtual int ReqQryInvestor(CThostFtdcQryInvestorField* pReq, int nRequestID) = 0;
    virtual int ReqQryOrder(CThostFtdcQryOrderField* pReq, int nRequestID) = 0;
    virtual int ReqQryExecOrder(CThostFtdcQryExecOrderField* pReq, int nRequestID) = 0;
    virtual int ReqQryTrade(CThostFtdcQryTradeField* pReq, int nRequestID) = 0;
    virtual int ReqQryInvestorPosition(CThostFtdcQryInvestorPositionField* pReq, int nRequestID) = 0;
    virtual int ReqQryTradingAccount(CThostFtdcQryTradingAccountField* pReq, int nRequestID) = 0;
    virtual int ReqQryInstrument(CThostFtdcQryInstrumentField* pReq, int nRequestID) = 0;
    virtual int ReqQryInstrumentMarginRate(CThostFtdcQryInstrumentMarginRateField* pReq, int nRequestID) = 0;
    virtual int ReqQryInstrumentCommissionRate(CThostFtdcQryInstrumentCommissionRateField* pReq,
                                               int nRequestID) = 0;

protected:
    virtual ~CThostFtdcTraderApi() = default;
};

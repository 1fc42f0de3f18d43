// Market-data side of the stand-in CTP client API.
#pragma once

#include "ThostFtdcUserApiStruct.h"

#ifndef TESMORA_CTP_API_EXPORT
#define TESMORA_CTP_API_EXPORT __attribute__((visibility("default")))
#endif

// Callbacks. Every one has an empty default; all of them run on the API's own
// thread, one at a time, in arrival order.
class TESMORA_CTP_API_EXPORT CThostFtdcMdSpi {
public:
    virtual void OnFrontConnected() {}
    virtual void OnFrontDisconnected(int nReason) { (void)nReason; }
    virtual void OnHeartBeatWarning(int nTimeLapse) { (void)nTimeLapse; }

    virtual void OnRspUserLogin(CThostFtdcRspUserLoginField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspUserLogout(CThostFtdcUserLogoutField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspError(CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspSubMarketData(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int, bool) {}
    virtual void OnRspUnSubMarketData(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int,
                                      bool) {}
    virtual void OnRspSubForQuoteRsp(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int, bool) {
    }
    virtual void OnRspUnSubForQuoteRsp(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int,
                                       bool) {}
    virtual void OnRtnDepthMarketData(CThostFtdcDepthMarketDataField*) {}
    virtual void OnRtnForQuoteRsp(CThostFtdcForQuoteRspField*) {}

protected:
    virtual ~CThostFtdcMdSpi() = default;
};

class TESMORA_CTP_API_EXPORT CThostFtdcMdApi {
public:
    // UDP and multicast are not supported by the stand-in; both are recorded only.
    static CThostFtdcMdApi* CreateFtdcMdApi(const char* pszFlowPath = "", const bool bIsUsingUdp = false,
                                            const bool bIsMulticast = false);
    static const char* GetApiVersion();

    virtual void Release() = 0;
    virtual void Init() = 0;
    virtual int Join() = 0;
    virtual const char* GetTradingDay() = 0;
    virtual void RegisterFront(char* pszFrontAddress) = 0;
    virtual void RegisterSpi(CThostFtdcMdSpi* pSpi) = 0;

    virtual int SubscribeMarketData(char* ppInstrumentID[], int nCount) = 0;
    virtual int UnSubscribeMarketData(char* ppInstrumentID[], int nCount) = 0;
    virtual int SubscribeForQuoteRsp(char* ppInstrumentID[], int nCount) = 0;
    virtual int UnSubscribeForQuoteRsp(char* ppInstrumentID[], int nCount) = 0;
    virtual int ReqUserLogin(CThostFtdcReqUserLoginField* pReq, int nRequestID) = 0;
    virtual int ReqUserLogout(CThostFtdcUserLogoutField* pReq, int nRequestID) = 0;

protected:
    virtual ~CThostFtdcMdApi() = default;
};

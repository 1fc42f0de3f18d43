#pragma once

#include "FrontConnection.h"
#include "ThostFtdcMdApi.h"

#include <atomic>
#include <mutex>
#include <string>

namespace Tesmora {
namespace CtpApi {

// The stand-in market-data API over FTD. Requests may come from any thread;
// callbacks run on the API thread.
class MdApi final : public CThostFtdcMdApi, private FrontConnection::Events {
public:
    explicit MdApi(const char* flowFolder);

    void Release() override;
    void Init() override;
    int Join() override;
    const char* GetTradingDay() override;
    void RegisterFront(char* address) override;
    void RegisterSpi(CThostFtdcMdSpi* spi) override { Spi.store(spi); }

    int SubscribeMarketData(char* instruments[], int count) override;
    int UnSubscribeMarketData(char* instruments[], int count) override;
    // Quote requests are not part of this front's dialogue.
    int SubscribeForQuoteRsp(char* instruments[], int count) override;
    int UnSubscribeForQuoteRsp(char* instruments[], int count) override;
    int ReqUserLogin(CThostFtdcReqUserLoginField* request, int requestID) override;
    int ReqUserLogout(CThostFtdcUserLogoutField* request, int requestID) override;

private:
    ~MdApi() override = default; // Release frees the object

    void OnConnected() override;
    void OnDisconnected(int reason) override;
    void OnPackage(ReceivedPackage& package) override;
    int SendInstruments(uint32_t transID, char* instruments[], int count);

    std::atomic<CThostFtdcMdSpi*> Spi{nullptr};

    FrontConnection Connection; // last: its thread stops before the members above go
};

} // namespace CtpApi
} // namespace Tesmora

#pragma once

#include "FTD/FTDMarketProxyServer.h"
#include "TradeApi/CTP/CTPCommon.h"
#include "TradeApi/IMarket.h"

#include "ThostFtdcMdApi.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace Tesmora {
namespace TradeApi {

// The market adapter: IMarket over the CTP market-data API. Subscribe and
// Unsubscribe run on the host's thread, on the CTP callback thread (the
// re-subscription after each login) and on the proxy's network threads;
// confirmations and ticks on the CTP callback thread.
class CTPMarket : public IMarket, public CTPCommon<CThostFtdcMdApi, CThostFtdcMdSpi, MarketListener> {
public:
    CTPMarket() = default;
    // Releases the API first, so that no callback can run on the tables.
    ~CTPMarket() override;

    void Open(const OpenParams& params) override;
    void Close() override;
    void Subscribe(const QueryParams& params) override;
    void Unsubscribe(const QueryParams& params) override;
    bool IsOpened() override { return IsOpenedState(); }
    void SetListener(MarketListener* listener) override { Listener.store(listener); }
    const OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int type) override;

    void OnFrontConnected() override;
    void OnRspSubMarketData(CThostFtdcSpecificInstrumentField* field, CThostFtdcRspInfoField* rspInfo,
                            int requestID, bool isLast) override;
    void OnRspUnSubMarketData(CThostFtdcSpecificInstrumentField* field, CThostFtdcRspInfoField* rspInfo,
                              int requestID, bool isLast) override;
    void OnRtnDepthMarketData(CThostFtdcDepthMarketDataField* field) override;
    void OnRspSubForQuoteRsp(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int,
                             bool) override {}
    void OnRspUnSubForQuoteRsp(CThostFtdcSpecificInstrumentField*, CThostFtdcRspInfoField*, int,
                               bool) override {}
    void OnRtnForQuoteRsp(CThostFtdcForQuoteRspField*) override {}

    // The proxy service, once the first valid Open created it.
    FTD::FTDMarketProxyServer* GetProxyServer() const { return ProxyServer.get(); }

    // The instruments that will be subscribed again after the next login.
    std::unordered_set<std::string> GetSubscribedInstruments();

protected:
    CThostFtdcMdApi* CreateApi(const std::string& flowFolder) override;
    std::string GetBasePath() override;
    std::string GetFolderSuffix() override { return "_market"; }
    void AfterLogin() override;

private:
    // Subscribe or unsubscribe one instrument; true when the API accepted it.
    bool RequestSubscription(const QueryParams& params, bool subscribe);
    void Confirm(CThostFtdcSpecificInstrumentField* field, CThostFtdcRspInfoField* rspInfo, bool isLast,
                 bool subscribe);
    void DeliverTick(const Tick& tick);

    // The four subscription tables, under TablesMutex; it is never held while
    // the listener or the API is called.
    std::mutex TablesMutex;
    std::unordered_map<std::string, QueryParams> SubscribeParams;
    std::unordered_map<std::string, QueryParams> UnsubscribeParams;
    std::unordered_set<std::string> SubscribedInstruments;
    std::unordered_map<std::string, int64_t> LastVolumes;

    // Created by the first Open that passes validation (host thread), before
    // any API thread exists; used by the tick delivery on the callback thread.
    std::unique_ptr<FTD::FTDMarketProxyServer> ProxyServer;
};

} // namespace TradeApi
} // namespace Tesmora

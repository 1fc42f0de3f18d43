#pragma once

#include "FTD/FTDTradeProxyServer.h"
#include "TradeApi/CTP/CTPCommon.h"
#include "TradeApi/ITrade.h"

#include "ThostFtdcTraderApi.h"

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Tesmora {
namespace TradeApi {

// The trade adapter: ITrade over the CTP trader API. Operations run on the
// caller's thread (the host's, or a proxy network thread); answers, returns and
// the query chains run on the CTP callback thread.
class CTPTrade : public ITrade, public CTPCommon<CThostFtdcTraderApi, CThostFtdcTraderSpi, TradeListener> {
public:
    CTPTrade() = default;
    // Releases the API first, so that no callback can run on the members
    // destroyed after it.
    ~CTPTrade() override;

    void Open(const OpenParams& params) override;
    void Close() override;
    void OrderAction(Order& order) override;
    void QueryOrder(const QueryParams& params) override;
    void QueryTrade(const QueryParams& params) override;
    void QueryInstrument(const QueryParams& params) override;
    void QueryPosition(const QueryParams& params) override;
    void QueryAccount(const QueryParams& params) override;
    bool IsOpened() override { return IsOpenedState(); }
    void SetListener(TradeListener* listener) override { Listener.store(listener); }
    const OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int type) override;

    // ---- CTP callbacks.
    void OnFrontConnected() override;
    void OnRspAuthenticate(CThostFtdcRspAuthenticateField* field, CThostFtdcRspInfoField* rspInfo,
                           int requestID, bool isLast) override;
    void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* field,
                                    CThostFtdcRspInfoField* rspInfo, int requestID, bool isLast) override;
    void OnRspQryInvestor(CThostFtdcInvestorField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                          bool isLast) override;

    void OnRspQryOrder(CThostFtdcOrderField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                       bool isLast) override;
    void OnRspQryExecOrder(CThostFtdcExecOrderField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                           bool isLast) override;
    void OnRspQryTrade(CThostFtdcTradeField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                       bool isLast) override;
    void OnRspQryInvestorPosition(CThostFtdcInvestorPositionField* field, CThostFtdcRspInfoField* rspInfo,
                                  int requestID, bool isLast) override;
    void OnRspQryTradingAccount(CThostFtdcTradingAccountField* field, CThostFtdcRspInfoField* rspInfo,
                                int requestID, bool isLast) override;
    void OnRspQryInstrument(CThostFtdcInstrumentField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                            bool isLast) override;
    void OnRspQryInstrumentMarginRate(CThostFtdcInstrumentMarginRateField* field,
                                      CThostFtdcRspInfoField* rspInfo, int requestID, bool isLast) override;
    void OnRspQryInstrumentCommissionRate(CThostFtdcInstrumentCommissionRateField* field,
                                          CThostFtdcRspInfoField* rspInfo, int requestID,
                                          bool isLast) override;

    void OnRspOrderInsert(CThostFtdcInputOrderField* field, CThostFtdcRspInfoField* rspInfo, int requestID,
                          bool isLast) override;
    void OnRspOrderAction(CThostFtdcInputOrderActionField* field, CThostFtdcRspInfoField* rspInfo,
                          int requestID, bool isLast) override;
    void OnRspExecOrderInsert(CThostFtdcInputExecOrderField* field, CThostFtdcRspInfoField* rspInfo,
                              int requestID, bool isLast) override;
    void OnRspExecOrderAction(CThostFtdcInputExecOrderActionField*, CThostFtdcRspInfoField*, int,
                              bool) override {}
    void OnErrRtnOrderInsert(CThostFtdcInputOrderField*, CThostFtdcRspInfoField*) override {}
    void OnErrRtnOrderAction(CThostFtdcOrderActionField*, CThostFtdcRspInfoField*) override {}

    void OnRtnOrder(CThostFtdcOrderField* field) override;
    void OnRtnExecOrder(CThostFtdcExecOrderField* field) override;
    void OnRtnTrade(CThostFtdcTradeField* field) override;
    void OnRtnInstrumentStatus(CThostFtdcInstrumentStatusField* field) override;

    // The chains' pauses: before the exercise-order query and before each rate
    // query and the instrument delivery.
    static constexpr std::chrono::milliseconds ExecOrderQueryDelay{1000};
    static constexpr std::chrono::milliseconds RateQueryDelay{1200};

    // The proxy service, once the first valid Open created it.
    FTD::FTDTradeProxyServer* GetProxyServer() const { return ProxyServer.get(); }

protected:
    CThostFtdcTraderApi* CreateApi(const std::string& flowFolder) override;
    std::string GetBasePath() override;
    std::string GetFolderSuffix() override { return "_trade"; }
    void AfterLogin() override;
    void SubscribeTopics() override;
    // The blocking pause of a query chain on the callback thread; a test may
    // shorten it.
    virtual void PauseChain(std::chrono::milliseconds delay);

private:
    bool CheckOpened(int type);
    void InsertOrder(Order& order);
    void ActOnOrder(const Order& order);
    void QueryExecOrders(const CThostFtdcOrderField& lastOrder);
    void QueryRate(bool margin);

    // Deliveries of completed results: the notification, the listener, then
    // the proxy service, in that order and on the callback thread.
    // A finished list query: taken from its pending list under QueryMutex.
    template <typename Record>
    void DeliverList(std::vector<Record>& pending, int type,
                     void (TradeListener::*toListener)(const std::vector<Record>&),
                     void (FTD::FTDTradeProxyServer::*toProxy)(const std::vector<Record>&));
    void DeliverOrders();
    void DeliverTrades();
    void DeliverPositions();
    void DeliverInstruments();
    void DeliverAccount(const Account& account);
    void DeliverRefusal(const Order& order);
    void DeliverOrderReturn(const Order& order);
    void DeliverTradeReturn(const TradeOrder& trade);

    // Query state: rows gathered on the callback thread, PendingInstrumentID
    // also set by QueryInstrument on the caller's thread. All under QueryMutex,
    // which is never held while the listener or the API is called.
    std::mutex QueryMutex;
    std::vector<Order> OrderList;
    std::vector<TradeOrder> TradeList;
    std::vector<Position> PositionList;
    std::unordered_map<std::string, Instrument> InstrumentTable;
    std::string PendingInstrumentID;

    // Created by the first Open that passes validation (host thread), before
    // any API thread exists; used by the deliveries on the callback thread.
    std::unique_ptr<FTD::FTDTradeProxyServer> ProxyServer;
};

} // namespace TradeApi
} // namespace Tesmora

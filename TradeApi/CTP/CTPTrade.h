#pragma once

#include "TradeApi/CTP/CTPCommon.h"
#include "TradeApi/ITrade.h"

#include "ThostFtdcTraderApi.h"

namespace Tesmora {
namespace TradeApi {

// The trade adapter: ITrade over the CTP trader API.
class CTPTrade : public ITrade, public CTPCommon<CThostFtdcTraderApi, CThostFtdcTraderSpi, TradeListener> {
public:
    CTPTrade() = default;
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

private:
    // Refuses a request unless Opened; true when it may go on.
    bool CheckOpened(int type);
};

} // namespace TradeApi
} // namespace Tesmora

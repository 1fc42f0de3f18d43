#pragma once

#include "TradeApi/CTP/CTPCommon.h"
#include "TradeApi/IMarket.h"

#include "ThostFtdcMdApi.h"

namespace Tesmora {
namespace TradeApi {

// The market adapter: IMarket over the CTP market-data API.
class CTPMarket : public IMarket, public CTPCommon<CThostFtdcMdApi, CThostFtdcMdSpi, MarketListener> {
public:
    CTPMarket() = default;
    ~CTPMarket() override;

    void Open(const OpenParams& params) override;
    void Close() override;
    void Subscribe(const QueryParams& params) override;
    void Unsubscribe(const QueryParams& params) override;
    bool IsOpened() override { return IsOpenedState(); }
    void SetListener(MarketListener* listener) override { Listener.store(listener); }
    const OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int type) override;
};

} // namespace TradeApi
} // namespace Tesmora

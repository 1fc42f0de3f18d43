#include "TradeApi/CTP/CTPMarket.h"

#include "TradeApi/CTP/AdapterVersion.h"
#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPConversions.h"

#include <vector>

namespace Tesmora {
namespace TradeApi {

CTPMarket::~CTPMarket() {
    ReleaseApi();
    ProxyServer.reset();
}

const char* CTPMarket::GetVersion(int type) {
    return AdapterVersion(type);
}

CThostFtdcMdApi* CTPMarket::CreateApi(const std::string& flowFolder) {
    return CThostFtdcMdApi::CreateFtdcMdApi(flowFolder.c_str(), false, false);
}

std::string CTPMarket::GetBasePath() {
    return BasePath::Market().Get();
}

void CTPMarket::Open(const OpenParams& params) {
    AtBoundary("CTPMarket::Open", [&] {
        if (!BeginOpen(params)) {
            return;
        }
        StartProxy(ProxyServer, this);
        StartApi();
    });
}

void CTPMarket::Close() {
    AtBoundary("CTPMarket::Close", [&] { CloseSession(); });
}

void CTPMarket::OnFrontConnected() {
    AtBoundary("OnFrontConnected", [&] {
        Notify(NotifyType::Connect, NotifyResult::Success);
        RequestLogin();
    });
}

void CTPMarket::AfterLogin() {
    std::unordered_set<std::string> instruments;
    {
        std::lock_guard<std::mutex> guard(TablesMutex);
        instruments.swap(SubscribedInstruments);
    }
    State.store(Opened);
    Notify(NotifyType::Open, NotifyResult::Success);
    for (const std::string& instrumentID : instruments) {
        QueryParams params;
        params.InstrumentID = instrumentID;
        Subscribe(params);
    }
}

std::unordered_set<std::string> CTPMarket::GetSubscribedInstruments() {
    std::lock_guard<std::mutex> guard(TablesMutex);
    return SubscribedInstruments;
}

bool CTPMarket::RequestSubscription(const QueryParams& params, bool subscribe) {
    const int type = subscribe ? NotifyType::Subscribe : NotifyType::Unsubscribe;
    if (!IsOpenedState()) {
        NotifyLocalError(type, ErrorCode::ErrNotOpened);
        return false;
    }
    std::string instrumentID = params.InstrumentID;
    char* instruments[] = {&instrumentID[0]};
    const int result = CallApi([&](CThostFtdcMdApi& api) {
        return subscribe ? api.SubscribeMarketData(instruments, 1)
                         : api.UnSubscribeMarketData(instruments, 1);
    });
    if (result != 0) {
        NotifyRefused(type, result);
        return false;
    }
    return true;
}

void CTPMarket::Subscribe(const QueryParams& params) {
    AtBoundary("CTPMarket::Subscribe", [&] {
        if (RequestSubscription(params, true)) {
            std::lock_guard<std::mutex> guard(TablesMutex);
            SubscribedInstruments.insert(params.InstrumentID);
            SubscribeParams[params.InstrumentID] = params;
        }
    });
}

void CTPMarket::Unsubscribe(const QueryParams& params) {
    AtBoundary("CTPMarket::Unsubscribe", [&] {
        if (RequestSubscription(params, false)) {
            std::lock_guard<std::mutex> guard(TablesMutex);
            SubscribedInstruments.erase(params.InstrumentID);
            UnsubscribeParams[params.InstrumentID] = params;
        }
    });
}

void CTPMarket::Confirm(CThostFtdcSpecificInstrumentField* field, CThostFtdcRspInfoField* rspInfo,
                        bool isLast, bool subscribe) {
    const int type = subscribe ? NotifyType::Subscribe : NotifyType::Unsubscribe;
    if (IsError(rspInfo)) {
        Notify(type, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
        return;
    }
    if (field == nullptr) {
        NotifyLocalError(type, ErrorCode::ErrNullResponce);
        return;
    }
    const std::string instrumentID = FieldText(field->InstrumentID);
    bool known = false;
    QueryParams params;
    {
        std::lock_guard<std::mutex> guard(TablesMutex);
        if (!subscribe) {
            LastVolumes.erase(instrumentID);
        }
        const auto& table = subscribe ? SubscribeParams : UnsubscribeParams;
        const auto entry = table.find(instrumentID);
        if (entry != table.end()) {
            known = true;
            params = entry->second;
        }
    }
    MarketListener* listener = Listener.load();
    if (listener != nullptr && known) {
        if (subscribe) {
            listener->OnSubscribed(params);
        } else {
            listener->OnUnsubscribed(params);
        }
    }
    if (isLast) {
        Notify(type, NotifyResult::Success);
    }
}

void CTPMarket::OnRspSubMarketData(CThostFtdcSpecificInstrumentField* field, CThostFtdcRspInfoField* rspInfo,
                                   int, bool isLast) {
    AtBoundary("OnRspSubMarketData", [&] { Confirm(field, rspInfo, isLast, true); });
}

void CTPMarket::OnRspUnSubMarketData(CThostFtdcSpecificInstrumentField* field,
                                     CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspUnSubMarketData", [&] { Confirm(field, rspInfo, isLast, false); });
}

void CTPMarket::OnRtnDepthMarketData(CThostFtdcDepthMarketDataField* field) {
    AtBoundary("OnRtnDepthMarketData", [&] {
        if (field == nullptr) {
            return;
        }
        Tick tick = ConvertDepthMarketData(*field);
        {
            std::lock_guard<std::mutex> guard(TablesMutex);
            auto entry = LastVolumes.try_emplace(tick.InstrumentID, tick.Volume);
            tick.LastVolume = entry.second ? 0 : tick.Volume - entry.first->second;
            entry.first->second = tick.Volume;
        }
        DeliverTick(tick);
    });
}

void CTPMarket::DeliverTick(const Tick& tick) {
    if (MarketListener* listener = Listener.load()) {
        listener->OnTick(tick);
    }
    if (ProxyServer) {
        ProxyServer->BroadcastTick(tick);
    }
}

} // namespace TradeApi
} // namespace Tesmora

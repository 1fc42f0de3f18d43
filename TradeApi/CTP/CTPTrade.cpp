#include "TradeApi/CTP/CTPTrade.h"

#include "FTD/CTPCodes.h"
#include "FTD/ProxyRecords.h"
#include "TradeApi/CTP/AdapterVersion.h"
#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPConversions.h"

#include <cstdint>
#include <thread>

namespace Tesmora {
namespace TradeApi {

namespace Codes = FTD::CTPCodes;

namespace {

// The low 32 bits of a record's 64-bit value, as the CTP int members carry it.
int32_t Low32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

} // namespace

CTPTrade::~CTPTrade() {
    ReleaseApi();
    ProxyServer.reset();
}

const char* CTPTrade::GetVersion(int type) {
    return AdapterVersion(type);
}

CThostFtdcTraderApi* CTPTrade::CreateApi(const std::string& flowFolder) {
    return CThostFtdcTraderApi::CreateFtdcTraderApi(flowFolder.c_str());
}

std::string CTPTrade::GetBasePath() {
    return BasePath::Trade().Get();
}

void CTPTrade::PauseChain(std::chrono::milliseconds delay) {
    std::this_thread::sleep_for(delay);
}

void CTPTrade::SubscribeTopics() {
    std::shared_lock<std::shared_mutex> lock(ApiMutex);
    if (Api != nullptr) {
        Api->SubscribePrivateTopic(THOST_TERT_QUICK);
        Api->SubscribePublicTopic(THOST_TERT_RESTART);
    }
}

// ---------------------------------------------------------------- Open, Close

void CTPTrade::Open(const OpenParams& params) {
    AtBoundary("CTPTrade::Open", [&] {
        if (!BeginOpen(params)) {
            return;
        }
        StartProxy(ProxyServer, this);
        StartApi();
        std::lock_guard<std::mutex> guard(QueryMutex);
        PendingInstrumentID.clear();
    });
}

void CTPTrade::Close() {
    AtBoundary("CTPTrade::Close", [&] { CloseSession(); });
}

// ---------------------------------------------------------------- login chain

void CTPTrade::OnFrontConnected() {
    AtBoundary("OnFrontConnected", [&] {
        Notify(NotifyType::Connect, NotifyResult::Success);
        std::string appID, authCode;
        {
            std::lock_guard<std::mutex> guard(ParamsMutex);
            appID = Params.Configs[ConfigKey::AppID];
            authCode = Params.Configs[ConfigKey::AuthCode];
        }
        if (appID.empty() && authCode.empty()) {
            RequestLogin();
            return;
        }
        const Credentials credentials = GetCredentials();
        CThostFtdcReqAuthenticateField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.UserID, credentials.UserID);
        CopyText(request.AppID, appID);
        CopyText(request.AuthCode, authCode);
        const int result =
            CallApi([&](CThostFtdcTraderApi& api) { return api.ReqAuthenticate(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::Authenticate, result);
        }
    });
}

void CTPTrade::OnRspAuthenticate(CThostFtdcRspAuthenticateField* field, CThostFtdcRspInfoField* rspInfo, int,
                                 bool isLast) {
    AtBoundary("OnRspAuthenticate", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::Authenticate, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field != nullptr) {
            Notify(NotifyType::Authenticate, NotifyResult::Success);
        } else {
            Notify(NotifyType::Authenticate, NotifyResult::Success, {LocalError(ErrorCode::ErrNullResponce)});
        }
        RequestLogin();
    });
}

void CTPTrade::AfterLogin() {
    const Credentials credentials = GetCredentials();
    CThostFtdcSettlementInfoConfirmField request{};
    CopyText(request.BrokerID, credentials.BrokerID);
    CopyText(request.InvestorID, credentials.UserID);
    const int result = CallApi(
        [&](CThostFtdcTraderApi& api) { return api.ReqSettlementInfoConfirm(&request, NextRequestID()); });
    if (result != 0) {
        NotifyRefused(NotifyType::Open, result);
    }
}

void CTPTrade::OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* field,
                                          CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspSettlementInfoConfirm", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::Open, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::Open, ErrorCode::ErrNullResponce);
            return;
        }
        CThostFtdcQryInvestorField request{};
        CopyText(request.BrokerID, FieldText(field->BrokerID));
        CopyText(request.InvestorID, FieldText(field->InvestorID));
        const int result =
            CallApi([&](CThostFtdcTraderApi& api) { return api.ReqQryInvestor(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::Open, result);
        }
    });
}

void CTPTrade::OnRspQryInvestor(CThostFtdcInvestorField* field, CThostFtdcRspInfoField* rspInfo, int,
                                bool isLast) {
    AtBoundary("OnRspQryInvestor", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::Open, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::Open, ErrorCode::ErrNullResponce);
            return;
        }
        const std::string userName = ConvertText(FieldText(field->InvestorName).c_str());
        {
            std::lock_guard<std::mutex> guard(ParamsMutex);
            Params.Configs[ConfigKey::UserName] = userName;
        }
        State.store(Opened);
        Notify(NotifyType::Open, NotifyResult::Success);
    });
}

// ---------------------------------------------------------------- queries

bool CTPTrade::CheckOpened(int type) {
    if (IsOpenedState()) {
        return true;
    }
    NotifyLocalError(type, ErrorCode::ErrNotOpened);
    return false;
}

void CTPTrade::QueryOrder(const QueryParams& params) {
    AtBoundary("CTPTrade::QueryOrder", [&] {
        if (!CheckOpened(NotifyType::QueryOrder)) {
            return;
        }
        const Credentials credentials = GetCredentials();
        CThostFtdcQryOrderField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        CopyText(request.ExchangeID, params.ExchangeID);
        CopyText(request.InstrumentID, params.InstrumentID);
        const int result =
            CallApi([&](CThostFtdcTraderApi& api) { return api.ReqQryOrder(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::QueryOrder, result);
        }
    });
}

void CTPTrade::QueryTrade(const QueryParams& params) {
    AtBoundary("CTPTrade::QueryTrade", [&] {
        if (!CheckOpened(NotifyType::QueryTrade)) {
            return;
        }
        const Credentials credentials = GetCredentials();
        CThostFtdcQryTradeField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        CopyText(request.ExchangeID, params.ExchangeID);
        CopyText(request.InstrumentID, params.InstrumentID);
        const int result =
            CallApi([&](CThostFtdcTraderApi& api) { return api.ReqQryTrade(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::QueryTrade, result);
        }
    });
}

void CTPTrade::QueryPosition(const QueryParams& params) {
    AtBoundary("CTPTrade::QueryPosition", [&] {
        if (!CheckOpened(NotifyType::QueryPosition)) {
            return;
        }
        const Credentials credentials = GetCredentials();
        CThostFtdcQryInvestorPositionField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        CopyText(request.InstrumentID, params.InstrumentID);
        const int result = CallApi(
            [&](CThostFtdcTraderApi& api) { return api.ReqQryInvestorPosition(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::QueryPosition, result);
        }
    });
}

void CTPTrade::QueryAccount(const QueryParams&) {
    AtBoundary("CTPTrade::QueryAccount", [&] {
        if (!CheckOpened(NotifyType::QueryAccount)) {
            return;
        }
        const Credentials credentials = GetCredentials();
        CThostFtdcQryTradingAccountField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        const int result = CallApi(
            [&](CThostFtdcTraderApi& api) { return api.ReqQryTradingAccount(&request, NextRequestID()); });
        if (result != 0) {
            NotifyRefused(NotifyType::QueryAccount, result);
        }
    });
}

void CTPTrade::QueryInstrument(const QueryParams& params) {
    AtBoundary("CTPTrade::QueryInstrument", [&] {
        if (!CheckOpened(NotifyType::QueryInstrument)) {
            return;
        }
        // The guard is claimed before the request goes out, so that two callers
        // racing on different threads cannot both pass the check.
        {
            std::lock_guard<std::mutex> guard(QueryMutex);
            if (!PendingInstrumentID.empty()) {
                NotifyLocalError(NotifyType::QueryInstrument, ErrorCode::ErrTooManyRequests);
                return;
            }
            PendingInstrumentID = params.InstrumentID;
        }
        CThostFtdcQryInstrumentField request{};
        CopyText(request.InstrumentID, params.InstrumentID);
        const int result = CallApi(
            [&](CThostFtdcTraderApi& api) { return api.ReqQryInstrument(&request, NextRequestID()); });
        if (result != 0) {
            {
                std::lock_guard<std::mutex> guard(QueryMutex);
                if (PendingInstrumentID == params.InstrumentID) {
                    PendingInstrumentID.clear();
                }
            }
            NotifyRefused(NotifyType::QueryInstrument, result);
        }
    });
}

void CTPTrade::OnRspQryOrder(CThostFtdcOrderField* field, CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspQryOrder", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryOrder, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field != nullptr) {
            Order order = ConvertOrder(*field, IsUtf8());
            std::lock_guard<std::mutex> guard(QueryMutex);
            OrderList.push_back(std::move(order));
        }
        if (!isLast) {
            return;
        }
        if (field == nullptr) {
            DeliverOrders();
            return;
        }
        const CThostFtdcOrderField lastOrder = *field;
        PauseChain(ExecOrderQueryDelay);
        QueryExecOrders(lastOrder);
    });
}

void CTPTrade::QueryExecOrders(const CThostFtdcOrderField& lastOrder) {
    if (!IsOpenedState()) {
        NotifyLocalError(NotifyType::QueryOrder, ErrorCode::ErrNotOpened);
        return;
    }
    const Credentials credentials = GetCredentials();
    CThostFtdcQryExecOrderField request{};
    CopyText(request.BrokerID, credentials.BrokerID);
    CopyText(request.InvestorID, credentials.UserID);
    CopyText(request.ExchangeID, FieldText(lastOrder.ExchangeID));
    CopyText(request.InstrumentID, FieldText(lastOrder.InstrumentID));
    const int result =
        CallApi([&](CThostFtdcTraderApi& api) { return api.ReqQryExecOrder(&request, NextRequestID()); });
    if (result != 0) {
        NotifyRefused(NotifyType::QueryOrder, result);
    }
}

void CTPTrade::OnRspQryExecOrder(CThostFtdcExecOrderField* field, CThostFtdcRspInfoField* rspInfo, int,
                                 bool isLast) {
    AtBoundary("OnRspQryExecOrder", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryOrder, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field != nullptr) {
            Order order = ConvertExecOrder(*field, IsUtf8());
            std::lock_guard<std::mutex> guard(QueryMutex);
            OrderList.push_back(std::move(order));
        }
        if (isLast) {
            DeliverOrders();
        }
    });
}

void CTPTrade::OnRspQryTrade(CThostFtdcTradeField* field, CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspQryTrade", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryTrade, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field != nullptr) {
            TradeOrder trade = ConvertTrade(*field);
            std::lock_guard<std::mutex> guard(QueryMutex);
            TradeList.push_back(std::move(trade));
        }
        if (isLast) {
            DeliverTrades();
        }
    });
}

void CTPTrade::OnRspQryInvestorPosition(CThostFtdcInvestorPositionField* field,
                                        CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspQryInvestorPosition", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryPosition, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field != nullptr) {
            Position position = ConvertPosition(*field);
            std::lock_guard<std::mutex> guard(QueryMutex);
            PositionList.push_back(std::move(position));
        }
        if (isLast) {
            DeliverPositions();
        }
    });
}

void CTPTrade::OnRspQryTradingAccount(CThostFtdcTradingAccountField* field, CThostFtdcRspInfoField* rspInfo,
                                      int, bool isLast) {
    AtBoundary("OnRspQryTradingAccount", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryAccount, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::QueryAccount, ErrorCode::ErrNullResponce);
            return;
        }
        DeliverAccount(ConvertAccount(*field));
    });
}

void CTPTrade::OnRspQryInstrument(CThostFtdcInstrumentField* field, CThostFtdcRspInfoField* rspInfo, int,
                                  bool isLast) {
    AtBoundary("OnRspQryInstrument", [&] {
        if (IsError(rspInfo) || field == nullptr) {
            if (IsError(rspInfo)) {
                Notify(NotifyType::QueryInstrument, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            } else {
                NotifyLocalError(NotifyType::QueryInstrument, ErrorCode::ErrNullResponce);
            }
            std::lock_guard<std::mutex> guard(QueryMutex);
            PendingInstrumentID.clear();
            return;
        }
        const std::string instrumentID = FieldText(field->InstrumentID);
        {
            std::lock_guard<std::mutex> guard(QueryMutex);
            if (instrumentID == PendingInstrumentID) {
                InstrumentTable[instrumentID] = ConvertInstrument(*field, IsUtf8());
            }
        }
        if (isLast) {
            PauseChain(RateQueryDelay);
            QueryRate(true);
        }
    });
}

// The follow-up requests of the instrument chain, for PendingInstrumentID.
void CTPTrade::QueryRate(bool margin) {
    if (!IsOpenedState()) {
        NotifyLocalError(NotifyType::QueryInstrument, ErrorCode::ErrNotOpened);
        return;
    }
    const Credentials credentials = GetCredentials();
    std::string instrumentID;
    {
        std::lock_guard<std::mutex> guard(QueryMutex);
        instrumentID = PendingInstrumentID;
    }
    int result;
    if (margin) {
        CThostFtdcQryInstrumentMarginRateField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        CopyText(request.InstrumentID, instrumentID);
        request.HedgeFlag = THOST_FTDC_HF_Speculation;
        result = CallApi([&](CThostFtdcTraderApi& api) {
            return api.ReqQryInstrumentMarginRate(&request, NextRequestID());
        });
    } else {
        CThostFtdcQryInstrumentCommissionRateField request{};
        CopyText(request.BrokerID, credentials.BrokerID);
        CopyText(request.InvestorID, credentials.UserID);
        CopyText(request.InstrumentID, instrumentID);
        result = CallApi([&](CThostFtdcTraderApi& api) {
            return api.ReqQryInstrumentCommissionRate(&request, NextRequestID());
        });
    }
    if (result != 0) {
        NotifyRefused(NotifyType::QueryInstrument, result);
    }
}

void CTPTrade::OnRspQryInstrumentMarginRate(CThostFtdcInstrumentMarginRateField* field,
                                            CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspQryInstrumentMarginRate", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryMarginRate, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::QueryMarginRate, ErrorCode::ErrNullResponce);
        } else {
            const std::string instrumentID = FieldText(field->InstrumentID);
            std::lock_guard<std::mutex> guard(QueryMutex);
            const auto entry = InstrumentTable.find(instrumentID);
            if (entry != InstrumentTable.end() && instrumentID == PendingInstrumentID) {
                MergeMarginRate(entry->second, *field);
            }
        }
        if (isLast) {
            PauseChain(RateQueryDelay);
            QueryRate(false);
        }
    });
}

void CTPTrade::OnRspQryInstrumentCommissionRate(CThostFtdcInstrumentCommissionRateField* field,
                                                CThostFtdcRspInfoField* rspInfo, int, bool isLast) {
    AtBoundary("OnRspQryInstrumentCommissionRate", [&] {
        if (IsError(rspInfo)) {
            Notify(NotifyType::QueryCommissionRate, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::QueryCommissionRate, ErrorCode::ErrNullResponce);
        } else {
            // A rate given for a product code applies to every instrument of it;
            // an empty code applies to all.
            const std::string prefix = FieldText(field->InstrumentID);
            std::lock_guard<std::mutex> guard(QueryMutex);
            for (auto& entry : InstrumentTable) {
                if (entry.first.compare(0, prefix.size(), prefix) == 0) {
                    MergeCommissionRate(entry.second, *field);
                }
            }
        }
        if (isLast) {
            PauseChain(RateQueryDelay);
            DeliverInstruments();
        }
    });
}

// ---------------------------------------------------------------- deliveries

template <typename Record>
void CTPTrade::DeliverList(std::vector<Record>& pending, int type,
                           void (TradeListener::*toListener)(const std::vector<Record>&),
                           void (FTD::FTDTradeProxyServer::*toProxy)(const std::vector<Record>&)) {
    std::vector<Record> records;
    {
        std::lock_guard<std::mutex> guard(QueryMutex);
        records.swap(pending);
    }
    Notify(type, NotifyResult::Success);
    if (TradeListener* listener = Listener.load()) {
        (listener->*toListener)(records);
    }
    if (ProxyServer) {
        (ProxyServer.get()->*toProxy)(records);
    }
}

void CTPTrade::DeliverOrders() {
    DeliverList(OrderList, NotifyType::QueryOrder, &TradeListener::OnQueryOrder,
                &FTD::FTDTradeProxyServer::OnQueryOrder);
}

void CTPTrade::DeliverTrades() {
    DeliverList(TradeList, NotifyType::QueryTrade, &TradeListener::OnQueryTrade,
                &FTD::FTDTradeProxyServer::OnQueryTrade);
}

void CTPTrade::DeliverPositions() {
    DeliverList(PositionList, NotifyType::QueryPosition, &TradeListener::OnQueryPosition,
                &FTD::FTDTradeProxyServer::OnQueryPosition);
}

void CTPTrade::DeliverInstruments() {
    std::vector<Instrument> instruments;
    {
        std::lock_guard<std::mutex> guard(QueryMutex);
        instruments.reserve(InstrumentTable.size());
        for (auto& entry : InstrumentTable) {
            instruments.push_back(std::move(entry.second));
        }
        InstrumentTable.clear();
        PendingInstrumentID.clear();
    }
    Notify(NotifyType::QueryInstrument, NotifyResult::Success);
    if (TradeListener* listener = Listener.load()) {
        listener->OnQueryInstrument(instruments);
    }
    if (ProxyServer) {
        ProxyServer->OnQueryInstrument(instruments);
    }
}

void CTPTrade::DeliverAccount(const Account& account) {
    Notify(NotifyType::QueryAccount, NotifyResult::Success);
    if (TradeListener* listener = Listener.load()) {
        listener->OnQueryAccount(account);
    }
    if (ProxyServer) {
        ProxyServer->OnQueryAccount(account);
    }
}

void CTPTrade::DeliverRefusal(const Order& order) {
    if (TradeListener* listener = Listener.load()) {
        listener->OnOrderUpdate(order);
    }
    if (ProxyServer) {
        ProxyServer->OnOrderAction(order);
    }
}

void CTPTrade::DeliverOrderReturn(const Order& order) {
    if (TradeListener* listener = Listener.load()) {
        listener->OnOrderUpdate(order);
    }
    if (ProxyServer) {
        ProxyServer->OnOrderReturn(order);
    }
}

void CTPTrade::DeliverTradeReturn(const TradeOrder& trade) {
    if (TradeListener* listener = Listener.load()) {
        listener->OnTradeOrderUpdate(trade);
    }
    if (ProxyServer) {
        ProxyServer->OnTradeReturn(trade);
    }
}

// ---------------------------------------------------------------- orders

void CTPTrade::OrderAction(Order& order) {
    AtBoundary("CTPTrade::OrderAction", [&] {
        if (!CheckOpened(NotifyType::OrderAction)) {
            return;
        }
        if (order.OrderType != 0) {
            NotifyLocalError(NotifyType::OrderAction, ErrorCode::ErrOrderType);
            return;
        }
        switch (order.ActionType) {
        case ActionType::Insert:
            InsertOrder(order);
            break;
        case ActionType::Modify:
        case ActionType::Cancel:
            ActOnOrder(order);
            break;
        default:
            NotifyLocalError(NotifyType::OrderAction, ErrorCode::ErrActionType);
            break;
        }
    });
}

void CTPTrade::InsertOrder(Order& order) {
    std::vector<ErrorInfo> errors;
    if (order.InstrumentID.empty()) {
        errors.push_back(LocalError(ErrorCode::ErrInstrumentID));
    }
    if (UnsetDouble(order.Price)) {
        errors.push_back(LocalError(ErrorCode::ErrPrice));
    }
    if (order.Volume == UnsetInt64) {
        errors.push_back(LocalError(ErrorCode::ErrVolume));
    }
    if (!errors.empty()) {
        Notify(NotifyType::OrderAction, NotifyResult::Failed, std::move(errors));
        return;
    }
    // One fetch-add: concurrent callers never share a reference.
    order.OrderRef = std::to_string(MaxOrderRef.fetch_add(1) + 1);
    order.FrontID = FrontID.load();
    order.SessionID = SessionID.load();
    order.NoTradedVolume = order.Volume;

    const Credentials credentials = GetCredentials();
    CThostFtdcInputOrderField request = FTD::InputOrderFieldFrom(order, order.OrderRef);
    CopyText(request.BrokerID, credentials.BrokerID);
    CopyText(request.InvestorID, credentials.UserID);
    const int result =
        CallApi([&](CThostFtdcTraderApi& api) { return api.ReqOrderInsert(&request, NextRequestID()); });
    if (result != 0) {
        NotifyRefused(NotifyType::OrderAction, result);
        return;
    }
    if (TradeListener* listener = Listener.load()) {
        listener->OnOrderUpdate(order);
    }
}

void CTPTrade::ActOnOrder(const Order& order) {
    std::vector<ErrorInfo> errors;
    if (order.InstrumentID.empty()) {
        errors.push_back(LocalError(ErrorCode::ErrInstrumentID));
    }
    if (order.OrderRef.empty()) {
        errors.push_back(LocalError(ErrorCode::ErrOrderRef));
    }
    if (order.OrderID.empty()) {
        errors.push_back(LocalError(ErrorCode::ErrOrderID));
    }
    if (UnsetDouble(order.Price)) {
        errors.push_back(LocalError(ErrorCode::ErrPrice));
    }
    if (order.FrontID == UnsetInt64) {
        errors.push_back(LocalError(ErrorCode::ErrFrontID));
    }
    if (order.SessionID == UnsetInt64) {
        errors.push_back(LocalError(ErrorCode::ErrSessionID));
    }
    if (!errors.empty()) {
        Notify(NotifyType::OrderAction, NotifyResult::Failed, std::move(errors));
        return;
    }
    const Credentials credentials = GetCredentials();
    CThostFtdcInputOrderActionField request{};
    CopyText(request.BrokerID, credentials.BrokerID);
    CopyText(request.InvestorID, credentials.UserID);
    CopyText(request.OrderRef, order.OrderRef);
    request.FrontID = Low32(order.FrontID);
    request.SessionID = Low32(order.SessionID);
    CopyText(request.ExchangeID, order.ExchangeID);
    CopyText(request.OrderSysID, order.OrderID);
    request.ActionFlag = Codes::WriteActionFlag(order.ActionType);
    request.LimitPrice = order.Price;
    request.VolumeChange = Low32(order.Volume);
    CopyText(request.InstrumentID, order.InstrumentID);
    const int result =
        CallApi([&](CThostFtdcTraderApi& api) { return api.ReqOrderAction(&request, NextRequestID()); });
    if (result != 0) {
        NotifyRefused(NotifyType::OrderAction, result);
    }
}

void CTPTrade::OnRspOrderInsert(CThostFtdcInputOrderField* field, CThostFtdcRspInfoField* rspInfo, int,
                                bool isLast) {
    AtBoundary("OnRspOrderInsert", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::OrderAction, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::OrderAction, ErrorCode::ErrNullResponce);
            return;
        }
        DeliverRefusal(ConvertInputOrder(*field, rspInfo, FrontID.load(), SessionID.load(), IsUtf8()));
    });
}

void CTPTrade::OnRspOrderAction(CThostFtdcInputOrderActionField* field, CThostFtdcRspInfoField* rspInfo, int,
                                bool isLast) {
    AtBoundary("OnRspOrderAction", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::OrderAction, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::OrderAction, ErrorCode::ErrNullResponce);
            return;
        }
        DeliverRefusal(ConvertInputOrderAction(*field, rspInfo, IsUtf8()));
    });
}

void CTPTrade::OnRspExecOrderInsert(CThostFtdcInputExecOrderField* field, CThostFtdcRspInfoField* rspInfo,
                                    int, bool isLast) {
    AtBoundary("OnRspExecOrderInsert", [&] {
        if (!isLast) {
            return;
        }
        if (IsError(rspInfo)) {
            Notify(NotifyType::OrderAction, NotifyResult::Failed, {ResponseErrorOf(*rspInfo)});
            return;
        }
        if (field == nullptr) {
            NotifyLocalError(NotifyType::OrderAction, ErrorCode::ErrNullResponce);
            return;
        }
        Notify(NotifyType::OrderAction, NotifyResult::Failed);
        if (TradeListener* listener = Listener.load()) {
            listener->OnOrderUpdate(ConvertInputExecOrder(*field, rspInfo, IsUtf8()));
        }
    });
}

// ---------------------------------------------------------------- returns

void CTPTrade::OnRtnOrder(CThostFtdcOrderField* field) {
    AtBoundary("OnRtnOrder", [&] {
        if (field != nullptr) {
            DeliverOrderReturn(ConvertOrder(*field, IsUtf8()));
        }
    });
}

void CTPTrade::OnRtnExecOrder(CThostFtdcExecOrderField* field) {
    AtBoundary("OnRtnExecOrder", [&] {
        if (field != nullptr) {
            DeliverOrderReturn(ConvertExecOrder(*field, IsUtf8()));
        }
    });
}

void CTPTrade::OnRtnTrade(CThostFtdcTradeField* field) {
    AtBoundary("OnRtnTrade", [&] {
        if (field != nullptr) {
            DeliverTradeReturn(ConvertTrade(*field));
        }
    });
}

void CTPTrade::OnRtnInstrumentStatus(CThostFtdcInstrumentStatusField* field) {
    AtBoundary("OnRtnInstrumentStatus", [&] {
        TradeListener* listener = Listener.load();
        if (field == nullptr || listener == nullptr) {
            return;
        }
        const NotifyParams params(
            NotifyType::InstrumentStatus, NotifyResult::Failed,
            {ErrorInfo(FieldText(field->InstrumentID),
                       std::to_string(Codes::ReadInstrumentStatus(field->InstrumentStatus)))});
        listener->OnNotify(params);
    });
}

} // namespace TradeApi
} // namespace Tesmora

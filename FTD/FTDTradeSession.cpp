#include "FTD/FTDTradeSession.h"

#include "FTD/BigEndian.h"
#include "FTD/CTPFields.h"
#include "FTD/ProxyRecords.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

#include <algorithm>
#include <cstdio>

namespace Tesmora {
namespace FTD {

using Utils::FieldText;
using Utils::SlimLockGuard;

namespace {

constexpr size_t BatchSize = 5;

} // namespace

FTDTradeSession::FTDTradeSession(TradeApi::ITrade* trade, NetApi::ISession* netSession)
    : FTDProxySession(netSession), Trade(trade) {}

uint32_t FTDTradeSession::TakeCounter(uint32_t key) {
    SlimLockGuard guard(CounterLock);
    int32_t& next = SequenceCounters[key];
    return static_cast<uint32_t>(next++);
}

void FTDTradeSession::SetCounter(uint32_t key, int32_t value) {
    SlimLockGuard guard(CounterLock);
    SequenceCounters[key] = value;
}

std::string FTDTradeSession::ClientOrderRef(const std::string& orderRef) const {
    const auto entry = OrderRefs.find(orderRef);
    return entry != OrderRefs.end() ? entry->second.ClientOrderRef : orderRef;
}

// ---------------------------------------------------------------- requests

void FTDTradeSession::OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length) {
    SlimLockGuard guard(Lock);
    TraceField(fid, info);
    switch (fid) {
    case Fid::ReqUserLogin:
        AnswerLogin(data, length);
        break;
    case Fid::Dissemination: {
        const DisseminationField dissemination = DisseminationLayout().Decode(data, length);
        std::printf("** SequenceSeries=%d, SequenceNo=%d\n", int(dissemination.SequenceSeries),
                    int(dissemination.SequenceNo));
        break;
    }
    case Fid::SettlementInfoConfirm:
        AnswerConfirm(data, length);
        break;
    case Fid::InputOrder:
        InsertOrder(data, length);
        break;
    case Fid::InputOrderAction:
        ActOnOrder(data, length);
        break;
    case Fid::QryOrder:
    case Fid::QryTrade:
    case Fid::QryInvestorPosition:
    case Fid::QryTradingAccount:
    case Fid::QryInstrument:
        Query(fid, data, length);
        break;
    case Fid::QryInstrumentMarginRate:
        AnswerMarginRates();
        break;
    case Fid::QryInstrumentCommissionRate:
        AnswerCommissionRates();
        break;
    case Fid::QryExecOrder:
        PendingRequests[QryExecOrder] = static_cast<int32_t>(CurrentReqID);
        SendExecOrders();
        break;
    default:
        break;
    }
}

void FTDTradeSession::AnswerLogin(const char* data, size_t length) {
    const uint32_t counter = TakeCounter(DialogueKey);
    FTDPackage answer = LoginAnswer(data, length, CurrentReqID, counter);
    TransmitBytes(answer.Output.Data(), answer.Output.Size());

    FTDPackage flows;
    flows.Series = Series::Session;
    flows.TransID = TransId::Dissemination;
    flows.ReqID = 0;
    flows.Counter = counter;
    const DisseminationField announced[] = {{1, 0}, {2, 100}, {3, 0}, {4, 0}};
    for (const DisseminationField& sequence : announced) {
        flows.AddRecord(Fid::Dissemination, DisseminationLayout(), sequence);
    }
    Transmit(flows);
}

void FTDTradeSession::AnswerConfirm(const char* data, size_t length) {
    FTDPackage answer;
    answer.Series = Series::Dialogue;
    answer.TransID = TransId::SettlementConfirmAnswer;
    answer.ReqID = CurrentReqID;
    answer.Counter = TakeCounter(DialogueKey);
    answer.AddField(Fid::SettlementInfoConfirm, data, static_cast<uint32_t>(length));
    Transmit(answer);
    // A confirmed session starts its private flow at 101 and its queries at 1.
    SetCounter(PushKey, 101);
    SetCounter(PublicKey, 1);
    SetCounter(QueryKey, 1);
}

void FTDTradeSession::InsertOrder(const char* data, size_t length) {
    const CThostFtdcInputOrderField field = InputOrderLayout().Decode(data, length);
    TradeApi::Order order;
    if (!OrderFromInputOrder(field, order)) {
        // No record can hold this direction; the adapter never sees the request.
        std::printf("* InputOrder refused: Direction=0x%02X\n",
                    unsigned(static_cast<unsigned char>(field.Direction)));
        return;
    }
    Trade->OrderAction(order);
    OrderRefs[order.OrderRef] = OrderRefEntry{FieldText(field.OrderRef), static_cast<int32_t>(CurrentReqID)};
}

void FTDTradeSession::ActOnOrder(const char* data, size_t length) {
    const CThostFtdcInputOrderActionField field = InputOrderActionLayout().Decode(data, length);
    // Any other flag would read as an insertion: a cancel request must never place an order.
    if (field.ActionFlag != THOST_FTDC_AF_Delete && field.ActionFlag != THOST_FTDC_AF_Modify) {
        std::printf("* InputOrderAction refused: ActionFlag=0x%02X\n",
                    unsigned(static_cast<unsigned char>(field.ActionFlag)));
        return;
    }
    TradeApi::Order order = OrderFromInputOrderAction(field);
    const std::string clientRef = FieldText(field.OrderRef);
    for (const auto& entry : OrderRefs) {
        if (entry.second.ClientOrderRef == clientRef) {
            order.OrderRef = entry.first;
            break;
        }
    }
    Trade->OrderAction(order);
}

void FTDTradeSession::Query(uint16_t fid, const char* data, size_t length) {
    TradeApi::QueryParams params;
    const auto reqID = static_cast<int32_t>(CurrentReqID);
    switch (fid) {
    case Fid::QryOrder: {
        const auto field = QryOrderLayout().Decode(data, length);
        params.ExchangeID = FieldText(field.ExchangeID);
        params.InstrumentID = FieldText(field.InstrumentID);
        Trade->QueryOrder(params);
        PendingRequests[QryOrder] = reqID;
        break;
    }
    case Fid::QryTrade: {
        const auto field = QryTradeLayout().Decode(data, length);
        params.ExchangeID = FieldText(field.ExchangeID);
        params.InstrumentID = FieldText(field.InstrumentID);
        Trade->QueryTrade(params);
        PendingRequests[QryTrade] = reqID;
        break;
    }
    case Fid::QryInvestorPosition: {
        const auto field = QryInvestorPositionLayout().Decode(data, length);
        params.InstrumentID = FieldText(field.InstrumentID);
        Trade->QueryPosition(params);
        PendingRequests[QryInvestorPosition] = reqID;
        break;
    }
    case Fid::QryTradingAccount:
        Trade->QueryAccount(params);
        PendingRequests[QryTradingAccount] = reqID;
        break;
    case Fid::QryInstrument: {
        const auto field = QryInstrumentLayout().Decode(data, length);
        params.InstrumentID = FieldText(field.InstrumentID);
        params.ExchangeID = FieldText(field.ExchangeID);
        params.ExchangeInstID = FieldText(field.ExchangeInstID);
        params.ProductID = FieldText(field.ProductID);
        Trade->QueryInstrument(params);
        PendingRequests[QryInstrument] = reqID;
        break;
    }
    default:
        break;
    }
}

template <class Record>
void FTDTradeSession::SendInBatches(uint32_t transID, uint32_t reqID, uint16_t fid,
                                    const FieldLayout<Record>& layout, const std::vector<Record>& records) {
    size_t next = 0;
    do {
        FTDPackage package;
        package.Series = Series::Query;
        package.TransID = transID;
        package.ReqID = reqID;
        package.Counter = TakeCounter(QueryKey);
        const size_t end = std::min(records.size(), next + BatchSize);
        for (; next < end; ++next) {
            package.AddRecord(fid, layout, records[next]);
        }
        Transmit(package, next == records.size());
    } while (next < records.size());
}

void FTDTradeSession::AnswerMarginRates() {
    std::vector<CThostFtdcInstrumentMarginRateField> rates;
    rates.reserve(Instruments.size());
    for (const auto& instrument : Instruments) {
        rates.push_back(MarginRateFieldFrom(instrument));
    }
    SendInBatches(TransId::QryMarginRateAnswer, CurrentReqID, Fid::InstrumentMarginRate,
                  InstrumentMarginRateLayout(), rates);
}

void FTDTradeSession::AnswerCommissionRates() {
    std::vector<CThostFtdcInstrumentCommissionRateField> rates;
    rates.reserve(Instruments.size());
    for (const auto& instrument : Instruments) {
        rates.push_back(CommissionRateFieldFrom(instrument));
    }
    SendInBatches(TransId::QryCommissionRateAnswer, CurrentReqID, Fid::InstrumentCommissionRate,
                  InstrumentCommissionRateLayout(), rates);
}

void FTDTradeSession::SendExecOrders() {
    if (PendingRequests[QryExecOrder] == -1) {
        return;
    }
    std::vector<CThostFtdcExecOrderField> fields;
    fields.reserve(PendingExecOrders.size());
    for (const auto& order : PendingExecOrders) {
        fields.push_back(ExecOrderFieldFrom(order, ClientOrderRef(order.OrderRef)));
    }
    PendingExecOrders.clear();
    SendInBatches(TransId::QryExecOrderAnswer, static_cast<uint32_t>(PendingRequests[QryExecOrder]),
                  Fid::ExecOrder, ExecOrderLayout(), fields);
    PendingRequests[QryExecOrder] = -1;
}

// ---------------------------------------------------------------- answers and pushes

void FTDTradeSession::AnswerOrders(const std::vector<TradeApi::Order>& orders) {
    SlimLockGuard guard(Lock);
    if (PendingRequests[QryOrder] == -1) {
        return;
    }
    std::vector<CThostFtdcOrderField> fields;
    for (const auto& order : orders) {
        OrderRefs.try_emplace(order.OrderRef, OrderRefEntry{order.OrderRef, 0});
        if (order.OrderKind == TradeApi::OrderKind::Exercise) {
            PendingExecOrders.push_back(order);
        } else {
            fields.push_back(OrderFieldFrom(order, ClientOrderRef(order.OrderRef)));
        }
    }
    SendInBatches(TransId::QryOrderAnswer, static_cast<uint32_t>(PendingRequests[QryOrder]), Fid::Order,
                  OrderLayout(), fields);
    PendingRequests[QryOrder] = -1;
    SendExecOrders();
}

void FTDTradeSession::AnswerTrades(const std::vector<TradeApi::TradeOrder>& trades) {
    SlimLockGuard guard(Lock);
    if (PendingRequests[QryTrade] == -1) {
        return;
    }
    std::vector<CThostFtdcTradeField> fields;
    fields.reserve(trades.size());
    for (const auto& trade : trades) {
        fields.push_back(TradeFieldFrom(trade));
    }
    SendInBatches(TransId::QryTradeAnswer, static_cast<uint32_t>(PendingRequests[QryTrade]), Fid::Trade,
                  TradeLayout(), fields);
    PendingRequests[QryTrade] = -1;
}

void FTDTradeSession::AnswerPositions(const std::vector<TradeApi::Position>& positions) {
    SlimLockGuard guard(Lock);
    if (PendingRequests[QryInvestorPosition] == -1) {
        return;
    }
    std::vector<CThostFtdcInvestorPositionField> fields;
    fields.reserve(positions.size());
    for (const auto& position : positions) {
        fields.push_back(PositionFieldFrom(position));
    }
    SendInBatches(TransId::QryPositionAnswer, static_cast<uint32_t>(PendingRequests[QryInvestorPosition]),
                  Fid::InvestorPosition, InvestorPositionLayout(), fields);
    PendingRequests[QryInvestorPosition] = -1;
}

void FTDTradeSession::AnswerInstruments(const std::vector<TradeApi::Instrument>& instruments) {
    SlimLockGuard guard(Lock);
    if (PendingRequests[QryInstrument] == -1) {
        return;
    }
    Instruments = instruments;
    std::vector<CThostFtdcInstrumentField> fields;
    fields.reserve(instruments.size());
    for (const auto& instrument : instruments) {
        fields.push_back(InstrumentFieldFrom(instrument));
    }
    SendInBatches(TransId::QryInstrumentAnswer, static_cast<uint32_t>(PendingRequests[QryInstrument]),
                  Fid::Instrument, InstrumentLayout(), fields);
    PendingRequests[QryInstrument] = -1;
}

void FTDTradeSession::AnswerAccount(const TradeApi::Account& account) {
    SlimLockGuard guard(Lock);
    if (PendingRequests[QryTradingAccount] == -1) {
        return;
    }
    FTDPackage package;
    package.Series = Series::Query;
    package.TransID = TransId::QryAccountAnswer;
    package.ReqID = static_cast<uint32_t>(PendingRequests[QryTradingAccount]);
    package.Counter = TakeCounter(QueryKey);
    package.AddRecord(Fid::TradingAccount, TradingAccountLayout(), AccountFieldFrom(account));
    Transmit(package);
    PendingRequests[QryTradingAccount] = -1;
}

void FTDTradeSession::PushRefusal(const TradeApi::Order& order) {
    SlimLockGuard guard(Lock);
    const auto entry = OrderRefs.find(order.OrderRef);
    if (entry == OrderRefs.end()) {
        return;
    }
    CThostFtdcRspInfoField info{};
    Utils::CopyText(info.ErrorMsg, order.StatusMsg);
    FTDPackage package;
    package.Series = Series::Dialogue;
    package.TransID = TransId::OrderInsertAnswer;
    package.ReqID = static_cast<uint32_t>(entry->second.RequestID);
    package.Counter = TakeCounter(DialogueKey);
    package.AddRecord(Fid::RspInfo, RspInfoLayout(), info);
    package.AddRecord(Fid::InputOrder, InputOrderLayout(),
                      InputOrderFieldFrom(order, entry->second.ClientOrderRef));
    Transmit(package);
}

void FTDTradeSession::PushOrderReturn(const TradeApi::Order& order) {
    SlimLockGuard guard(Lock);
    const auto entry = OrderRefs.find(order.OrderRef);
    if (entry == OrderRefs.end()) {
        return;
    }
    FTDPackage package;
    package.Series = Series::PrivateFlow;
    package.TransID = TransId::OrderReturn;
    package.ReqID = 0;
    package.Counter = TakeCounter(PushKey);
    package.AddRecord(Fid::Order, OrderLayout(), OrderFieldFrom(order, entry->second.ClientOrderRef));
    Transmit(package);
}

void FTDTradeSession::PushTradeReturn(const TradeApi::TradeOrder& trade) {
    SlimLockGuard guard(Lock);
    FTDPackage package;
    package.Series = Series::PrivateFlow;
    package.TransID = TransId::TradeReturn;
    package.ReqID = 0;
    package.Counter = TakeCounter(PushKey);
    package.AddRecord(Fid::Trade, TradeLayout(), TradeFieldFrom(trade));
    Transmit(package);
}

} // namespace FTD
} // namespace Tesmora

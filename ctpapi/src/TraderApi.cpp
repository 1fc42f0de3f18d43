#include "TraderApi.h"

#include "Delivery.h"
#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

#include <cstring>

namespace Tesmora {
namespace CtpApi {

using namespace FTD;

TraderApi::TraderApi(const char* flowFolder) : Connection(*this, flowFolder != nullptr ? flowFolder : "") {}

void TraderApi::Release() {
    Spi.store(nullptr);
    Connection.ReleaseOwner([this] { delete this; });
}

void TraderApi::Init() {
    Connection.Start();
}

int TraderApi::Join() {
    return Connection.Join();
}

const char* TraderApi::GetTradingDay() {
    return Connection.TradingDay();
}

void TraderApi::RegisterFront(char* address) {
    if (address != nullptr) {
        Connection.RegisterFront(address);
    }
}

// ---------------------------------------------------------------- requests

template <class Record>
int TraderApi::Send(uint32_t transID, uint16_t series, uint16_t fid, const FieldLayout<Record>& layout,
                    const Record* record, int requestID) {
    if (record == nullptr) {
        return -1;
    }
    FTDPackage package;
    package.Series = series;
    package.TransID = transID;
    package.ReqID = static_cast<uint32_t>(requestID);
    package.AddRecord(fid, layout, *record);
    return Connection.SendPackage(package);
}

bool TraderApi::TakeQuerySlot() {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> guard(QueryMutex);
    if (Queried && now - LastQuery < Connection.QueryInterval()) {
        return false;
    }
    Queried = true;
    LastQuery = now;
    return true;
}

template <class Record>
int TraderApi::SendQuery(uint32_t transID, uint16_t fid, const FieldLayout<Record>& layout,
                         const Record* record, int requestID) {
    if (!Connection.IsConnected()) {
        return -1;
    }
    if (!TakeQuerySlot()) {
        return -3;
    }
    return Send(transID, Series::Query, fid, layout, record, requestID);
}

int TraderApi::ReqAuthenticate(CThostFtdcReqAuthenticateField* request, int requestID) {
    return Send(TransId::AuthenticateRequest, Series::Dialogue, Fid::ReqAuthenticate, ReqAuthenticateLayout(),
                request, requestID);
}

int TraderApi::ReqUserLogin(CThostFtdcReqUserLoginField* request, int requestID) {
    if (request == nullptr) {
        return -1;
    }
    // The topic modes travel as the announced sequences of the private and public flows.
    FTDPackage package;
    package.Series = Series::Dialogue;
    package.TransID = TransId::LoginRequest;
    package.ReqID = static_cast<uint32_t>(requestID);
    package.AddRecord(Fid::ReqUserLogin, ReqUserLoginLayout(), *request);
    package.AddRecord(Fid::Dissemination, DisseminationLayout(),
                      DisseminationField{int16_t(Series::PrivateFlow), int32_t(PrivateTopic.load())});
    package.AddRecord(Fid::Dissemination, DisseminationLayout(),
                      DisseminationField{int16_t(Series::PublicFlow), int32_t(PublicTopic.load())});
    return Connection.SendPackage(package);
}

int TraderApi::ReqUserLogout(CThostFtdcUserLogoutField* request, int requestID) {
    return Send(TransId::LogoutRequest, Series::Dialogue, Fid::UserLogout, UserLogoutLayout(), request,
                requestID);
}

int TraderApi::ReqSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField* request, int requestID) {
    return Send(TransId::SettlementConfirmRequest, Series::Dialogue, Fid::SettlementInfoConfirm,
                SettlementInfoConfirmLayout(), request, requestID);
}

int TraderApi::ReqOrderInsert(CThostFtdcInputOrderField* request, int requestID) {
    return Send(TransId::OrderInsertRequest, Series::Dialogue, Fid::InputOrder, InputOrderLayout(), request,
                requestID);
}

int TraderApi::ReqOrderAction(CThostFtdcInputOrderActionField* request, int requestID) {
    return Send(TransId::OrderActionRequest, Series::Dialogue, Fid::InputOrderAction,
                InputOrderActionLayout(), request, requestID);
}

int TraderApi::ReqExecOrderInsert(CThostFtdcInputExecOrderField* request, int requestID) {
    return Send(TransId::ExecOrderInsertRequest, Series::Dialogue, Fid::InputExecOrder,
                InputExecOrderLayout(), request, requestID);
}

int TraderApi::ReqQryInvestor(CThostFtdcQryInvestorField* request, int requestID) {
    return SendQuery(TransId::QryInvestorRequest, Fid::QryInvestor, QryInvestorLayout(), request, requestID);
}

int TraderApi::ReqQryOrder(CThostFtdcQryOrderField* request, int requestID) {
    return SendQuery(TransId::QryOrderRequest, Fid::QryOrder, QryOrderLayout(), request, requestID);
}

int TraderApi::ReqQryExecOrder(CThostFtdcQryExecOrderField* request, int requestID) {
    return SendQuery(TransId::QryExecOrderRequest, Fid::QryExecOrder, QryExecOrderLayout(), request,
                     requestID);
}

int TraderApi::ReqQryTrade(CThostFtdcQryTradeField* request, int requestID) {
    return SendQuery(TransId::QryTradeRequest, Fid::QryTrade, QryTradeLayout(), request, requestID);
}

int TraderApi::ReqQryInvestorPosition(CThostFtdcQryInvestorPositionField* request, int requestID) {
    return SendQuery(TransId::QryPositionRequest, Fid::QryInvestorPosition, QryInvestorPositionLayout(),
                     request, requestID);
}

int TraderApi::ReqQryTradingAccount(CThostFtdcQryTradingAccountField* request, int requestID) {
    return SendQuery(TransId::QryAccountRequest, Fid::QryTradingAccount, QryTradingAccountLayout(), request,
                     requestID);
}

int TraderApi::ReqQryInstrument(CThostFtdcQryInstrumentField* request, int requestID) {
    return SendQuery(TransId::QryInstrumentRequest, Fid::QryInstrument, QryInstrumentLayout(), request,
                     requestID);
}

int TraderApi::ReqQryInstrumentMarginRate(CThostFtdcQryInstrumentMarginRateField* request, int requestID) {
    return SendQuery(TransId::QryMarginRateRequest, Fid::QryInstrumentMarginRate,
                     QryInstrumentMarginRateLayout(), request, requestID);
}

int TraderApi::ReqQryInstrumentCommissionRate(CThostFtdcQryInstrumentCommissionRateField* request,
                                              int requestID) {
    return SendQuery(TransId::QryCommissionRateRequest, Fid::QryInstrumentCommissionRate,
                     QryInstrumentCommissionRateLayout(), request, requestID);
}

// ---------------------------------------------------------------- events

void TraderApi::OnConnected() {
    {
        // The front's flow control is per session: a new connection starts with a fresh allowance,
        // so a login chain after a quick reconnection is not refused its investor query.
        std::lock_guard<std::mutex> guard(QueryMutex);
        Queried = false;
    }
    if (CThostFtdcTraderSpi* spi = Spi.load()) {
        spi->OnFrontConnected();
    }
}

void TraderApi::OnDisconnected(int reason) {
    if (CThostFtdcTraderSpi* spi = Spi.load()) {
        spi->OnFrontDisconnected(reason);
    }
}

void TraderApi::OnPackage(ReceivedPackage& package) {
    using S = CThostFtdcTraderSpi;
    switch (package.TransID) {
    case TransId::LoginAnswer: {
        Connection.RememberTradingDay(package);
        DeliverAnswer(Spi, package, Fid::RspUserLogin, RspUserLoginLayout(), &S::OnRspUserLogin);
        break;
    }
    case TransId::AuthenticateAnswer:
        DeliverAnswer(Spi, package, Fid::RspAuthenticate, RspAuthenticateLayout(), &S::OnRspAuthenticate);
        break;
    case TransId::LogoutAnswer:
        DeliverAnswer(Spi, package, Fid::UserLogout, UserLogoutLayout(), &S::OnRspUserLogout);
        break;
    case TransId::SettlementConfirmAnswer:
        DeliverAnswer(Spi, package, Fid::SettlementInfoConfirm, SettlementInfoConfirmLayout(),
                      &S::OnRspSettlementInfoConfirm);
        break;
    case TransId::QryInvestorAnswer:
        DeliverAnswer(Spi, package, Fid::Investor, InvestorLayout(), &S::OnRspQryInvestor);
        break;
    case TransId::OrderInsertAnswer:
        DeliverAnswer(Spi, package, Fid::InputOrder, InputOrderLayout(), &S::OnRspOrderInsert);
        break;
    case TransId::OrderActionAnswer:
        DeliverAnswer(Spi, package, Fid::InputOrderAction, InputOrderActionLayout(), &S::OnRspOrderAction);
        break;
    case TransId::ExecOrderInsertAnswer:
        DeliverAnswer(Spi, package, Fid::InputExecOrder, InputExecOrderLayout(), &S::OnRspExecOrderInsert);
        break;
    case TransId::QryOrderAnswer:
        DeliverAnswer(Spi, package, Fid::Order, OrderLayout(), &S::OnRspQryOrder);
        break;
    case TransId::QryExecOrderAnswer:
        DeliverAnswer(Spi, package, Fid::ExecOrder, ExecOrderLayout(), &S::OnRspQryExecOrder);
        break;
    case TransId::QryTradeAnswer:
        DeliverAnswer(Spi, package, Fid::Trade, TradeLayout(), &S::OnRspQryTrade);
        break;
    case TransId::QryPositionAnswer:
        DeliverAnswer(Spi, package, Fid::InvestorPosition, InvestorPositionLayout(),
                      &S::OnRspQryInvestorPosition);
        break;
    case TransId::QryAccountAnswer:
        DeliverAnswer(Spi, package, Fid::TradingAccount, TradingAccountLayout(), &S::OnRspQryTradingAccount);
        break;
    case TransId::QryInstrumentAnswer:
        DeliverAnswer(Spi, package, Fid::Instrument, InstrumentLayout(), &S::OnRspQryInstrument);
        break;
    case TransId::QryMarginRateAnswer:
        DeliverAnswer(Spi, package, Fid::InstrumentMarginRate, InstrumentMarginRateLayout(),
                      &S::OnRspQryInstrumentMarginRate);
        break;
    case TransId::QryCommissionRateAnswer:
        DeliverAnswer(Spi, package, Fid::InstrumentCommissionRate, InstrumentCommissionRateLayout(),
                      &S::OnRspQryInstrumentCommissionRate);
        break;
    case TransId::OrderReturn:
        DeliverPush(Spi, package, Fid::Order, OrderLayout(), &S::OnRtnOrder);
        break;
    case TransId::TradeReturn:
        DeliverPush(Spi, package, Fid::Trade, TradeLayout(), &S::OnRtnTrade);
        break;
    case TransId::ExecOrderReturn:
        DeliverPush(Spi, package, Fid::ExecOrder, ExecOrderLayout(), &S::OnRtnExecOrder);
        break;
    case TransId::InstrumentStatusReturn:
        DeliverPush(Spi, package, Fid::InstrumentStatus, InstrumentStatusLayout(), &S::OnRtnInstrumentStatus);
        break;
    case TransId::ErrorAnswer:
        if (CThostFtdcTraderSpi* spi = Spi.load()) {
            spi->OnRspError(package.RspInfoOrNull(), static_cast<int>(package.ReqID), package.IsLast);
        }
        break;
    default:
        break; // the dissemination announcement and anything unknown carry nothing for the client
    }
}

} // namespace CtpApi
} // namespace Tesmora

CThostFtdcTraderApi* CThostFtdcTraderApi::CreateFtdcTraderApi(const char* pszFlowPath) {
    return new Tesmora::CtpApi::TraderApi(pszFlowPath);
}

const char* CThostFtdcTraderApi::GetApiVersion() {
    return "Tesmora stand-in 6.3.15";
}

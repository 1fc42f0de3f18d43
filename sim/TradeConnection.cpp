#include "sim/TradeConnection.h"

#include "sim/Clock.h"
#include "sim/FrontHub.h"
#include "sim/Trace.h"

#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace Tesmora {
namespace Sim {

using namespace FTD;
using Utils::CopyText;
using Utils::FieldText;

namespace {

constexpr size_t BatchSize = 5;
constexpr const char* SystemName = "Tesmora SimFront";
// "Simulated investor ", GBK as fronts send names.
constexpr const char* InvestorNamePrefix = "\xc4\xa3\xc4\xe2\xcd\xb6\xd7\xca\xd5\xdf ";

struct OffsetName {
    char Offset;
    const char* Name;
};
const OffsetName OffsetNames[] = {
    {THOST_FTDC_OF_Open, "open"},
    {THOST_FTDC_OF_Close, "close"},
    {THOST_FTDC_OF_CloseToday, "close-today"},
    {THOST_FTDC_OF_CloseYesterday, "close-yesterday"},
};

const char* NameOfOffset(char offset) {
    for (const OffsetName& name : OffsetNames) {
        if (name.Offset == offset) {
            return name.Name;
        }
    }
    return "offset?";
}

std::string PriceText(const CThostFtdcInputOrderField& order) {
    if (order.OrderPriceType == THOST_FTDC_OPT_AnyPrice) {
        return "market";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", order.LimitPrice);
    return text;
}

} // namespace

// clang-format off
const TradeConnection::Handler TradeConnection::Handlers[] = {
    {TransId::AuthenticateRequest,      "ReqAuthenticate",                false, &TradeConnection::Authenticate},
    {TransId::LoginRequest,             "ReqUserLogin",                   false, &TradeConnection::Login},
    {TransId::LogoutRequest,            "ReqUserLogout",                  true,  &TradeConnection::Logout},
    {TransId::SettlementConfirmRequest, "ReqSettlementInfoConfirm",       true,  &TradeConnection::ConfirmSettlement},
    {TransId::QryInvestorRequest,       "ReqQryInvestor",                 true,  &TradeConnection::QueryInvestor},
    {TransId::OrderInsertRequest,       "ReqOrderInsert",                 true,  &TradeConnection::InsertOrder},
    {TransId::OrderActionRequest,       "ReqOrderAction",                 true,  &TradeConnection::CancelOrder},
    {TransId::ExecOrderInsertRequest,   "ReqExecOrderInsert",             true,  &TradeConnection::RefuseExecOrder},
    {TransId::QryOrderRequest,          "ReqQryOrder",                    true,  &TradeConnection::QueryOrders},
    {TransId::QryTradeRequest,          "ReqQryTrade",                    true,  &TradeConnection::QueryTrades},
    {TransId::QryPositionRequest,       "ReqQryInvestorPosition",         true,  &TradeConnection::QueryPositions},
    {TransId::QryAccountRequest,        "ReqQryTradingAccount",           true,  &TradeConnection::QueryAccount},
    {TransId::QryInstrumentRequest,     "ReqQryInstrument",               true,  &TradeConnection::QueryInstruments},
    {TransId::QryMarginRateRequest,     "ReqQryInstrumentMarginRate",     true,  &TradeConnection::QueryMarginRates},
    {TransId::QryCommissionRateRequest, "ReqQryInstrumentCommissionRate", true,  &TradeConnection::QueryCommissionRates},
    {TransId::QryExecOrderRequest,      "ReqQryExecOrder",                true,  &TradeConnection::QueryExecOrders},
};
// clang-format on

TradeConnection::TradeConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session)
    : ClientConnection(hub, std::move(session)) {}

bool TradeConnection::IsLoggedInAs(const char* brokerID, const char* investorID) const {
    return LoggedIn && Owner.BrokerID == brokerID && Owner.UserID == investorID;
}

void TradeConnection::HandleRequest() {
    std::lock_guard<std::mutex> guard(Hub.Mutex);
    for (const Handler& handler : Handlers) {
        if (handler.TransID != RequestTransID) {
            continue;
        }
        if (handler.NeedsLogin && !LoggedIn) {
            AnswerWithEcho(Refusal::NotLoggedIn);
            Trace("%s -> refused: %s", handler.Name, RefusalName(Refusal::NotLoggedIn));
            return;
        }
        (this->*handler.Handle)(handler.Name);
        return;
    }
    // A client waiting for an answer learns at once that none will come.
    FTDPackage answer = NewPackage(TransId::ErrorAnswer, Series::Dialogue, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(Refusal::Unsupported));
    Send(answer);
    Trace("request 0x%04X -> refused: %s", unsigned(RequestTransID), RefusalName(Refusal::Unsupported));
}

template <class Record>
Record TradeConnection::Request(uint16_t fid, const FieldLayout<Record>& layout) const {
    size_t length = 0;
    const char* data = FirstField(fid, length);
    Record record;
    layout.Decode(data, data != nullptr ? length : 0, record);
    return record;
}

void TradeConnection::AnswerWithEcho(Refusal refusal) {
    FTDPackage answer = NewPackage(RequestTransID + 1, RequestSeries, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(refusal));
    // A query's own fields mean nothing to the records its answer carries.
    if (RequestSeries != Series::Query) {
        for (const Field& field : Fields) {
            answer.AddField(field.Fid, Bytes.data() + field.Offset, uint32_t(field.Length));
        }
    }
    Send(answer);
}

template <class Record>
void TradeConnection::AnswerRecords(const char* name, uint16_t fid, const FieldLayout<Record>& layout,
                                    const std::vector<Record>& records) {
    size_t next = 0;
    do {
        FTDPackage package = NewPackage(RequestTransID + 1, Series::Query, RequestReqID);
        const size_t end = std::min(records.size(), next + BatchSize);
        for (; next < end; ++next) {
            package.AddRecord(fid, layout, records[next]);
        }
        Send(package, next == records.size());
    } while (next < records.size());
    Trace("%s user=%s -> %zu record(s)", name, Owner.UserID.c_str(), records.size());
}

// ---------------------------------------------------------------- session

void TradeConnection::Authenticate(const char* name) {
    const auto request = Request(Fid::ReqAuthenticate, ReqAuthenticateLayout());
    CThostFtdcRspAuthenticateField answer{};
    std::memcpy(answer.BrokerID, request.BrokerID, sizeof answer.BrokerID);
    std::memcpy(answer.UserID, request.UserID, sizeof answer.UserID);
    std::memcpy(answer.UserProductInfo, request.UserProductInfo, sizeof answer.UserProductInfo);
    std::memcpy(answer.AppID, request.AppID, sizeof answer.AppID);
    answer.AppType = '1';
    FTDPackage package = NewPackage(TransId::AuthenticateAnswer, Series::Dialogue, RequestReqID);
    package.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(Refusal::None));
    package.AddRecord(Fid::RspAuthenticate, RspAuthenticateLayout(), answer);
    Send(package);
    Trace("%s user=%s app=%s -> accepted", name, request.UserID, request.AppID);
}

void TradeConnection::Login(const char* name) {
    const auto request = Request(Fid::ReqUserLogin, ReqUserLoginLayout());
    const std::string brokerID = FieldText(request.BrokerID);
    const std::string userID = FieldText(request.UserID);
    const Refusal refusal = LoggedIn ? Refusal::DuplicateLogin
                            : Hub.Trading.CheckLogin(brokerID, userID, FieldText(request.Password))
                                ? Refusal::None
                                : Refusal::BadLogin;
    FTDPackage answer = NewPackage(TransId::LoginAnswer, Series::Session, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(refusal));
    if (refusal != Refusal::None) {
        Send(answer);
        Trace("%s broker=%s user=%s -> refused: %s", name, brokerID.c_str(), userID.c_str(),
              RefusalName(refusal));
        return;
    }
    LoggedIn = true;
    Owner = OrderOwner{brokerID, userID, FrontHub::FrontID, Hub.NextSessionID()};
    const WallTime now = Now();
    CThostFtdcRspUserLoginField login{};
    CopyText(login.TradingDay, Hub.Trading.TradingDay());
    CopyText(login.LoginTime, now.Time);
    CopyText(login.BrokerID, brokerID);
    CopyText(login.UserID, userID);
    CopyText(login.SystemName, SystemName);
    login.FrontID = Owner.FrontID;
    login.SessionID = Owner.SessionID;
    const std::string maxOrderRef = Hub.Trading.MaxOrderRef(brokerID, userID);
    CopyText(login.MaxOrderRef, maxOrderRef);
    for (char* exchangeTime :
         {login.SHFETime, login.DCETime, login.CZCETime, login.FFEXTime, login.INETime}) {
        std::memcpy(exchangeTime, login.LoginTime, sizeof login.LoginTime);
    }
    answer.AddRecord(Fid::RspUserLogin, RspUserLoginLayout(), login);
    Send(answer);

    // The flows' sequences, announced after the login answer as fronts do.
    FTDPackage flows = NewPackage(TransId::Dissemination, Series::Session, 0);
    const DisseminationField announced[] = {{1, 0}, {2, 100}, {3, 0}, {4, 0}};
    for (const DisseminationField& sequence : announced) {
        flows.AddRecord(Fid::Dissemination, DisseminationLayout(), sequence);
    }
    Send(flows);
    Trace("%s broker=%s user=%s -> accepted FrontID=%d SessionID=%d MaxOrderRef=%s", name, brokerID.c_str(),
          userID.c_str(), Owner.FrontID, Owner.SessionID, maxOrderRef.c_str());
}

void TradeConnection::Logout(const char* name) {
    AnswerWithEcho(Refusal::None);
    LoggedIn = false;
    Trace("%s user=%s -> logged out", name, Owner.UserID.c_str());
}

void TradeConnection::ConfirmSettlement(const char* name) {
    AnswerWithEcho(Refusal::None);
    Trace("%s user=%s -> confirmed", name, Owner.UserID.c_str());
}

void TradeConnection::QueryInvestor(const char* name) {
    CThostFtdcInvestorField investor{};
    CopyText(investor.InvestorID, Owner.UserID);
    CopyText(investor.BrokerID, Owner.BrokerID);
    CopyText(investor.InvestorGroupID, Owner.BrokerID);
    CopyText(investor.InvestorName, InvestorNamePrefix + Owner.UserID);
    investor.IdentifiedCardType = '1';
    investor.IsActive = 1;
    CopyText(investor.OpenDate, Hub.Trading.TradingDay());
    FTDPackage answer = NewPackage(TransId::QryInvestorAnswer, Series::Query, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(Refusal::None));
    answer.AddRecord(Fid::Investor, InvestorLayout(), investor);
    Send(answer);
    Trace("%s user=%s -> 1 record(s)", name, Owner.UserID.c_str());
}

// ---------------------------------------------------------------- orders

void TradeConnection::InsertOrder(const char* name) {
    auto input = Request(Fid::InputOrder, InputOrderLayout());
    std::string orderSysID;
    const Refusal refusal = Hub.Trading.InsertOrder(Owner, input, orderSysID);
    const std::string what = FieldText(input.InstrumentID) + " " +
                             (input.Direction == THOST_FTDC_D_Buy ? "buy " : "sell ") +
                             NameOfOffset(input.CombOffsetFlag[0]) + " " +
                             std::to_string(input.VolumeTotalOriginal) + "@" + PriceText(input);
    if (refusal != Refusal::None) {
        FTDPackage answer = NewPackage(TransId::OrderInsertAnswer, Series::Dialogue, RequestReqID);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(refusal));
        answer.AddRecord(Fid::InputOrder, InputOrderLayout(), input);
        Send(answer);
        Trace("%s user=%s %s -> refused: %s", name, Owner.UserID.c_str(), what.c_str(), RefusalName(refusal));
        return;
    }
    Trace("%s user=%s %s -> accepted OrderSysID=%s", name, Owner.UserID.c_str(), what.c_str(),
          orderSysID.c_str());
}

void TradeConnection::CancelOrder(const char* name) {
    const auto action = Request(Fid::InputOrderAction, InputOrderActionLayout());
    std::string orderSysID;
    const Refusal refusal = Hub.Trading.CancelOrder(Owner, action, orderSysID);
    const std::string which =
        "OrderSysID=" + FieldText(action.OrderSysID) + " OrderRef=" + FieldText(action.OrderRef);
    if (refusal != Refusal::None) {
        FTDPackage answer = NewPackage(TransId::OrderActionAnswer, Series::Dialogue, RequestReqID);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(refusal));
        answer.AddRecord(Fid::InputOrderAction, InputOrderActionLayout(), action);
        Send(answer);
        Trace("%s user=%s %s -> refused: %s", name, Owner.UserID.c_str(), which.c_str(),
              RefusalName(refusal));
        return;
    }
    Trace("%s user=%s %s -> canceled OrderSysID=%s", name, Owner.UserID.c_str(), which.c_str(),
          orderSysID.c_str());
}

void TradeConnection::RefuseExecOrder(const char* name) {
    AnswerWithEcho(Refusal::Unsupported);
    Trace("%s user=%s -> refused: %s", name, Owner.UserID.c_str(), RefusalName(Refusal::Unsupported));
}

// ---------------------------------------------------------------- queries

void TradeConnection::QueryOrders(const char* name) {
    AnswerRecords(name, Fid::Order, OrderLayout(),
                  Hub.Trading.QueryOrders(Owner, Request(Fid::QryOrder, QryOrderLayout())));
}

void TradeConnection::QueryTrades(const char* name) {
    AnswerRecords(name, Fid::Trade, TradeLayout(),
                  Hub.Trading.QueryTrades(Owner, Request(Fid::QryTrade, QryTradeLayout())));
}

void TradeConnection::QueryPositions(const char* name) {
    AnswerRecords(
        name, Fid::InvestorPosition, InvestorPositionLayout(),
        Hub.Trading.QueryPositions(Owner, Request(Fid::QryInvestorPosition, QryInvestorPositionLayout())));
}

void TradeConnection::QueryAccount(const char* name) {
    AnswerRecords(name, Fid::TradingAccount, TradingAccountLayout(),
                  std::vector<CThostFtdcTradingAccountField>{Hub.Trading.QueryAccount(Owner)});
}

void TradeConnection::QueryInstruments(const char* name) {
    AnswerRecords(name, Fid::Instrument, InstrumentLayout(),
                  Hub.Trading.QueryInstruments(Request(Fid::QryInstrument, QryInstrumentLayout())));
}

void TradeConnection::QueryMarginRates(const char* name) {
    AnswerRecords(name, Fid::InstrumentMarginRate, InstrumentMarginRateLayout(),
                  Hub.Trading.QueryMarginRates(
                      Owner, Request(Fid::QryInstrumentMarginRate, QryInstrumentMarginRateLayout())));
}

void TradeConnection::QueryCommissionRates(const char* name) {
    AnswerRecords(name, Fid::InstrumentCommissionRate, InstrumentCommissionRateLayout(),
                  Hub.Trading.QueryCommissionRates(
                      Owner, Request(Fid::QryInstrumentCommissionRate, QryInstrumentCommissionRateLayout())));
}

void TradeConnection::QueryExecOrders(const char* name) {
    // Exercise orders are not simulated, so there are never any.
    AnswerRecords(name, Fid::ExecOrder, ExecOrderLayout(), std::vector<CThostFtdcExecOrderField>{});
}

} // namespace Sim
} // namespace Tesmora

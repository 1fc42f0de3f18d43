#include "sim/MarketConnection.h"

#include "sim/Clock.h"
#include "sim/FrontHub.h"
#include "sim/Refusal.h"
#include "sim/Trace.h"

#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace Tesmora {
namespace Sim {

using namespace FTD;
using Utils::CopyText;
using Utils::FieldText;

MarketConnection::MarketConnection(FrontHub& hub, std::weak_ptr<NetApi::ISession> session)
    : ClientConnection(hub, std::move(session)) {}

void MarketConnection::HandleRequest() {
    std::lock_guard<std::mutex> guard(Hub.Mutex);
    switch (RequestTransID) {
    case TransId::LoginRequest:
        Login();
        break;
    case TransId::LogoutRequest:
        Logout();
        break;
    case TransId::SubscribeRequest:
        Subscribe(true);
        break;
    case TransId::UnsubscribeRequest:
        Subscribe(false);
        break;
    default: {
        FTDPackage answer = NewPackage(TransId::ErrorAnswer, Series::Session, RequestReqID);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(Refusal::Unsupported));
        Send(answer);
        Trace("market request 0x%04X -> refused: %s", unsigned(RequestTransID),
              RefusalName(Refusal::Unsupported));
        break;
    }
    }
}

void MarketConnection::Login() {
    // Market-data fronts take any credentials: quotes are public.
    size_t length = 0;
    const char* data = FirstField(Fid::ReqUserLogin, length);
    const auto request = ReqUserLoginLayout().Decode(data, data != nullptr ? length : 0);
    const WallTime now = Now();
    CThostFtdcRspUserLoginField login{};
    CopyText(login.TradingDay, Hub.Trading.TradingDay());
    CopyText(login.LoginTime, now.Time);
    std::memcpy(login.BrokerID, request.BrokerID, sizeof login.BrokerID);
    std::memcpy(login.UserID, request.UserID, sizeof login.UserID);
    CopyText(login.SystemName, "Tesmora SimFront");
    login.FrontID = FrontHub::FrontID;
    login.SessionID = Hub.NextSessionID();
    FTDPackage answer = NewPackage(TransId::LoginAnswer, Series::Session, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(Refusal::None));
    answer.AddRecord(Fid::RspUserLogin, RspUserLoginLayout(), login);
    Send(answer);
    LoggedIn = true;
    UserID = FieldText(request.UserID);
    Trace("market ReqUserLogin user=%s -> accepted SessionID=%d", UserID.c_str(), login.SessionID);
}

void MarketConnection::Logout() {
    FTDPackage answer = NewPackage(TransId::LogoutAnswer, Series::Session, RequestReqID);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(),
                     RspInfoFor(LoggedIn ? Refusal::None : Refusal::NotLoggedIn));
    for (const Field& field : Fields) {
        answer.AddField(field.Fid, Bytes.data() + field.Offset, uint32_t(field.Length));
    }
    Send(answer);
    LoggedIn = false;
    Subscribed.clear();
    Trace("market ReqUserLogout user=%s -> logged out", UserID.c_str());
}

void MarketConnection::Subscribe(bool subscribe) {
    const char* name = subscribe ? "SubscribeMarketData" : "UnSubscribeMarketData";
    const uint32_t answerID = subscribe ? TransId::SubscribeAnswer : TransId::UnsubscribeAnswer;
    std::vector<CThostFtdcSpecificInstrumentField> known;
    std::vector<CThostFtdcSpecificInstrumentField> unknown;
    for (const Field& field : Fields) {
        if (field.Fid != Fid::SpecificInstrument) {
            continue;
        }
        const auto instrument = SpecificInstrumentLayout().Decode(Bytes.data() + field.Offset, field.Length);
        const bool exists = Hub.Trading.FindQuote(FieldText(instrument.InstrumentID)) != nullptr;
        (exists && LoggedIn ? known : unknown).push_back(instrument);
    }
    const Refusal refusal = LoggedIn ? Refusal::UnknownInstrument : Refusal::NotLoggedIn;

    // The instruments taken in one package; each refused one in its own, with its own error.
    const size_t packages = (known.empty() ? 0 : 1) + unknown.size();
    size_t sent = 0;
    if (!known.empty() || packages == 0) {
        FTDPackage answer = NewPackage(answerID, Series::Session, RequestReqID);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(LoggedIn ? Refusal::None : refusal));
        for (const auto& instrument : known) {
            answer.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), instrument);
        }
        Send(answer, ++sent >= packages);
    }
    for (const auto& instrument : unknown) {
        FTDPackage answer = NewPackage(answerID, Series::Session, RequestReqID);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), RspInfoFor(refusal));
        answer.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), instrument);
        Send(answer, ++sent == packages);
    }

    std::string taken;
    for (const auto& instrument : known) {
        const std::string id = FieldText(instrument.InstrumentID);
        taken += " " + id;
        if (!subscribe) {
            Subscribed.erase(id);
            continue;
        }
        // A new subscriber sees the current quote at once rather than at the next tick.
        if (Subscribed.insert(id).second) {
            FTDPackage snapshot = NewPackage(TransId::DepthMarketDataPush, Series::Session, 0);
            snapshot.AddRecord(Fid::DepthMarketData, DepthMarketDataLayout(), *Hub.Trading.FindQuote(id));
            Send(snapshot);
        }
    }
    std::string line = std::string(name) + " user=" + UserID + " ->";
    line += taken.empty() ? std::string(" none taken") : " taken" + taken;
    if (!unknown.empty()) {
        line += std::string(" refused (") + RefusalName(refusal) + "):";
        for (const auto& instrument : unknown) {
            line += " " + FieldText(instrument.InstrumentID);
        }
    }
    Trace("%s", line.c_str());
}

} // namespace Sim
} // namespace Tesmora

#include "FTD/FTDMarketSession.h"

#include "FTD/CTPFields.h"
#include "FTD/TransIds.h"
#include "Utils/FieldText.h"

namespace Tesmora {
namespace FTD {

FTDMarketSession::FTDMarketSession(TradeApi::IMarket* market, NetApi::ISession* netSession)
    : FTDProxySession(netSession), Market(market) {}

void FTDMarketSession::OnFieldData(uint16_t fid, const FTDFieldInfo& info, const char* data, size_t length) {
    TraceField(fid, info);
    if (fid == Fid::SpecificInstrument) {
        AnswerSubscription(data, length);
    } else if (fid == Fid::ReqUserLogin) {
        FTDPackage answer = LoginAnswer(data, length, CurrentReqID, 0);
        TransmitBytes(answer.Output.Data(), answer.Output.Size());
    }
}

void FTDMarketSession::AnswerSubscription(const char* data, size_t length) {
    const CThostFtdcSpecificInstrumentField instrument = SpecificInstrumentLayout().Decode(data, length);
    TradeApi::QueryParams params;
    params.InstrumentID = Utils::FieldText(instrument.InstrumentID);
    if (CurrentTransID == TransId::SubscribeRequest) {
        Market->Subscribe(params);
    } else if (CurrentTransID == TransId::UnsubscribeRequest) {
        Market->Unsubscribe(params);
    }
    // Answered at once and always as a success: the adapter's own outcome goes to the host only.
    FTDPackage answer;
    answer.Series = Series::Session;
    answer.TransID = CurrentTransID + 1;
    answer.ReqID = CurrentReqID;
    answer.Counter = 0;
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
    answer.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), instrument);
    Transmit(answer);
}

} // namespace FTD
} // namespace Tesmora

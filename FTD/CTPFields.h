#pragma once

#include "FTD/FTDLoginRecords.h"
#include "FTD/FieldLayout.h"

#include "ThostFtdcUserApiStruct.h"

#include <cstdint>

namespace Tesmora {
namespace FTD {

// The CTP records an FTD dialogue carries: their field identifiers and their
// wire layouts. Layouts are built on first use and immutable afterwards;
// everything here is callable from any thread. RspInfo, ReqUserLogin and
// RspUserLogin are in FTDLoginRecords.h.

namespace Fid {
constexpr uint16_t RspInfo = 0x0000;
constexpr uint16_t Instrument = 0x0003;
constexpr uint16_t Investor = 0x0006;
constexpr uint16_t TradingAccount = 0x000c;
constexpr uint16_t InvestorPosition = 0x000d;
constexpr uint16_t InstrumentMarginRate = 0x000e;
constexpr uint16_t InstrumentCommissionRate = 0x000f;
constexpr uint16_t DepthMarketData = 0x0012;
constexpr uint16_t InputOrder = 0x0400;
constexpr uint16_t Order = 0x0401;
constexpr uint16_t InputOrderAction = 0x0404;
constexpr uint16_t OrderAction = 0x0405;
constexpr uint16_t Trade = 0x0409;
constexpr uint16_t SettlementInfoConfirm = 0x040f;
constexpr uint16_t QryOrder = 0x0700;
constexpr uint16_t QryTrade = 0x0701;
constexpr uint16_t QryInvestorPosition = 0x0702;
constexpr uint16_t QryTradingAccount = 0x0703;
constexpr uint16_t QryInvestor = 0x0704;
constexpr uint16_t QryInstrumentMarginRate = 0x0707;
constexpr uint16_t QryInstrumentCommissionRate = 0x0708;
constexpr uint16_t QryInstrument = 0x0717;
constexpr uint16_t InputExecOrder = 0x080a;
constexpr uint16_t InputExecOrderAction = 0x080b;
constexpr uint16_t ExecOrder = 0x080c;
constexpr uint16_t QryExecOrder = 0x080e;
constexpr uint16_t Dissemination = 0x1001;
constexpr uint16_t ReqUserLogin = 0x1002;
constexpr uint16_t RspUserLogin = 0x1003;
constexpr uint16_t UserLogout = 0x1004;
constexpr uint16_t ReqAuthenticate = 0x1010;
constexpr uint16_t RspAuthenticate = 0x1011;
constexpr uint16_t SpecificInstrument = 0x2441;
constexpr uint16_t InstrumentStatus = 0x2442;
} // namespace Fid

// One announced sequence of a flow: which series, and the number it stands at.
struct DisseminationField {
    int16_t SequenceSeries;
    int32_t SequenceNo;
};

const FieldLayout<CThostFtdcReqAuthenticateField>& ReqAuthenticateLayout();
const FieldLayout<CThostFtdcRspAuthenticateField>& RspAuthenticateLayout();
const FieldLayout<CThostFtdcUserLogoutField>& UserLogoutLayout();
const FieldLayout<CThostFtdcSettlementInfoConfirmField>& SettlementInfoConfirmLayout();
const FieldLayout<CThostFtdcQryInvestorField>& QryInvestorLayout();
const FieldLayout<CThostFtdcInvestorField>& InvestorLayout();
const FieldLayout<CThostFtdcInputOrderField>& InputOrderLayout();
const FieldLayout<CThostFtdcInputOrderActionField>& InputOrderActionLayout();
const FieldLayout<CThostFtdcOrderActionField>& OrderActionLayout();
const FieldLayout<CThostFtdcOrderField>& OrderLayout();
const FieldLayout<CThostFtdcTradeField>& TradeLayout();
const FieldLayout<CThostFtdcInputExecOrderField>& InputExecOrderLayout();
const FieldLayout<CThostFtdcInputExecOrderActionField>& InputExecOrderActionLayout();
const FieldLayout<CThostFtdcExecOrderField>& ExecOrderLayout();
const FieldLayout<CThostFtdcInvestorPositionField>& InvestorPositionLayout();
const FieldLayout<CThostFtdcTradingAccountField>& TradingAccountLayout();
const FieldLayout<CThostFtdcInstrumentField>& InstrumentLayout();
const FieldLayout<CThostFtdcInstrumentMarginRateField>& InstrumentMarginRateLayout();
const FieldLayout<CThostFtdcInstrumentCommissionRateField>& InstrumentCommissionRateLayout();
const FieldLayout<CThostFtdcInstrumentStatusField>& InstrumentStatusLayout();
const FieldLayout<CThostFtdcQryOrderField>& QryOrderLayout();
const FieldLayout<CThostFtdcQryTradeField>& QryTradeLayout();
const FieldLayout<CThostFtdcQryExecOrderField>& QryExecOrderLayout();
const FieldLayout<CThostFtdcQryInvestorPositionField>& QryInvestorPositionLayout();
const FieldLayout<CThostFtdcQryTradingAccountField>& QryTradingAccountLayout();
const FieldLayout<CThostFtdcQryInstrumentField>& QryInstrumentLayout();
const FieldLayout<CThostFtdcQryInstrumentMarginRateField>& QryInstrumentMarginRateLayout();
const FieldLayout<CThostFtdcQryInstrumentCommissionRateField>& QryInstrumentCommissionRateLayout();
const FieldLayout<CThostFtdcSpecificInstrumentField>& SpecificInstrumentLayout();
const FieldLayout<CThostFtdcDepthMarketDataField>& DepthMarketDataLayout();
const FieldLayout<DisseminationField>& DisseminationLayout();

} // namespace FTD
} // namespace Tesmora

#pragma once

#include "TradeApi/Account.h"
#include "TradeApi/Instrument.h"
#include "TradeApi/Order.h"
#include "TradeApi/Position.h"
#include "TradeApi/Tick.h"
#include "TradeApi/TradeOrder.h"

#include "ThostFtdcUserApiStruct.h"

#include <string>

namespace Tesmora {
namespace TradeApi {

// CTP structures to the uniform records. `convert` is the adapter's IsUTF8:
// free-text members (status messages, instrument names, error messages) pass
// GBK to UTF-8 when it is set. Members a conversion does not name keep the
// record's initial values. Callable from any thread.

Order ConvertOrder(const CThostFtdcOrderField& field, bool convert);
Order ConvertExecOrder(const CThostFtdcExecOrderField& field, bool convert);
// The echo of a refused insertion; front and session are the adapter's own.
Order ConvertInputOrder(const CThostFtdcInputOrderField& field, const CThostFtdcRspInfoField* rspInfo,
                        int frontID, int sessionID, bool convert);
Order ConvertInputOrderAction(const CThostFtdcInputOrderActionField& field,
                              const CThostFtdcRspInfoField* rspInfo, bool convert);
Order ConvertInputExecOrder(const CThostFtdcInputExecOrderField& field, const CThostFtdcRspInfoField* rspInfo,
                            bool convert);
TradeOrder ConvertTrade(const CThostFtdcTradeField& field);
Position ConvertPosition(const CThostFtdcInvestorPositionField& field);
Account ConvertAccount(const CThostFtdcTradingAccountField& field);
Instrument ConvertInstrument(const CThostFtdcInstrumentField& field, bool convert);

// A depth snapshot as a Tick, levels 1 to 5; UpdateTime carries hundredths of a
// second. LastVolume is the market adapter's to fill.
Tick ConvertDepthMarketData(const CThostFtdcDepthMarketDataField& field);

// Each rate member is written only while it is unset, so the first rate that
// arrives for an instrument (and hedge flag) wins.
void MergeMarginRate(Instrument& instrument, const CThostFtdcInstrumentMarginRateField& field);
void MergeCommissionRate(Instrument& instrument, const CThostFtdcInstrumentCommissionRateField& field);

// GBK to UTF-8 when `convert` is set, otherwise the bytes unchanged.
std::string ConvertFreeText(const char* text, bool convert);

} // namespace TradeApi
} // namespace Tesmora

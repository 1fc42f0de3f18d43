#pragma once

#include "TradeApi/Account.h"
#include "TradeApi/Instrument.h"
#include "TradeApi/Order.h"
#include "TradeApi/Position.h"
#include "TradeApi/QueryParams.h"
#include "TradeApi/Tick.h"
#include "TradeApi/TradeOrder.h"

#include "ThostFtdcUserApiStruct.h"

#include <string>

namespace Tesmora {
namespace FTD {

// What the proxy sessions put into the CTP fields they send downstream, and
// what they take from the fields downstream clients send. Members not named
// stay zero; texts are cut to their field size less one; int64 values are cut
// to their low 32 bits. Callable from any thread.

// Answers and pushes.
CThostFtdcOrderField OrderFieldFrom(const TradeApi::Order& order, const std::string& clientOrderRef);
CThostFtdcExecOrderField ExecOrderFieldFrom(const TradeApi::Order& order, const std::string& clientOrderRef);
CThostFtdcInputOrderField InputOrderFieldFrom(const TradeApi::Order& order,
                                              const std::string& clientOrderRef);
CThostFtdcTradeField TradeFieldFrom(const TradeApi::TradeOrder& trade);
CThostFtdcInvestorPositionField PositionFieldFrom(const TradeApi::Position& position);
CThostFtdcInstrumentField InstrumentFieldFrom(const TradeApi::Instrument& instrument);
CThostFtdcTradingAccountField AccountFieldFrom(const TradeApi::Account& account);
// The first set of margin rates among arbitrage, hedge and speculation.
CThostFtdcInstrumentMarginRateField MarginRateFieldFrom(const TradeApi::Instrument& instrument);
CThostFtdcInstrumentCommissionRateField CommissionRateFieldFrom(const TradeApi::Instrument& instrument);
// Level 1 only; Volume carries the volume since the previous tick, and the
// hundredths of UpdateTime become UpdateMillisec.
CThostFtdcDepthMarketDataField DepthMarketDataFieldFrom(const TradeApi::Tick& tick);

// Requests. False when the request has no record form (a direction other than
// '0' or '1').
bool OrderFromInputOrder(const CThostFtdcInputOrderField& field, TradeApi::Order& order);
TradeApi::Order OrderFromInputOrderAction(const CThostFtdcInputOrderActionField& field);

} // namespace FTD
} // namespace Tesmora

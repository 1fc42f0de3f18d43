#pragma once

#include "ThostFtdcUserApiStruct.h"

#include <vector>

namespace Tesmora {
namespace Sim {

// One tradable instrument of the built-in table: its reference record, its
// speculation rates and the prices the trading day starts from.
struct InstrumentListing {
    CThostFtdcInstrumentField Field;
    CThostFtdcInstrumentMarginRateField MarginRate;         // BrokerID and InvestorID empty
    CThostFtdcInstrumentCommissionRateField CommissionRate; // likewise
    double PreSettlementPrice;
    double UpperLimitPrice; // on the price grid
    double LowerLimitPrice; // on the price grid, at least one tick
};

// The built-in table, built on first use and immutable; any thread.
const std::vector<InstrumentListing>& BuiltInInstruments();

// The nearest double to ticks * tick, so prices print and compare as the grid values they are.
double GridPrice(long long ticks, double tick);
// Whether price lies on the grid of tick.
bool OnGrid(double price, double tick);
// The number of ticks nearest to price.
long long TicksOf(double price, double tick);

} // namespace Sim
} // namespace Tesmora

#pragma once

#include "ThostFtdcUserApiStruct.h"

namespace Tesmora {
namespace Sim {

// Takes the order and trade returns the exchange produces, in the order it
// produces them. Called synchronously from inside Exchange's operations, so on
// whichever thread runs them, with the exchange's guard held.
class ExchangeListener {
public:
    virtual ~ExchangeListener() = default;
    virtual void OnOrder(const CThostFtdcOrderField& order) = 0;
    virtual void OnTrade(const CThostFtdcTradeField& trade) = 0;
};

} // namespace Sim
} // namespace Tesmora

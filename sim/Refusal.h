#pragma once

#include "ThostFtdcUserApiStruct.h"

namespace Tesmora {
namespace Sim {

// Why the front refuses a request. Each kind has its error number and the GBK
// message a client receives, in one table (Refusal.cpp).
enum class Refusal {
    None = 0,
    BadLogin,
    NotLoggedIn,
    DuplicateLogin,
    UnknownInstrument,
    BadField, // volume, direction, offset or a condition the front does not take
    PriceOffGrid,
    PriceOutsideLimits,
    InsufficientFunds,
    CloseExceedsPosition,
    DuplicateOrderRef,
    OrderNotFound,
    OrderFinished,
    Unsupported,
};

// The RspInfo a refusal travels in; Refusal::None gives the success record.
CThostFtdcRspInfoField RspInfoFor(Refusal refusal);
// A short English name for trace lines.
const char* RefusalName(Refusal refusal);

} // namespace Sim
} // namespace Tesmora

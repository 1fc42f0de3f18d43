#pragma once

#include "TradeApi/ErrorInfo.h"

#include <vector>

namespace Tesmora {
namespace TradeApi {

// What a notification is about. The numbers are part of the interface.
struct NotifyType {
    enum Value : int {
        Error = 0,
        Close = 1,
        Connect = 2,
        Authenticate = 3,
        Login = 4,
        Open = 5,
        Logout = 6,
        Disconnect = 7,
        Subscribe = 9,
        Unsubscribe = 10,
        OrderAction = 11,
        QueryOrder = 12,
        QueryTrade = 13,
        QueryInstrument = 14,
        QueryPosition = 15,
        QueryAccount = 16,
        QueryMarginRate = 17,
        QueryCommissionRate = 18,
        InstrumentStatus = 102,
    };
};

struct NotifyResult {
    enum Value : int { Success = 0, Failed = 1 };
};

// The single way outcomes reach the host: handed to the listener's OnNotify
// and valid only for the duration of that call.
class NotifyParams {
public:
    NotifyParams() = default;
    NotifyParams(int type, int result, std::vector<ErrorInfo> errors)
        : Type(type), Result(result), Errors(std::move(errors)) {}
    NotifyParams(const NotifyParams&) = default;
    NotifyParams(NotifyParams&&) = default;
    NotifyParams& operator=(const NotifyParams&) = default;
    NotifyParams& operator=(NotifyParams&&) = default;
    virtual ~NotifyParams() = default;

    int Type = NotifyType::Error;
    int Result = NotifyResult::Success;
    std::vector<ErrorInfo> Errors;
};

} // namespace TradeApi
} // namespace Tesmora

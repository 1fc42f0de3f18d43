#include "TradeApi/ErrorRules.h"

#include "TradeApi/ErrorCodes.h"

namespace Tesmora {
namespace TradeApi {

namespace {

struct ReturnCodeEntry {
    int Value;
    const char* Code;
};

constexpr ReturnCodeEntry ReturnCodeTable[] = {
    {-1, ErrorCode::ErrNetwork},
    {-2, ErrorCode::ErrTooManyUnhandledReqs},
    {-3, ErrorCode::ErrTooManyRequests},
};

} // namespace

const char* ErrorCodeForProviderValue(int value) {
    for (const auto& entry : ReturnCodeTable) {
        if (entry.Value == value) {
            return entry.Code;
        }
    }
    return ErrorCode::ErrUndefined;
}

ErrorInfo LocalError(const char* code) {
    return ErrorInfo(code);
}

ErrorInfo RefusedRequestError(int result) {
    return ErrorInfo(ErrorCodeForProviderValue(result), std::to_string(result));
}

ErrorInfo ResponseError(int errorID, std::string convertedMessage) {
    return ErrorInfo(ErrorCodeForProviderValue(errorID), std::to_string(errorID),
                     std::move(convertedMessage));
}

} // namespace TradeApi
} // namespace Tesmora

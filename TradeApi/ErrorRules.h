#pragma once

#include "TradeApi/ErrorInfo.h"

#include <string>

namespace Tesmora {
namespace TradeApi {

// The return-code table: CTP request results and error numbers to error codes.
// A value without an entry gives "ErrUndefined".
const char* ErrorCodeForProviderValue(int value);

// Rule 1: an error detected by the adapter itself.
ErrorInfo LocalError(const char* code);

// Rule 2: a CTP request returned a value other than 0.
ErrorInfo RefusedRequestError(int result);

// Rule 3: a CTP error response; the message has already passed the adapter's
// text conversion.
ErrorInfo ResponseError(int errorID, std::string convertedMessage);

} // namespace TradeApi
} // namespace Tesmora

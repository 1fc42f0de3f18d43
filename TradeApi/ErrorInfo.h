#pragma once

#include <string>

namespace Tesmora {
namespace TradeApi {

// One error of a notification: a symbolic code and, for errors that came from
// the CTP API, the provider's number (decimal text) and converted message.
class ErrorInfo {
public:
    ErrorInfo() = default;
    explicit ErrorInfo(std::string code, std::string providerCode = std::string(),
                       std::string providerMessage = std::string())
        : Code(std::move(code)), ProviderCode(std::move(providerCode)),
          ProviderMessage(std::move(providerMessage)) {}
    ErrorInfo(const ErrorInfo&) = default;
    ErrorInfo(ErrorInfo&&) = default;
    ErrorInfo& operator=(const ErrorInfo&) = default;
    ErrorInfo& operator=(ErrorInfo&&) = default;
    virtual ~ErrorInfo() = default;

    std::string Code;
    std::string ProviderCode;
    std::string ProviderMessage;
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include <string>

namespace Tesmora {
namespace TradeApi {

// Selection of a query or a market-data subscription. The adapters read only
// ExchangeID and InstrumentID; the reserved fields are carried unchanged for
// other adapters of the interface.
class QueryParams {
public:
    QueryParams() = default;
    QueryParams(const QueryParams&) = default;
    QueryParams(QueryParams&&) = default;
    QueryParams& operator=(const QueryParams&) = default;
    QueryParams& operator=(QueryParams&&) = default;
    virtual ~QueryParams() = default;

    std::string ReservedText1;
    std::string ReservedText2;
    std::string ExchangeID;
    std::string ExchangeInstID;
    std::string InstrumentID;
    int ReservedInt1 = 0;
    std::string ProductID;
    std::string ReservedTexts[7];
    int ReservedInt2 = 0;
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include "TradeApi/TradeEnums.h"
#include "TradeApi/UnsetValues.h"

#include <cstdint>
#include <string>

namespace Tesmora {
namespace TradeApi {

// One position row as the front reports it; rows are never aggregated.
class Position {
public:
    Position() = default;
    Position(const Position&) = default;
    Position(Position&&) = default;
    Position& operator=(const Position&) = default;
    Position& operator=(Position&&) = default;
    virtual ~Position() = default;

    std::string InvestorID;
    std::string BrokerID;
    std::string ReservedText1;
    std::string ReservedText2;
    std::string InstrumentID;
    double PreSettlementPrice = UnsetDoubleValue;
    int64_t TodayVolume = 0;
    int64_t YesterdayVolume = 0;
    int32_t Direction = DirectionType::Sell; // Buy: long; Sell: short or net
    int64_t Reserved8A[3] = {0, 0, 0};
    int32_t ReservedInt1 = 0;
    int64_t InitialYesterdayVolume = 0;
    double ReservedDouble1 = UnsetDoubleValue;
    int64_t Reserved8B[3] = {0, 0, 0};
};

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include "sim/Instruments.h"

#include "ThostFtdcUserApiStruct.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace Tesmora {
namespace Sim {

// The simulated market of every instrument: a seeded random walk of the last
// price on the tick grid, with five depth levels a tick apart on each side.
// The walk keeps the last price five ticks inside the limit prices, so every
// level lies within them. The same seed gives the same prices.
//
// Not thread-safe: its owner (Exchange) is guarded by FrontHub's mutex.
class MarketModel {
public:
    MarketModel(const std::vector<InstrumentListing>& instruments, uint64_t seed,
                const std::string& tradingDay);

    // Moves every instrument one step and refreshes its depth.
    void Step(const std::string& updateTime, int millisec);

    // The current quote of instrument `index` (in the instruments' order).
    // Fills take volume off its first levels until the next step.
    CThostFtdcDepthMarketDataField& Quote(size_t index) { return States[index].Quote; }
    const CThostFtdcDepthMarketDataField& Quote(size_t index) const { return States[index].Quote; }

    // The five levels of a side: BidPrice1..5 / BidVolume1..5 and the asks.
    static double CThostFtdcDepthMarketDataField::*const BidPrices[5];
    static int CThostFtdcDepthMarketDataField::*const BidVolumes[5];
    static double CThostFtdcDepthMarketDataField::*const AskPrices[5];
    static int CThostFtdcDepthMarketDataField::*const AskVolumes[5];

private:
    struct State {
        const InstrumentListing* Listing;
        long long Last; // in ticks, as are the limits
        long long Lower;
        long long Upper;
        long long High;
        long long Low;
        CThostFtdcDepthMarketDataField Quote;
    };

    void BuildDepth(State& state, bool lastAtBid);

    std::mt19937_64 Random;
    std::vector<State> States;
};

} // namespace Sim
} // namespace Tesmora

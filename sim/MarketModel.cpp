#include "sim/MarketModel.h"

#include "Utils/FieldText.h"

#include <algorithm>

namespace Tesmora {
namespace Sim {

using F = CThostFtdcDepthMarketDataField;

double F::*const MarketModel::BidPrices[5] = {&F::BidPrice1, &F::BidPrice2, &F::BidPrice3, &F::BidPrice4,
                                              &F::BidPrice5};
int F::*const MarketModel::BidVolumes[5] = {&F::BidVolume1, &F::BidVolume2, &F::BidVolume3, &F::BidVolume4,
                                            &F::BidVolume5};
double F::*const MarketModel::AskPrices[5] = {&F::AskPrice1, &F::AskPrice2, &F::AskPrice3, &F::AskPrice4,
                                              &F::AskPrice5};
int F::*const MarketModel::AskVolumes[5] = {&F::AskVolume1, &F::AskVolume2, &F::AskVolume3, &F::AskVolume4,
                                            &F::AskVolume5};

namespace {

// The last price stays this many ticks inside each limit: room for four more levels and a spread.
constexpr long long Margin = 5;

} // namespace

MarketModel::MarketModel(const std::vector<InstrumentListing>& instruments, uint64_t seed,
                         const std::string& tradingDay)
    : Random(seed) {
    States.reserve(instruments.size());
    for (const InstrumentListing& listing : instruments) {
        const double tick = listing.Field.PriceTick;
        State state{};
        state.Listing = &listing;
        state.Last = TicksOf(listing.PreSettlementPrice, tick);
        state.Lower = TicksOf(listing.LowerLimitPrice, tick);
        state.Upper = TicksOf(listing.UpperLimitPrice, tick);
        state.High = state.Last;
        state.Low = state.Last;
        F& q = state.Quote;
        Utils::CopyText(q.TradingDay, tradingDay);
        Utils::CopyText(q.ActionDay, tradingDay);
        std::memcpy(q.InstrumentID, listing.Field.InstrumentID, sizeof q.InstrumentID);
        std::memcpy(q.ExchangeID, listing.Field.ExchangeID, sizeof q.ExchangeID);
        std::memcpy(q.ExchangeInstID, listing.Field.ExchangeInstID, sizeof q.ExchangeInstID);
        q.PreSettlementPrice = listing.PreSettlementPrice;
        q.PreClosePrice = listing.PreSettlementPrice;
        q.UpperLimitPrice = listing.UpperLimitPrice;
        q.LowerLimitPrice = listing.LowerLimitPrice;
        q.PreOpenInterest = 100000;
        q.OpenInterest = 100000;
        q.OpenPrice = GridPrice(state.Last, tick);
        Utils::CopyText(q.UpdateTime, "09:00:00");
        BuildDepth(state, true);
        States.push_back(state);
    }
}

void MarketModel::Step(const std::string& updateTime, int millisec) {
    std::uniform_int_distribution<int> move(-2, 2);
    std::uniform_int_distribution<int> traded(1, 20);
    std::bernoulli_distribution atBid(0.5);
    for (State& state : States) {
        state.Last = std::clamp(state.Last + move(Random), state.Lower + Margin, state.Upper - Margin);
        state.High = std::max(state.High, state.Last);
        state.Low = std::min(state.Low, state.Last);
        F& q = state.Quote;
        const int volume = traded(Random);
        const double tick = state.Listing->Field.PriceTick;
        q.Volume += volume;
        q.Turnover += GridPrice(state.Last, tick) * state.Listing->Field.VolumeMultiple * volume;
        q.OpenInterest += volume % 3 - 1;
        Utils::CopyText(q.UpdateTime, updateTime);
        q.UpdateMillisec = millisec;
        BuildDepth(state, atBid(Random));
    }
}

void MarketModel::BuildDepth(State& state, bool lastAtBid) {
    std::uniform_int_distribution<int> depth(1, 30);
    const double tick = state.Listing->Field.PriceTick;
    F& q = state.Quote;
    q.LastPrice = GridPrice(state.Last, tick);
    q.HighestPrice = GridPrice(state.High, tick);
    q.LowestPrice = GridPrice(state.Low, tick);
    q.AveragePrice = q.Volume > 0 ? q.Turnover / q.Volume : 0.0;
    const long long bid = lastAtBid ? state.Last : state.Last - 1;
    for (int level = 0; level < 5; ++level) {
        q.*BidPrices[level] = GridPrice(bid - level, tick);
        q.*BidVolumes[level] = depth(Random);
        q.*AskPrices[level] = GridPrice(bid + 1 + level, tick);
        q.*AskVolumes[level] = depth(Random);
    }
}

} // namespace Sim
} // namespace Tesmora

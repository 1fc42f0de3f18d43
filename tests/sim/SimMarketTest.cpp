#include "sim/SimClients.h"

#include <cctype>
#include <cstring>
#include <map>

using namespace Tesmora;
using namespace Tesmora::Testing;

namespace {

class SimMarket : public ::testing::Test {
protected:
    SimMarket() : Front(TestConfig()) {}
    void SetUp() override { ASSERT_TRUE(Front.Start()); }

    // Sends one (un)subscription and returns its answers once the last has come.
    static std::vector<SpiCall> Request(MdClient& client, bool subscribe, std::vector<std::string> ids) {
        std::vector<char*> pointers;
        for (std::string& id : ids) {
            pointers.push_back(&id[0]);
        }
        const char* callback = subscribe ? "OnRspSubMarketData" : "OnRspUnSubMarketData";
        const size_t before = client.Spi.Named(callback).size();
        EXPECT_EQ(subscribe ? client.Api->SubscribeMarketData(pointers.data(), int(pointers.size()))
                            : client.Api->UnSubscribeMarketData(pointers.data(), int(pointers.size())),
                  0);
        std::vector<SpiCall> answers;
        EXPECT_TRUE(Eventually([&] {
            const auto calls = client.Spi.Named(callback);
            answers.assign(calls.begin() + long(before), calls.end());
            return !answers.empty() && answers.back().IsLast;
        }));
        return answers;
    }

    Sim::SimFront Front;
};

bool IsTimeText(const char* text) {
    return std::strlen(text) == 8 && text[2] == ':' && text[5] == ':' && std::isdigit(text[0]) &&
           std::isdigit(text[7]);
}

} // namespace

TEST_F(SimMarket, SubscribedInstrumentsGetQuotesOnTheirPriceGridInsideTheLimits) {
    MdClient client(Front.MarketPort());
    const auto answers = Request(client, true, {"rb2105", "IF2106", "zz0000"});
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_STREQ(answers[0].As<CThostFtdcSpecificInstrumentField>().InstrumentID, "rb2105");
    EXPECT_STREQ(answers[1].As<CThostFtdcSpecificInstrumentField>().InstrumentID, "IF2106");
    EXPECT_EQ(answers[0].ErrorID, 0);
    EXPECT_EQ(answers[1].ErrorID, 0);
    EXPECT_STREQ(answers[2].As<CThostFtdcSpecificInstrumentField>().InstrumentID, "zz0000");
    EXPECT_EQ(answers[2].ErrorID, 16);
    EXPECT_EQ(Utf8(answers[2].ErrorMsg), u8"CTP:找不到合约");

    // A snapshot each at once, then one quote each per step.
    ASSERT_TRUE(client.Spi.WaitForCount("OnRtnDepthMarketData", 2));
    constexpr int Steps = 30;
    for (int step = 0; step < Steps; ++step) {
        Front.Tick();
    }
    ASSERT_TRUE(client.Spi.WaitForCount("OnRtnDepthMarketData", 2 + 2 * Steps));
    const std::map<std::string, double> ticks = {{"rb2105", 1.0}, {"IF2106", 0.2}};
    std::map<std::string, int> volumes;
    const std::string tradingDay = client.Api->GetTradingDay();
    for (const auto& quote : client.Ticks()) {
        SCOPED_TRACE(std::string(quote.InstrumentID) + " " + quote.UpdateTime);
        ASSERT_EQ(ticks.count(quote.InstrumentID), 1u) << "only subscribed instruments";
        const double tick = ticks.at(quote.InstrumentID);
        const double bids[] = {quote.BidPrice1, quote.BidPrice2, quote.BidPrice3, quote.BidPrice4,
                               quote.BidPrice5};
        const double asks[] = {quote.AskPrice1, quote.AskPrice2, quote.AskPrice3, quote.AskPrice4,
                               quote.AskPrice5};
        const int bidVolumes[] = {quote.BidVolume1, quote.BidVolume2, quote.BidVolume3, quote.BidVolume4,
                                  quote.BidVolume5};
        const int askVolumes[] = {quote.AskVolume1, quote.AskVolume2, quote.AskVolume3, quote.AskVolume4,
                                  quote.AskVolume5};
        EXPECT_TRUE(OnTickGrid(quote.LastPrice, tick)) << quote.LastPrice;
        EXPECT_LT(bids[0], asks[0]);
        for (int level = 0; level < 5; ++level) {
            EXPECT_TRUE(OnTickGrid(bids[level], tick)) << bids[level];
            EXPECT_TRUE(OnTickGrid(asks[level], tick)) << asks[level];
            EXPECT_GE(bids[level], quote.LowerLimitPrice);
            EXPECT_LE(asks[level], quote.UpperLimitPrice);
            EXPECT_GT(bidVolumes[level], 0);
            EXPECT_GT(askVolumes[level], 0);
            if (level > 0) {
                EXPECT_LT(bids[level], bids[level - 1]);
                EXPECT_GT(asks[level], asks[level - 1]);
            }
        }
        EXPECT_LE(quote.LowestPrice, quote.LastPrice);
        EXPECT_GE(quote.HighestPrice, quote.LastPrice);
        EXPECT_GT(quote.OpenPrice, 0);
        EXPECT_EQ(quote.PreSettlementPrice, std::string(quote.InstrumentID) == "rb2105" ? 3500.0 : 5000.0);
        EXPECT_EQ(tradingDay, quote.TradingDay);
        EXPECT_TRUE(IsTimeText(quote.UpdateTime));
        EXPECT_GE(quote.Volume, volumes[quote.InstrumentID]) << "the volume is cumulative";
        volumes[quote.InstrumentID] = quote.Volume;
    }
}

TEST_F(SimMarket, UnsubscribingStopsTheQuotes) {
    MdClient client(Front.MarketPort());
    Request(client, true, {"rb2105"});
    Front.Tick();
    ASSERT_TRUE(client.Spi.WaitForCount("OnRtnDepthMarketData", 2));
    const auto answer = Request(client, false, {"rb2105"});
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].ErrorID, 0);
    const size_t seen = client.Ticks().size();
    // cu2106 comes after rb2105 in every step: once its quote is here, rb2105's would have been.
    Request(client, true, {"cu2106"});
    Front.Tick();
    ASSERT_TRUE(client.Spi.WaitForCount("OnRtnDepthMarketData", seen + 2));
    const auto ticks = client.Ticks();
    for (size_t i = seen; i < ticks.size(); ++i) {
        EXPECT_STREQ(ticks[i].InstrumentID, "cu2106");
    }
}

TEST_F(SimMarket, TheTimerMovesTheMarketBySelf) {
    Sim::SimFront ticking(TestConfig(5));
    ASSERT_TRUE(ticking.Start());
    MdClient client(ticking.MarketPort());
    Request(client, true, {"m2109-C-3000"});
    ASSERT_TRUE(client.Spi.WaitForCount("OnRtnDepthMarketData", 10));
    for (const auto& quote : client.Ticks()) {
        EXPECT_TRUE(OnTickGrid(quote.LastPrice, 0.5)) << quote.LastPrice;
        EXPECT_GE(quote.BidPrice5, quote.LowerLimitPrice);
    }
    ticking.Stop();
    ticking.Stop();
}

TEST(SimMarketModel, TheSeedDecidesThePrices) {
    const auto walk = [](uint64_t seed) {
        Sim::SimConfig config = TestConfig();
        config.Seed = seed;
        Sim::SimFront front(config);
        std::vector<double> prices;
        for (int step = 0; step < 50; ++step) {
            front.Tick();
            CThostFtdcDepthMarketDataField quote{};
            EXPECT_TRUE(front.CurrentQuote("cu2106", quote));
            prices.push_back(quote.LastPrice);
            prices.push_back(quote.BidPrice3);
        }
        return prices;
    };
    EXPECT_EQ(walk(11), walk(11));
    EXPECT_NE(walk(11), walk(12));
}

// The market adapter's tick conversion: a CTP depth record to a Tick, alone
// and with the adapter's volume table (OnRtnDepthMarketData without a
// listener), beside a plain copy of the record in the same run.
#include "TradeApi/CTP/CTPConversions.h"
#include "TradeApi/CTP/CTPMarket.h"
#include "Utils/FieldText.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

using namespace Tesmora::TradeApi;

CThostFtdcDepthMarketDataField SampleDepth() {
    CThostFtdcDepthMarketDataField field{};
    Tesmora::Utils::CopyText(field.TradingDay, "20261211");
    Tesmora::Utils::CopyText(field.InstrumentID, "rb2105");
    Tesmora::Utils::CopyText(field.ExchangeID, "SHFE");
    Tesmora::Utils::CopyText(field.UpdateTime, "09:30:01");
    Tesmora::Utils::CopyText(field.ActionDay, "20261211");
    field.UpdateMillisec = 500;
    field.LastPrice = 3500;
    field.Volume = 1000;
    field.BidPrice1 = 3499;
    field.BidVolume1 = 12;
    field.AskPrice1 = 3501;
    field.AskVolume1 = 8;
    return field;
}

void BM_CopyDepthRecord(benchmark::State& state) {
    const auto field = SampleDepth();
    CThostFtdcDepthMarketDataField copy;
    for (auto _ : state) {
        std::memcpy(&copy, &field, sizeof copy);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyDepthRecord);

void BM_ConvertDepthMarketData(benchmark::State& state) {
    const auto field = SampleDepth();
    for (auto _ : state) {
        Tick tick = ConvertDepthMarketData(field);
        benchmark::DoNotOptimize(tick);
    }
}
BENCHMARK(BM_ConvertDepthMarketData);

// The whole callback as the CTP thread runs it, with no listener set.
void BM_OnRtnDepthMarketData(benchmark::State& state) {
    CTPMarket market;
    auto field = SampleDepth();
    for (auto _ : state) {
        field.Volume += 1;
        market.OnRtnDepthMarketData(&field);
    }
}
BENCHMARK(BM_OnRtnDepthMarketData);

} // namespace

BENCHMARK_MAIN();

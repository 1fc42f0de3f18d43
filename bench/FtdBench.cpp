// The FTD codec on the packages the proxy sends most: a depth-market-data push
// (one 354-byte field), an order return (one 635-byte field) and a query
// answer batch of five orders. Each is encoded with compression and parsed
// back, beside memcpy of the same package bytes in the same run. Bytes/s
// count the uncompressed package (header and fields); the time per iteration
// is the time per package.
#include "FTD/FTDPackage.h"
#include "FTD/FTDParser.h"
#include "FTD/FieldLayout.h"

#include "ThostFtdcUserApiStruct.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using namespace Tesmora::FTD;
using Bytes = std::vector<unsigned char>;

// The depth market data field as the market proxy fills it from a tick.
const FieldLayout<CThostFtdcDepthMarketDataField>& DepthLayout() {
    using R = CThostFtdcDepthMarketDataField;
    // clang-format off
    static const FieldLayout<R> layout(354, {
        {0,   9,  &R::TradingDay},
        {9,   31, &R::InstrumentID},
        {40,  9,  &R::ExchangeID},
        {49,  31, &R::ExchangeInstID},
        {80,  8,  &R::LastPrice},
        {88,  8,  &R::PreSettlementPrice},
        {96,  8,  &R::PreClosePrice},
        {104, 8,  &R::PreOpenInterest},
        {112, 8,  &R::OpenPrice},
        {120, 8,  &R::HighestPrice},
        {128, 8,  &R::LowestPrice},
        {136, 4,  &R::Volume},
        {140, 8,  &R::Turnover},
        {148, 8,  &R::OpenInterest},
        {156, 8,  &R::ClosePrice},
        {164, 8,  &R::SettlementPrice},
        {172, 8,  &R::UpperLimitPrice},
        {180, 8,  &R::LowerLimitPrice},
        {188, 8,  &R::PreDelta},
        {196, 8,  &R::CurrDelta},
        {204, 9,  &R::UpdateTime},
        {213, 4,  &R::UpdateMillisec},
        {217, 8,  &R::BidPrice1},
        {225, 4,  &R::BidVolume1},
        {229, 8,  &R::AskPrice1},
        {237, 4,  &R::AskVolume1},
        {337, 8,  &R::AveragePrice},
        {345, 9,  &R::ActionDay},
    });
    // clang-format on
    return layout;
}

// The order field as the trade proxy fills it from an order return.
const FieldLayout<CThostFtdcOrderField>& OrderLayout() {
    using R = CThostFtdcOrderField;
    // clang-format off
    static const FieldLayout<R> layout(635, {
        {0,   11, &R::BrokerID},
        {11,  13, &R::InvestorID},
        {24,  31, &R::InstrumentID},
        {55,  13, &R::OrderRef},
        {84,  1,  &R::OrderPriceType},
        {85,  1,  &R::Direction},
        {86,  5,  &R::CombOffsetFlag},
        {91,  5,  &R::CombHedgeFlag},
        {96,  8,  &R::LimitPrice},
        {104, 4,  &R::VolumeTotalOriginal},
        {108, 1,  &R::TimeCondition},
        {118, 1,  &R::VolumeCondition},
        {119, 4,  &R::MinVolume},
        {123, 1,  &R::ContingentCondition},
        {175, 9,  &R::ExchangeID},
        {267, 9,  &R::TradingDay},
        {280, 21, &R::OrderSysID},
        {302, 1,  &R::OrderStatus},
        {308, 4,  &R::VolumeTotal},
        {321, 9,  &R::InsertTime},
        {402, 4,  &R::FrontID},
        {406, 4,  &R::SessionID},
        {421, 81, &R::StatusMsg},
    });
    // clang-format on
    return layout;
}

Bytes DepthField() {
    CThostFtdcDepthMarketDataField tick;
    std::memset(&tick, 0, sizeof tick);
    std::strcpy(tick.TradingDay, "20240105");
    std::strcpy(tick.InstrumentID, "rb2405");
    tick.LastPrice = 3861.0;
    tick.PreSettlementPrice = 3850.0;
    tick.PreClosePrice = 3848.0;
    tick.PreOpenInterest = 1523654.0;
    tick.OpenPrice = 3852.0;
    tick.HighestPrice = 3874.0;
    tick.LowestPrice = 3839.0;
    tick.Volume = 12;
    tick.Turnover = 4633200.0;
    tick.OpenInterest = 1524010.0;
    tick.ClosePrice = 1.7976931348623157e308;
    tick.SettlementPrice = 1.7976931348623157e308;
    tick.UpperLimitPrice = 4119.0;
    tick.LowerLimitPrice = 3580.0;
    std::strcpy(tick.UpdateTime, "09:30:01");
    tick.UpdateMillisec = 500;
    tick.BidPrice1 = 3860.0;
    tick.BidVolume1 = 431;
    tick.AskPrice1 = 3861.0;
    tick.AskVolume1 = 97;
    tick.AveragePrice = 38594.27;
    std::strcpy(tick.ActionDay, "20240105");
    return DepthLayout().Encode(tick);
}

Bytes OrderField() {
    CThostFtdcOrderField order;
    std::memset(&order, 0, sizeof order);
    std::strcpy(order.BrokerID, "9999");
    std::strcpy(order.InvestorID, "1001");
    std::strcpy(order.InstrumentID, "rb2405");
    std::strcpy(order.OrderRef, "        1027");
    order.OrderPriceType = '2';
    order.Direction = '0';
    std::strcpy(order.CombOffsetFlag, "0");
    std::strcpy(order.CombHedgeFlag, "1");
    order.LimitPrice = 3861.0;
    order.VolumeTotalOriginal = 5;
    order.TimeCondition = '3';
    order.VolumeCondition = '1';
    order.MinVolume = 1;
    order.ContingentCondition = '1';
    std::strcpy(order.ExchangeID, "SHFE");
    std::strcpy(order.TradingDay, "20240105");
    std::strcpy(order.OrderSysID, "      1234567");
    order.OrderStatus = '3';
    order.VolumeTotal = 5;
    std::strcpy(order.InsertTime, "09:30:01");
    order.FrontID = 1;
    order.SessionID = 1938373;
    std::strcpy(order.StatusMsg, "\xCE\xB4\xB3\xC9\xBD\xBB"); // "未成交" in GBK
    return OrderLayout().Encode(order);
}

struct Shape {
    uint16_t Fid;
    Bytes Field;
    int Count;
    uint32_t TransID;

    size_t PackageBytes() const { return 22 + size_t(Count) * (4 + Field.size()); }
};

Shape DepthShape() {
    return {0x0012, DepthField(), 1, 0xF101};
}
Shape OrderShape() {
    return {0x0401, OrderField(), 1, 0xF001};
}
Shape BatchShape() {
    return {0x0401, OrderField(), 5, 0x8001};
}

void AddFields(FTDPackage& package, const Shape& shape) {
    for (int i = 0; i < shape.Count; ++i) {
        package.AddField(shape.Fid, shape.Field.data(), uint32_t(shape.Field.size()));
    }
}

// Counts what arrives, as a session's override would see it.
class CountingParser : public FTDParser {
public:
    size_t Bytes = 0;
    void OnFieldData(uint16_t, const FTDFieldInfo&, const char* data, size_t length) override {
        benchmark::DoNotOptimize(data);
        Bytes += length;
    }
};

void Report(benchmark::State& state, const Shape& shape, size_t wireBytes) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(shape.PackageBytes()));
    state.counters["package_bytes"] = double(shape.PackageBytes());
    state.counters["wire_bytes"] = double(wireBytes);
}

void BM_EncodeCompressed(benchmark::State& state, Shape (*make)()) {
    const Shape shape = make();
    FTDPackage package;
    package.TransID = shape.TransID;
    size_t wire = 0;
    for (auto _ : state) {
        ++package.Counter;
        AddFields(package, shape);
        if (!package.Encode(true)) {
            state.SkipWithError("encode refused");
            break;
        }
        wire = package.Output.Size();
        benchmark::DoNotOptimize(package.Output.Data());
        benchmark::ClobberMemory();
        package.Output.Clear();
    }
    Report(state, shape, wire);
}

Bytes Encoded(const Shape& shape, bool compress) {
    FTDPackage package;
    package.TransID = shape.TransID;
    package.Compress = compress;
    AddFields(package, shape);
    if (!package.Encode(true)) {
        return {};
    }
    return Bytes(package.Output.Data(), package.Output.Data() + package.Output.Size());
}

void Parse(benchmark::State& state, Shape (*make)(), bool compressed) {
    const Shape shape = make();
    const Bytes frame = Encoded(shape, compressed);
    CountingParser parser;
    parser.Decompress = compressed;
    for (auto _ : state) {
        parser.Feed(frame.data(), frame.size());
    }
    if (parser.Bytes != size_t(state.iterations()) * size_t(shape.Count) * shape.Field.size()) {
        state.SkipWithError("fields lost");
    }
    Report(state, shape, frame.size());
}

void BM_ParseCompressed(benchmark::State& state, Shape (*make)()) {
    Parse(state, make, true);
}
void BM_ParsePlain(benchmark::State& state, Shape (*make)()) {
    Parse(state, make, false);
}

void BM_Memcpy(benchmark::State& state, Shape (*make)()) {
    const Shape shape = make();
    const Bytes source = Encoded(shape, false);
    Bytes target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    Report(state, shape, source.size());
}

BENCHMARK_CAPTURE(BM_EncodeCompressed, DepthMarketData, DepthShape);
BENCHMARK_CAPTURE(BM_ParseCompressed, DepthMarketData, DepthShape);
BENCHMARK_CAPTURE(BM_ParsePlain, DepthMarketData, DepthShape);
BENCHMARK_CAPTURE(BM_Memcpy, DepthMarketData, DepthShape);

BENCHMARK_CAPTURE(BM_EncodeCompressed, Order, OrderShape);
BENCHMARK_CAPTURE(BM_ParseCompressed, Order, OrderShape);
BENCHMARK_CAPTURE(BM_ParsePlain, Order, OrderShape);
BENCHMARK_CAPTURE(BM_Memcpy, Order, OrderShape);

BENCHMARK_CAPTURE(BM_EncodeCompressed, OrderBatchOfFive, BatchShape);
BENCHMARK_CAPTURE(BM_ParseCompressed, OrderBatchOfFive, BatchShape);
BENCHMARK_CAPTURE(BM_ParsePlain, OrderBatchOfFive, BatchShape);
BENCHMARK_CAPTURE(BM_Memcpy, OrderBatchOfFive, BatchShape);

} // namespace

BENCHMARK_MAIN();

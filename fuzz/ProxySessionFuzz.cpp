// The proxy sessions' field handling over arbitrary client bytes: every field
// identifier the trade and market sessions act on, any length, any content,
// with the adapters' side answered by recording fakes and every answer the
// sessions send counted instead of transmitted. Broadcast steps are mixed in
// so that answers built from what the client sent are encoded too.
#include "FTD/CTPFields.h"
#include "FTD/FTDMarketSession.h"
#include "FTD/FTDTradeSession.h"
#include "FTD/ProxyRecords.h"
#include "FTD/TransIds.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

namespace {

using namespace Tesmora;

class NullSession : public NetApi::ISession {
public:
    void Close() override {}
    void GetRemoteEndpoint(std::string& address, unsigned short& port) override {
        address.clear();
        port = 0;
    }
    int GetBufferSize() override { return 4000; }
    void SetBufferSize(int) override {}
    void Read() override {}
    void Send(const unsigned char* data, size_t length) override {
        for (size_t i = 0; i < length; ++i) {
            Checksum += data[i];
        }
    }
    unsigned Checksum = 0;
};

class QuietTrade : public TradeApi::ITrade {
public:
    void Open(const TradeApi::OpenParams&) override {}
    void Close() override {}
    void OrderAction(TradeApi::Order& order) override {
        order.OrderRef = std::to_string(++Next);
        Seen.push_back(order);
    }
    void QueryOrder(const TradeApi::QueryParams&) override {}
    void QueryTrade(const TradeApi::QueryParams&) override {}
    void QueryInstrument(const TradeApi::QueryParams&) override {}
    void QueryPosition(const TradeApi::QueryParams&) override {}
    void QueryAccount(const TradeApi::QueryParams&) override {}
    bool IsOpened() override { return true; }
    void SetListener(TradeApi::TradeListener*) override {}
    const TradeApi::OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int) override { return ""; }
    int Next = 0;
    std::vector<TradeApi::Order> Seen;
    TradeApi::OpenParams Params;
};

class QuietMarket : public TradeApi::IMarket {
public:
    void Open(const TradeApi::OpenParams&) override {}
    void Close() override {}
    void Subscribe(const TradeApi::QueryParams&) override {}
    void Unsubscribe(const TradeApi::QueryParams&) override {}
    bool IsOpened() override { return true; }
    void SetListener(TradeApi::MarketListener*) override {}
    const TradeApi::OpenParams& GetOpenParams() override { return Params; }
    const char* GetVersion(int) override { return ""; }
    TradeApi::OpenParams Params;
};

const uint16_t Fids[] = {
    FTD::Fid::ReqUserLogin,  FTD::Fid::Dissemination,           FTD::Fid::SettlementInfoConfirm,
    FTD::Fid::InputOrder,    FTD::Fid::InputOrderAction,        FTD::Fid::QryOrder,
    FTD::Fid::QryTrade,      FTD::Fid::QryInvestorPosition,     FTD::Fid::QryTradingAccount,
    FTD::Fid::QryInstrument, FTD::Fid::QryInstrumentMarginRate, FTD::Fid::QryInstrumentCommissionRate,
    FTD::Fid::QryExecOrder,  FTD::Fid::SpecificInstrument,      FTD::Fid::ReqAuthenticate,
};
const uint32_t TransIDs[] = {FTD::TransId::SubscribeRequest, FTD::TransId::UnsubscribeRequest,
                             FTD::TransId::LoginRequest, FTD::TransId::OrderInsertRequest};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    NullSession network;
    QuietTrade trade;
    QuietMarket market;
    FTD::FTDTradeSession tradeSession(&trade, &network);
    FTD::FTDMarketSession marketSession(&market, &network);

    while (input.remaining_bytes() > 0) {
        const int action = input.ConsumeIntegralInRange<int>(0, 5);
        if (action == 0) {
            // Raw bytes straight into both parsers.
            const auto chunk =
                input.ConsumeBytes<unsigned char>(input.ConsumeIntegralInRange<size_t>(0, 512));
            tradeSession.Feed(chunk.data(), chunk.size());
            marketSession.Feed(chunk.data(), chunk.size());
        } else if (action <= 3) {
            // A well-framed package whose fields are of the kinds the sessions act on.
            FTD::FTDPackage package;
            package.TransID = input.PickValueInArray(TransIDs);
            package.ReqID = input.ConsumeIntegral<uint32_t>();
            const int fields = input.ConsumeIntegralInRange<int>(1, 4);
            for (int i = 0; i < fields; ++i) {
                const auto bytes =
                    input.ConsumeBytes<unsigned char>(input.ConsumeIntegralInRange<size_t>(0, 700));
                package.AddField(input.PickValueInArray(Fids), bytes.data(), uint32_t(bytes.size()));
            }
            package.Compress = input.ConsumeBool();
            if (package.Encode(true)) {
                tradeSession.Feed(package.Output.Data(), package.Output.Size());
                marketSession.Feed(package.Output.Data(), package.Output.Size());
            }
        } else {
            // Results the adapter would deliver, built from what the client asked.
            std::vector<TradeApi::Order> orders = trade.Seen;
            if (!orders.empty() && input.ConsumeBool()) {
                orders.back().OrderKind = TradeApi::OrderKind::Exercise;
            }
            tradeSession.AnswerOrders(orders);
            for (const auto& order : trade.Seen) {
                tradeSession.PushOrderReturn(order);
                tradeSession.PushRefusal(order);
            }
            TradeApi::Instrument instrument;
            instrument.InstrumentID = input.ConsumeRandomLengthString(40);
            instrument.VolumeMultiple = input.ConsumeFloatingPoint<double>();
            tradeSession.AnswerInstruments({instrument});
            TradeApi::Tick tick;
            tick.UpdateTime = input.ConsumeRandomLengthString(16);
            tick.InstrumentID = input.ConsumeRandomLengthString(40);
            tick.LastVolume = input.ConsumeIntegral<int64_t>();
            FTD::FTDPackage push;
            push.TransID = FTD::TransId::DepthMarketDataPush;
            push.AddRecord(FTD::Fid::DepthMarketData, FTD::DepthMarketDataLayout(),
                           FTD::DepthMarketDataFieldFrom(tick));
            if (push.Encode(true)) {
                marketSession.SendTick(push.Output.Data(), push.Output.Size());
            }
        }
    }
    return network.Checksum == 0xFFFFFFFFu ? 1 : 0;
}

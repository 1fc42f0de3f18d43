#include "sim/FrontHub.h"

#include "sim/MarketConnection.h"
#include "sim/TradeConnection.h"

#include "FTD/CTPFields.h"
#include "FTD/FTDPackage.h"
#include "FTD/TransIds.h"

#include <algorithm>

namespace Tesmora {
namespace Sim {

using namespace FTD;

FrontHub::FrontHub(const SimConfig& config) : Trading(config, *this) {}

FrontHub::~FrontHub() = default;

void FrontHub::AddTrader(const std::shared_ptr<TradeConnection>& connection) {
    std::lock_guard<std::mutex> guard(Mutex);
    Traders.push_back(connection);
}

void FrontHub::RemoveTrader(const TradeConnection* connection) {
    std::lock_guard<std::mutex> guard(Mutex);
    Traders.erase(std::remove_if(Traders.begin(), Traders.end(),
                                 [connection](const auto& entry) { return entry.get() == connection; }),
                  Traders.end());
}

void FrontHub::AddListener(const std::shared_ptr<MarketConnection>& connection) {
    std::lock_guard<std::mutex> guard(Mutex);
    Listeners.push_back(connection);
}

void FrontHub::RemoveListener(const MarketConnection* connection) {
    std::lock_guard<std::mutex> guard(Mutex);
    Listeners.erase(std::remove_if(Listeners.begin(), Listeners.end(),
                                   [connection](const auto& entry) { return entry.get() == connection; }),
                    Listeners.end());
}

void FrontHub::Tick() {
    std::lock_guard<std::mutex> guard(Mutex);
    Trading.Tick(Now());
    FTDPackage package;
    for (size_t index = 0; index < Trading.InstrumentCount(); ++index) {
        const CThostFtdcDepthMarketDataField& quote = Trading.QuoteAt(index);
        bool encoded = false;
        for (const auto& listener : Listeners) {
            if (!listener->IsSubscribed(quote.InstrumentID)) {
                continue;
            }
            // Encoded once, for the first subscriber; the others get the same bytes.
            if (!encoded) {
                package.Output.Clear();
                package.Series = Series::Session;
                package.TransID = TransId::DepthMarketDataPush;
                package.AddRecord(Fid::DepthMarketData, DepthMarketDataLayout(), quote);
                encoded = package.Encode(true);
                if (!encoded) {
                    break;
                }
            }
            listener->SendBytes(package.Output.Data(), package.Output.Size());
        }
    }
}

void FrontHub::OnOrder(const CThostFtdcOrderField& order) {
    for (const auto& trader : Traders) {
        if (trader->IsLoggedInAs(order.BrokerID, order.InvestorID)) {
            trader->Push(TransId::OrderReturn, Fid::Order, OrderLayout(), order);
        }
    }
}

void FrontHub::OnTrade(const CThostFtdcTradeField& trade) {
    for (const auto& trader : Traders) {
        if (trader->IsLoggedInAs(trade.BrokerID, trade.InvestorID)) {
            trader->Push(TransId::TradeReturn, Fid::Trade, TradeLayout(), trade);
        }
    }
}

} // namespace Sim
} // namespace Tesmora

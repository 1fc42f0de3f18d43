#include "FTD/FTDMarketProxyServer.h"

#include "FTD/CTPFields.h"
#include "FTD/ProxyRecords.h"
#include "FTD/TransIds.h"

namespace Tesmora {
namespace FTD {

void FTDMarketProxyServer::BroadcastTick(const TradeApi::Tick& tick) {
    if (SessionCount() == 0) {
        return;
    }
    TickPackage.Output.Clear();
    TickPackage.ClearFields();
    TickPackage.Series = Series::Session;
    TickPackage.TransID = TransId::DepthMarketDataPush;
    TickPackage.ReqID = 0;
    TickPackage.Counter = 0;
    TickPackage.AddRecord(Fid::DepthMarketData, DepthMarketDataLayout(), DepthMarketDataFieldFrom(tick));
    if (!TickPackage.Encode(true)) {
        return;
    }
    const unsigned char* data = TickPackage.Output.Data();
    const size_t length = TickPackage.Output.Size();
    ForEachSession([&](FTDMarketSession& session) { session.SendTick(data, length); });
}

} // namespace FTD
} // namespace Tesmora

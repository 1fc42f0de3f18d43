#include "TradeApi/TradeApiFactory.h"

#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPMarket.h"
#include "TradeApi/CTP/CTPTrade.h"

using namespace Tesmora::TradeApi;

// A null path is taken as the empty path (flow files below the working directory).
ITrade* Tesmora_CreateTradeInstance(const char* path, int* /*errorCode*/) {
    BasePath::Trade().Set(path);
    return new CTPTrade();
}

IMarket* Tesmora_CreateMarketInstance(const char* path, int* /*errorCode*/) {
    BasePath::Market().Set(path);
    return new CTPMarket();
}

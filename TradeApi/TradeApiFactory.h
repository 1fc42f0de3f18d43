#pragma once

#include "TradeApi/IMarket.h"
#include "TradeApi/ITrade.h"

// The whole exported interface of libtesmora_ctp.so. The path is the base of
// the flow-file folders for every adapter of that kind opened afterwards; it is
// used as given, so pass one ending in "/" (or "" for the working directory).
// The host owns the returned object and deletes it through the interface. The
// error-code parameter is never written.
extern "C" {
__attribute__((visibility("default"))) Tesmora::TradeApi::ITrade*
Tesmora_CreateTradeInstance(const char* path, int* errorCode);
__attribute__((visibility("default"))) Tesmora::TradeApi::IMarket*
Tesmora_CreateMarketInstance(const char* path, int* errorCode);
}

// Signatures for hosts that load the library with dlopen.
using Tesmora_CreateTradeInstanceFn = Tesmora::TradeApi::ITrade* (*)(const char*, int*);
using Tesmora_CreateMarketInstanceFn = Tesmora::TradeApi::IMarket* (*)(const char*, int*);

#pragma once

namespace Tesmora {
namespace TradeApi {

// The GetVersion strings shared by both adapters: -1 the interface version,
// 1 the CTP API version, any other value the adapter version.
const char* AdapterVersion(int type);

} // namespace TradeApi
} // namespace Tesmora

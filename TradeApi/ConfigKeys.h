#pragma once

#include <cstdint>

namespace Tesmora {
namespace TradeApi {

// Keys of OpenParams::Configs. Case-sensitive.
namespace ConfigKey {

// Host to adapter.
constexpr const char ProxyIP[] = "Proxy.IP";
constexpr const char ProxyPort[] = "Proxy.Port";
constexpr const char CacheFolder[] = "CacheFolder";
constexpr const char AppID[] = "AppID";
constexpr const char AuthCode[] = "AuthCode";

// Adapter to host, written at every successful login.
constexpr const char TradingDay[] = "TradingDay";
constexpr const char LoginTime[] = "LoginTime";
constexpr const char SystemName[] = "SystemName";
constexpr const char SHFETime[] = "SHFETime";
constexpr const char DCETime[] = "DCETime";
constexpr const char CZCETime[] = "CZCETime";
constexpr const char FFEXTime[] = "FFEXTime";
constexpr const char INETime[] = "INETime";
// Written by the trade adapter when the investor query of Open succeeds.
constexpr const char UserName[] = "UserName";

} // namespace ConfigKey

constexpr uint16_t DefaultProxyPort = 30222;

} // namespace TradeApi
} // namespace Tesmora

#pragma once

#include <cstdint>

namespace Tesmora {
namespace FTD {

// Transaction identifiers of this project's FTD dialogue (docs/wire.md). An
// answer's identifier is its request's plus one.
namespace TransId {

// Dialogue, series 0 or 1.
constexpr uint32_t ErrorAnswer = 0x0000;
constexpr uint32_t LoginRequest = 0x3000;
constexpr uint32_t LoginAnswer = 0x3001;
constexpr uint32_t LogoutRequest = 0x3002;
constexpr uint32_t LogoutAnswer = 0x3003;
constexpr uint32_t AuthenticateRequest = 0x3010;
constexpr uint32_t AuthenticateAnswer = 0x3011;
constexpr uint32_t OrderInsertRequest = 0x4000;
constexpr uint32_t OrderInsertAnswer = 0x4001;
constexpr uint32_t OrderActionRequest = 0x4004;
constexpr uint32_t OrderActionAnswer = 0x4005;
constexpr uint32_t ExecOrderInsertRequest = 0x4006;
constexpr uint32_t ExecOrderInsertAnswer = 0x4007;
constexpr uint32_t SettlementConfirmRequest = 0x4013;
constexpr uint32_t SettlementConfirmAnswer = 0x4014;

// Queries, series 4.
constexpr uint32_t QryOrderRequest = 0x8000;
constexpr uint32_t QryOrderAnswer = 0x8001;
constexpr uint32_t QryTradeRequest = 0x8002;
constexpr uint32_t QryTradeAnswer = 0x8003;
constexpr uint32_t QryPositionRequest = 0x8004;
constexpr uint32_t QryPositionAnswer = 0x8005;
constexpr uint32_t QryAccountRequest = 0x8006;
constexpr uint32_t QryAccountAnswer = 0x8007;
constexpr uint32_t QryInvestorRequest = 0x8008;
constexpr uint32_t QryInvestorAnswer = 0x8009;
constexpr uint32_t QryMarginRateRequest = 0x800E;
constexpr uint32_t QryMarginRateAnswer = 0x800F;
constexpr uint32_t QryCommissionRateRequest = 0x8010;
constexpr uint32_t QryCommissionRateAnswer = 0x8011;
constexpr uint32_t QryInstrumentRequest = 0x802E;
constexpr uint32_t QryInstrumentAnswer = 0x802F;
constexpr uint32_t QryExecOrderRequest = 0x8306;
constexpr uint32_t QryExecOrderAnswer = 0x8307;

// Pushes, series 2 (private flow) and 0.
constexpr uint32_t OrderReturn = 0xF001;
constexpr uint32_t TradeReturn = 0xF002;
constexpr uint32_t ExecOrderReturn = 0xF003;
constexpr uint32_t InstrumentStatusReturn = 0xF004;
constexpr uint32_t DepthMarketDataPush = 0xF101;
constexpr uint32_t Dissemination = 0xF102;

// Market data.
constexpr uint32_t SubscribeRequest = 0x4401;
constexpr uint32_t SubscribeAnswer = 0x4402;
constexpr uint32_t UnsubscribeRequest = 0x4403;
constexpr uint32_t UnsubscribeAnswer = 0x4404;

} // namespace TransId

// Series numbers of the headers.
namespace Series {
constexpr uint16_t Session = 0;
constexpr uint16_t Dialogue = 1;
constexpr uint16_t PrivateFlow = 2;
constexpr uint16_t PublicFlow = 3;
constexpr uint16_t Query = 4;
} // namespace Series

} // namespace FTD
} // namespace Tesmora

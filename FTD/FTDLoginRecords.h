#pragma once

#include "FTD/FTDPackage.h"
#include "FTD/FieldLayout.h"

#include "ThostFtdcUserApiStruct.h"

#include <cstddef>
#include <cstdint>

namespace Tesmora {
namespace FTD {

// The records both proxy sessions use to answer a login, and the answer
// itself. Layouts are built on first use and immutable; everything here is
// callable from any thread.

constexpr uint16_t RspInfoFid = 0x0000;
constexpr uint16_t ReqUserLoginFid = 0x1002;
constexpr uint16_t RspUserLoginFid = 0x1003;
constexpr uint32_t LoginAnswerTransID = 0x3001;

// ErrorID, ErrorMsg: 85 bytes.
const FieldLayout<CThostFtdcRspInfoField>& RspInfoLayout();
// The whole request, 188 bytes; the sessions use TradingDay, BrokerID and UserID.
const FieldLayout<CThostFtdcReqUserLoginField>& ReqUserLoginLayout();
// 152 bytes.
const FieldLayout<CThostFtdcRspUserLoginField>& RspUserLoginLayout();

// ErrorID 0, ErrorMsg "CTP:No Error".
CThostFtdcRspInfoField SuccessRspInfo();

// The login answer to one ReqUserLogin field (data, length as received; a
// short field reads as zero-padded): series 0, transID 0x3001, the request
// package's reqID, the given counter, compressed; RspInfo in its success form,
// then RspUserLogin echoing trading day, broker and user, everything else
// empty. No credential is checked. The frame is in the result's Output.
FTDPackage LoginAnswer(const char* request, size_t length, uint32_t reqID, uint32_t counter);

} // namespace FTD
} // namespace Tesmora

#include "FTD/FTDLoginRecords.h"

#include <cstring>

namespace Tesmora {
namespace FTD {

const FieldLayout<CThostFtdcRspInfoField>& RspInfoLayout() {
    using R = CThostFtdcRspInfoField;
    // clang-format off
    static const FieldLayout<R> layout(85, {
        {0, 4,  &R::ErrorID},
        {4, 81, &R::ErrorMsg},
    });
    // clang-format on
    return layout;
}

const FieldLayout<CThostFtdcReqUserLoginField>& ReqUserLoginLayout() {
    using R = CThostFtdcReqUserLoginField;
    // clang-format off
    static const FieldLayout<R> layout(188, {
        {0,   9,  &R::TradingDay},
        {9,   11, &R::BrokerID},
        {20,  16, &R::UserID},
        {36,  41, &R::Password},
        {77,  11, &R::UserProductInfo},
        {88,  11, &R::InterfaceProductInfo},
        {99,  11, &R::ProtocolInfo},
        {110, 21, &R::MacAddress},
        {131, 41, &R::OneTimePassword},
        {172, 16, &R::ClientIPAddress},
    });
    // clang-format on
    return layout;
}

const FieldLayout<CThostFtdcRspUserLoginField>& RspUserLoginLayout() {
    using R = CThostFtdcRspUserLoginField;
    // clang-format off
    static const FieldLayout<R> layout(152, {
        {0,   9,  &R::TradingDay},
        {9,   9,  &R::LoginTime},
        {18,  11, &R::BrokerID},
        {29,  16, &R::UserID},
        {45,  41, &R::SystemName},
        {86,  4,  &R::FrontID},
        {90,  4,  &R::SessionID},
        {94,  13, &R::MaxOrderRef},
        {107, 9,  &R::SHFETime},
        {116, 9,  &R::DCETime},
        {125, 9,  &R::CZCETime},
        {134, 9,  &R::FFEXTime},
        {143, 9,  &R::INETime},
    });
    // clang-format on
    return layout;
}

CThostFtdcRspInfoField SuccessRspInfo() {
    CThostFtdcRspInfoField info;
    std::memset(&info, 0, sizeof info);
    std::strncpy(info.ErrorMsg, "CTP:No Error", sizeof info.ErrorMsg - 1);
    return info;
}

FTDPackage LoginAnswer(const char* request, size_t length, uint32_t reqID, uint32_t counter) {
    CThostFtdcReqUserLoginField login;
    ReqUserLoginLayout().Decode(request, length, login);

    CThostFtdcRspUserLoginField answer;
    std::memset(&answer, 0, sizeof answer);
    // Both sides hold at most size - 1 characters, so these copies stay terminated.
    std::memcpy(answer.TradingDay, login.TradingDay, sizeof answer.TradingDay);
    std::memcpy(answer.BrokerID, login.BrokerID, sizeof answer.BrokerID);
    std::memcpy(answer.UserID, login.UserID, sizeof answer.UserID);

    FTDPackage package;
    package.Series = 0;
    package.TransID = LoginAnswerTransID;
    package.ReqID = reqID;
    package.Counter = counter;
    package.Compress = true;
    package.AddRecord(RspInfoFid, RspInfoLayout(), SuccessRspInfo());
    package.AddRecord(RspUserLoginFid, RspUserLoginLayout(), answer);
    // Two fixed-size fields are far below every wire limit.
    [[maybe_unused]] const bool encoded = package.Encode(true);
    return package;
}

} // namespace FTD
} // namespace Tesmora

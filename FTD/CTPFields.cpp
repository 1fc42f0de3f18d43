#include "FTD/CTPFields.h"

namespace Tesmora {
namespace FTD {

// The packed wire images of the CTP records: numbers big-endian, texts in
// zero-padded arrays of the sizes the record types give, no gaps.

const FieldLayout<CThostFtdcReqAuthenticateField>& ReqAuthenticateLayout() {
    static const FieldLayout<CThostFtdcReqAuthenticateField> layout(
        88, {
                {0, 11, &CThostFtdcReqAuthenticateField::BrokerID},
                {11, 16, &CThostFtdcReqAuthenticateField::UserID},
                {27, 11, &CThostFtdcReqAuthenticateField::UserProductInfo},
                {38, 17, &CThostFtdcReqAuthenticateField::AuthCode},
                {55, 33, &CThostFtdcReqAuthenticateField::AppID},
            });
    return layout;
}

const FieldLayout<CThostFtdcRspAuthenticateField>& RspAuthenticateLayout() {
    static const FieldLayout<CThostFtdcRspAuthenticateField> layout(
        72, {
                {0, 11, &CThostFtdcRspAuthenticateField::BrokerID},
                {11, 16, &CThostFtdcRspAuthenticateField::UserID},
                {27, 11, &CThostFtdcRspAuthenticateField::UserProductInfo},
                {38, 33, &CThostFtdcRspAuthenticateField::AppID},
                {71, 1, &CThostFtdcRspAuthenticateField::AppType},
            });
    return layout;
}

const FieldLayout<CThostFtdcUserLogoutField>& UserLogoutLayout() {
    static const FieldLayout<CThostFtdcUserLogoutField> layout(
        27, {
                {0, 11, &CThostFtdcUserLogoutField::BrokerID},
                {11, 16, &CThostFtdcUserLogoutField::UserID},
            });
    return layout;
}

const FieldLayout<CThostFtdcSettlementInfoConfirmField>& SettlementInfoConfirmLayout() {
    static const FieldLayout<CThostFtdcSettlementInfoConfirmField> layout(
        42, {
                {0, 11, &CThostFtdcSettlementInfoConfirmField::BrokerID},
                {11, 13, &CThostFtdcSettlementInfoConfirmField::InvestorID},
                {24, 9, &CThostFtdcSettlementInfoConfirmField::ConfirmDate},
                {33, 9, &CThostFtdcSettlementInfoConfirmField::ConfirmTime},
            });
    return layout;
}

const FieldLayout<CThostFtdcQryInvestorField>& QryInvestorLayout() {
    static const FieldLayout<CThostFtdcQryInvestorField> layout(
        24, {
                {0, 11, &CThostFtdcQryInvestorField::BrokerID},
                {11, 13, &CThostFtdcQryInvestorField::InvestorID},
            });
    return layout;
}

const FieldLayout<CThostFtdcInvestorField>& InvestorLayout() {
    static const FieldLayout<CThostFtdcInvestorField> layout(
        366, {
                 {0, 13, &CThostFtdcInvestorField::InvestorID},
                 {13, 11, &CThostFtdcInvestorField::BrokerID},
                 {24, 13, &CThostFtdcInvestorField::InvestorGroupID},
                 {37, 81, &CThostFtdcInvestorField::InvestorName},
                 {118, 1, &CThostFtdcInvestorField::IdentifiedCardType},
                 {119, 51, &CThostFtdcInvestorField::IdentifiedCardNo},
                 {170, 4, &CThostFtdcInvestorField::IsActive},
                 {174, 41, &CThostFtdcInvestorField::Telephone},
                 {215, 101, &CThostFtdcInvestorField::Address},
                 {316, 9, &CThostFtdcInvestorField::OpenDate},
                 {325, 41, &CThostFtdcInvestorField::Mobile},
             });
    return layout;
}

const FieldLayout<CThostFtdcInputOrderField>& InputOrderLayout() {
    static const FieldLayout<CThostFtdcInputOrderField> layout(
        261, {
                 {0, 11, &CThostFtdcInputOrderField::BrokerID},
                 {11, 13, &CThostFtdcInputOrderField::InvestorID},
                 {24, 31, &CThostFtdcInputOrderField::InstrumentID},
                 {55, 13, &CThostFtdcInputOrderField::OrderRef},
                 {68, 16, &CThostFtdcInputOrderField::UserID},
                 {84, 1, &CThostFtdcInputOrderField::OrderPriceType},
                 {85, 1, &CThostFtdcInputOrderField::Direction},
                 {86, 5, &CThostFtdcInputOrderField::CombOffsetFlag},
                 {91, 5, &CThostFtdcInputOrderField::CombHedgeFlag},
                 {96, 8, &CThostFtdcInputOrderField::LimitPrice},
                 {104, 4, &CThostFtdcInputOrderField::VolumeTotalOriginal},
                 {108, 1, &CThostFtdcInputOrderField::TimeCondition},
                 {109, 9, &CThostFtdcInputOrderField::GTDDate},
                 {118, 1, &CThostFtdcInputOrderField::VolumeCondition},
                 {119, 4, &CThostFtdcInputOrderField::MinVolume},
                 {123, 1, &CThostFtdcInputOrderField::ContingentCondition},
                 {124, 8, &CThostFtdcInputOrderField::StopPrice},
                 {132, 1, &CThostFtdcInputOrderField::ForceCloseReason},
                 {133, 4, &CThostFtdcInputOrderField::IsAutoSuspend},
                 {137, 21, &CThostFtdcInputOrderField::BusinessUnit},
                 {158, 4, &CThostFtdcInputOrderField::RequestID},
                 {162, 4, &CThostFtdcInputOrderField::UserForceClose},
                 {166, 4, &CThostFtdcInputOrderField::IsSwapOrder},
                 {170, 9, &CThostFtdcInputOrderField::ExchangeID},
                 {179, 17, &CThostFtdcInputOrderField::InvestUnitID},
                 {196, 13, &CThostFtdcInputOrderField::AccountID},
                 {209, 4, &CThostFtdcInputOrderField::CurrencyID},
                 {213, 11, &CThostFtdcInputOrderField::ClientID},
                 {224, 16, &CThostFtdcInputOrderField::IPAddress},
                 {240, 21, &CThostFtdcInputOrderField::MacAddress},
             });
    return layout;
}

const FieldLayout<CThostFtdcInputOrderActionField>& InputOrderActionLayout() {
    static const FieldLayout<CThostFtdcInputOrderActionField> layout(
        197, {
                 {0, 11, &CThostFtdcInputOrderActionField::BrokerID},
                 {11, 13, &CThostFtdcInputOrderActionField::InvestorID},
                 {24, 4, &CThostFtdcInputOrderActionField::OrderActionRef},
                 {28, 13, &CThostFtdcInputOrderActionField::OrderRef},
                 {41, 4, &CThostFtdcInputOrderActionField::RequestID},
                 {45, 4, &CThostFtdcInputOrderActionField::FrontID},
                 {49, 4, &CThostFtdcInputOrderActionField::SessionID},
                 {53, 9, &CThostFtdcInputOrderActionField::ExchangeID},
                 {62, 21, &CThostFtdcInputOrderActionField::OrderSysID},
                 {83, 1, &CThostFtdcInputOrderActionField::ActionFlag},
                 {84, 8, &CThostFtdcInputOrderActionField::LimitPrice},
                 {92, 4, &CThostFtdcInputOrderActionField::VolumeChange},
                 {96, 16, &CThostFtdcInputOrderActionField::UserID},
                 {112, 31, &CThostFtdcInputOrderActionField::InstrumentID},
                 {143, 17, &CThostFtdcInputOrderActionField::InvestUnitID},
                 {160, 16, &CThostFtdcInputOrderActionField::IPAddress},
                 {176, 21, &CThostFtdcInputOrderActionField::MacAddress},
             });
    return layout;
}

const FieldLayout<CThostFtdcOrderActionField>& OrderActionLayout() {
    static const FieldLayout<CThostFtdcOrderActionField> layout(
        242, {
                 {0, 11, &CThostFtdcOrderActionField::BrokerID},
                 {11, 13, &CThostFtdcOrderActionField::InvestorID},
                 {24, 4, &CThostFtdcOrderActionField::OrderActionRef},
                 {28, 13, &CThostFtdcOrderActionField::OrderRef},
                 {41, 4, &CThostFtdcOrderActionField::RequestID},
                 {45, 4, &CThostFtdcOrderActionField::FrontID},
                 {49, 4, &CThostFtdcOrderActionField::SessionID},
                 {53, 9, &CThostFtdcOrderActionField::ExchangeID},
                 {62, 21, &CThostFtdcOrderActionField::OrderSysID},
                 {83, 1, &CThostFtdcOrderActionField::ActionFlag},
                 {84, 8, &CThostFtdcOrderActionField::LimitPrice},
                 {92, 4, &CThostFtdcOrderActionField::VolumeChange},
                 {96, 9, &CThostFtdcOrderActionField::ActionDate},
                 {105, 9, &CThostFtdcOrderActionField::ActionTime},
                 {114, 16, &CThostFtdcOrderActionField::UserID},
                 {130, 81, &CThostFtdcOrderActionField::StatusMsg},
                 {211, 31, &CThostFtdcOrderActionField::InstrumentID},
             });
    return layout;
}

const FieldLayout<CThostFtdcOrderField>& OrderLayout() {
    static const FieldLayout<CThostFtdcOrderField> layout(
        635, {
                 {0, 11, &CThostFtdcOrderField::BrokerID},
                 {11, 13, &CThostFtdcOrderField::InvestorID},
                 {24, 31, &CThostFtdcOrderField::InstrumentID},
                 {55, 13, &CThostFtdcOrderField::OrderRef},
                 {68, 16, &CThostFtdcOrderField::UserID},
                 {84, 1, &CThostFtdcOrderField::OrderPriceType},
                 {85, 1, &CThostFtdcOrderField::Direction},
                 {86, 5, &CThostFtdcOrderField::CombOffsetFlag},
                 {91, 5, &CThostFtdcOrderField::CombHedgeFlag},
                 {96, 8, &CThostFtdcOrderField::LimitPrice},
                 {104, 4, &CThostFtdcOrderField::VolumeTotalOriginal},
                 {108, 1, &CThostFtdcOrderField::TimeCondition},
                 {109, 9, &CThostFtdcOrderField::GTDDate},
                 {118, 1, &CThostFtdcOrderField::VolumeCondition},
                 {119, 4, &CThostFtdcOrderField::MinVolume},
                 {123, 1, &CThostFtdcOrderField::ContingentCondition},
                 {124, 8, &CThostFtdcOrderField::StopPrice},
                 {132, 1, &CThostFtdcOrderField::ForceCloseReason},
                 {133, 4, &CThostFtdcOrderField::IsAutoSuspend},
                 {137, 21, &CThostFtdcOrderField::BusinessUnit},
                 {158, 4, &CThostFtdcOrderField::RequestID},
                 {162, 13, &CThostFtdcOrderField::OrderLocalID},
                 {175, 9, &CThostFtdcOrderField::ExchangeID},
                 {184, 11, &CThostFtdcOrderField::ParticipantID},
                 {195, 11, &CThostFtdcOrderField::ClientID},
                 {206, 31, &CThostFtdcOrderField::ExchangeInstID},
                 {237, 21, &CThostFtdcOrderField::TraderID},
                 {258, 4, &CThostFtdcOrderField::InstallID},
                 {262, 1, &CThostFtdcOrderField::OrderSubmitStatus},
                 {263, 4, &CThostFtdcOrderField::NotifySequence},
                 {267, 9, &CThostFtdcOrderField::TradingDay},
                 {276, 4, &CThostFtdcOrderField::SettlementID},
                 {280, 21, &CThostFtdcOrderField::OrderSysID},
                 {301, 1, &CThostFtdcOrderField::OrderSource},
                 {302, 1, &CThostFtdcOrderField::OrderStatus},
                 {303, 1, &CThostFtdcOrderField::OrderType},
                 {304, 4, &CThostFtdcOrderField::VolumeTraded},
                 {308, 4, &CThostFtdcOrderField::VolumeTotal},
                 {312, 9, &CThostFtdcOrderField::InsertDate},
                 {321, 9, &CThostFtdcOrderField::InsertTime},
                 {330, 9, &CThostFtdcOrderField::ActiveTime},
                 {339, 9, &CThostFtdcOrderField::SuspendTime},
                 {348, 9, &CThostFtdcOrderField::UpdateTime},
                 {357, 9, &CThostFtdcOrderField::CancelTime},
                 {366, 21, &CThostFtdcOrderField::ActiveTraderID},
                 {387, 11, &CThostFtdcOrderField::ClearingPartID},
                 {398, 4, &CThostFtdcOrderField::SequenceNo},
                 {402, 4, &CThostFtdcOrderField::FrontID},
                 {406, 4, &CThostFtdcOrderField::SessionID},
                 {410, 11, &CThostFtdcOrderField::UserProductInfo},
                 {421, 81, &CThostFtdcOrderField::StatusMsg},
                 {502, 4, &CThostFtdcOrderField::UserForceClose},
                 {506, 16, &CThostFtdcOrderField::ActiveUserID},
                 {522, 4, &CThostFtdcOrderField::BrokerOrderSeq},
                 {526, 21, &CThostFtdcOrderField::RelativeOrderSysID},
                 {547, 4, &CThostFtdcOrderField::ZCETotalTradedVolume},
                 {551, 4, &CThostFtdcOrderField::IsSwapOrder},
                 {555, 9, &CThostFtdcOrderField::BranchID},
                 {564, 17, &CThostFtdcOrderField::InvestUnitID},
                 {581, 13, &CThostFtdcOrderField::AccountID},
                 {594, 4, &CThostFtdcOrderField::CurrencyID},
                 {598, 16, &CThostFtdcOrderField::IPAddress},
                 {614, 21, &CThostFtdcOrderField::MacAddress},
             });
    return layout;
}

const FieldLayout<CThostFtdcTradeField>& TradeLayout() {
    static const FieldLayout<CThostFtdcTradeField> layout(
        312, {
                 {0, 11, &CThostFtdcTradeField::BrokerID},
                 {11, 13, &CThostFtdcTradeField::InvestorID},
                 {24, 31, &CThostFtdcTradeField::InstrumentID},
                 {55, 13, &CThostFtdcTradeField::OrderRef},
                 {68, 16, &CThostFtdcTradeField::UserID},
                 {84, 9, &CThostFtdcTradeField::ExchangeID},
                 {93, 21, &CThostFtdcTradeField::TradeID},
                 {114, 1, &CThostFtdcTradeField::Direction},
                 {115, 21, &CThostFtdcTradeField::OrderSysID},
                 {136, 11, &CThostFtdcTradeField::ParticipantID},
                 {147, 11, &CThostFtdcTradeField::ClientID},
                 {158, 1, &CThostFtdcTradeField::TradingRole},
                 {159, 31, &CThostFtdcTradeField::ExchangeInstID},
                 {190, 1, &CThostFtdcTradeField::OffsetFlag},
                 {191, 1, &CThostFtdcTradeField::HedgeFlag},
                 {192, 8, &CThostFtdcTradeField::Price},
                 {200, 4, &CThostFtdcTradeField::Volume},
                 {204, 9, &CThostFtdcTradeField::TradeDate},
                 {213, 9, &CThostFtdcTradeField::TradeTime},
                 {222, 1, &CThostFtdcTradeField::TradeType},
                 {223, 1, &CThostFtdcTradeField::PriceSource},
                 {224, 21, &CThostFtdcTradeField::TraderID},
                 {245, 13, &CThostFtdcTradeField::OrderLocalID},
                 {258, 11, &CThostFtdcTradeField::ClearingPartID},
                 {269, 21, &CThostFtdcTradeField::BusinessUnit},
                 {290, 4, &CThostFtdcTradeField::SequenceNo},
                 {294, 9, &CThostFtdcTradeField::TradingDay},
                 {303, 4, &CThostFtdcTradeField::SettlementID},
                 {307, 4, &CThostFtdcTradeField::BrokerOrderSeq},
                 {311, 1, &CThostFtdcTradeField::TradeSource},
             });
    return layout;
}

const FieldLayout<CThostFtdcInputExecOrderField>& InputExecOrderLayout() {
    static const FieldLayout<CThostFtdcInputExecOrderField> layout(
        210, {
                 {0, 11, &CThostFtdcInputExecOrderField::BrokerID},
                 {11, 13, &CThostFtdcInputExecOrderField::InvestorID},
                 {24, 31, &CThostFtdcInputExecOrderField::InstrumentID},
                 {55, 13, &CThostFtdcInputExecOrderField::ExecOrderRef},
                 {68, 16, &CThostFtdcInputExecOrderField::UserID},
                 {84, 4, &CThostFtdcInputExecOrderField::Volume},
                 {88, 4, &CThostFtdcInputExecOrderField::RequestID},
                 {92, 21, &CThostFtdcInputExecOrderField::BusinessUnit},
                 {113, 1, &CThostFtdcInputExecOrderField::OffsetFlag},
                 {114, 1, &CThostFtdcInputExecOrderField::HedgeFlag},
                 {115, 1, &CThostFtdcInputExecOrderField::ActionType},
                 {116, 1, &CThostFtdcInputExecOrderField::PosiDirection},
                 {117, 1, &CThostFtdcInputExecOrderField::ReservePositionFlag},
                 {118, 1, &CThostFtdcInputExecOrderField::CloseFlag},
                 {119, 9, &CThostFtdcInputExecOrderField::ExchangeID},
                 {128, 17, &CThostFtdcInputExecOrderField::InvestUnitID},
                 {145, 13, &CThostFtdcInputExecOrderField::AccountID},
                 {158, 4, &CThostFtdcInputExecOrderField::CurrencyID},
                 {162, 11, &CThostFtdcInputExecOrderField::ClientID},
                 {173, 16, &CThostFtdcInputExecOrderField::IPAddress},
                 {189, 21, &CThostFtdcInputExecOrderField::MacAddress},
             });
    return layout;
}

const FieldLayout<CThostFtdcInputExecOrderActionField>& InputExecOrderActionLayout() {
    static const FieldLayout<CThostFtdcInputExecOrderActionField> layout(
        131, {
                 {0, 11, &CThostFtdcInputExecOrderActionField::BrokerID},
                 {11, 13, &CThostFtdcInputExecOrderActionField::InvestorID},
                 {24, 4, &CThostFtdcInputExecOrderActionField::ExecOrderActionRef},
                 {28, 13, &CThostFtdcInputExecOrderActionField::ExecOrderRef},
                 {41, 4, &CThostFtdcInputExecOrderActionField::RequestID},
                 {45, 4, &CThostFtdcInputExecOrderActionField::FrontID},
                 {49, 4, &CThostFtdcInputExecOrderActionField::SessionID},
                 {53, 9, &CThostFtdcInputExecOrderActionField::ExchangeID},
                 {62, 21, &CThostFtdcInputExecOrderActionField::ExecOrderSysID},
                 {83, 1, &CThostFtdcInputExecOrderActionField::ActionFlag},
                 {84, 16, &CThostFtdcInputExecOrderActionField::UserID},
                 {100, 31, &CThostFtdcInputExecOrderActionField::InstrumentID},
             });
    return layout;
}

const FieldLayout<CThostFtdcExecOrderField>& ExecOrderLayout() {
    static const FieldLayout<CThostFtdcExecOrderField> layout(
        501, {
                 {0, 11, &CThostFtdcExecOrderField::BrokerID},
                 {11, 13, &CThostFtdcExecOrderField::InvestorID},
                 {24, 31, &CThostFtdcExecOrderField::InstrumentID},
                 {55, 13, &CThostFtdcExecOrderField::ExecOrderRef},
                 {68, 16, &CThostFtdcExecOrderField::UserID},
                 {84, 4, &CThostFtdcExecOrderField::Volume},
                 {88, 4, &CThostFtdcExecOrderField::RequestID},
                 {92, 21, &CThostFtdcExecOrderField::BusinessUnit},
                 {113, 1, &CThostFtdcExecOrderField::OffsetFlag},
                 {114, 1, &CThostFtdcExecOrderField::HedgeFlag},
                 {115, 1, &CThostFtdcExecOrderField::ActionType},
                 {116, 1, &CThostFtdcExecOrderField::PosiDirection},
                 {117, 1, &CThostFtdcExecOrderField::ReservePositionFlag},
                 {118, 1, &CThostFtdcExecOrderField::CloseFlag},
                 {119, 13, &CThostFtdcExecOrderField::ExecOrderLocalID},
                 {132, 9, &CThostFtdcExecOrderField::ExchangeID},
                 {141, 11, &CThostFtdcExecOrderField::ParticipantID},
                 {152, 11, &CThostFtdcExecOrderField::ClientID},
                 {163, 31, &CThostFtdcExecOrderField::ExchangeInstID},
                 {194, 21, &CThostFtdcExecOrderField::TraderID},
                 {215, 4, &CThostFtdcExecOrderField::InstallID},
                 {219, 1, &CThostFtdcExecOrderField::OrderSubmitStatus},
                 {220, 4, &CThostFtdcExecOrderField::NotifySequence},
                 {224, 9, &CThostFtdcExecOrderField::TradingDay},
                 {233, 4, &CThostFtdcExecOrderField::SettlementID},
                 {237, 21, &CThostFtdcExecOrderField::ExecOrderSysID},
                 {258, 9, &CThostFtdcExecOrderField::InsertDate},
                 {267, 9, &CThostFtdcExecOrderField::InsertTime},
                 {276, 9, &CThostFtdcExecOrderField::CancelTime},
                 {285, 1, &CThostFtdcExecOrderField::ExecResult},
                 {286, 11, &CThostFtdcExecOrderField::ClearingPartID},
                 {297, 4, &CThostFtdcExecOrderField::SequenceNo},
                 {301, 4, &CThostFtdcExecOrderField::FrontID},
                 {305, 4, &CThostFtdcExecOrderField::SessionID},
                 {309, 11, &CThostFtdcExecOrderField::UserProductInfo},
                 {320, 81, &CThostFtdcExecOrderField::StatusMsg},
                 {401, 16, &CThostFtdcExecOrderField::ActiveUserID},
                 {417, 4, &CThostFtdcExecOrderField::BrokerExecOrderSeq},
                 {421, 9, &CThostFtdcExecOrderField::BranchID},
                 {430, 17, &CThostFtdcExecOrderField::InvestUnitID},
                 {447, 13, &CThostFtdcExecOrderField::AccountID},
                 {460, 4, &CThostFtdcExecOrderField::CurrencyID},
                 {464, 16, &CThostFtdcExecOrderField::IPAddress},
                 {480, 21, &CThostFtdcExecOrderField::MacAddress},
             });
    return layout;
}

const FieldLayout<CThostFtdcInvestorPositionField>& InvestorPositionLayout() {
    static const FieldLayout<CThostFtdcInvestorPositionField> layout(
        303, {
                 {0, 31, &CThostFtdcInvestorPositionField::InstrumentID},
                 {31, 11, &CThostFtdcInvestorPositionField::BrokerID},
                 {42, 13, &CThostFtdcInvestorPositionField::InvestorID},
                 {55, 1, &CThostFtdcInvestorPositionField::PosiDirection},
                 {56, 1, &CThostFtdcInvestorPositionField::HedgeFlag},
                 {57, 1, &CThostFtdcInvestorPositionField::PositionDate},
                 {58, 4, &CThostFtdcInvestorPositionField::YdPosition},
                 {62, 4, &CThostFtdcInvestorPositionField::Position},
                 {66, 4, &CThostFtdcInvestorPositionField::LongFrozen},
                 {70, 4, &CThostFtdcInvestorPositionField::ShortFrozen},
                 {74, 8, &CThostFtdcInvestorPositionField::LongFrozenAmount},
                 {82, 8, &CThostFtdcInvestorPositionField::ShortFrozenAmount},
                 {90, 4, &CThostFtdcInvestorPositionField::OpenVolume},
                 {94, 4, &CThostFtdcInvestorPositionField::CloseVolume},
                 {98, 8, &CThostFtdcInvestorPositionField::OpenAmount},
                 {106, 8, &CThostFtdcInvestorPositionField::CloseAmount},
                 {114, 8, &CThostFtdcInvestorPositionField::PositionCost},
                 {122, 8, &CThostFtdcInvestorPositionField::PreMargin},
                 {130, 8, &CThostFtdcInvestorPositionField::UseMargin},
                 {138, 8, &CThostFtdcInvestorPositionField::FrozenMargin},
                 {146, 8, &CThostFtdcInvestorPositionField::FrozenCash},
                 {154, 8, &CThostFtdcInvestorPositionField::FrozenCommission},
                 {162, 8, &CThostFtdcInvestorPositionField::CashIn},
                 {170, 8, &CThostFtdcInvestorPositionField::Commission},
                 {178, 8, &CThostFtdcInvestorPositionField::CloseProfit},
                 {186, 8, &CThostFtdcInvestorPositionField::PositionProfit},
                 {194, 8, &CThostFtdcInvestorPositionField::PreSettlementPrice},
                 {202, 8, &CThostFtdcInvestorPositionField::SettlementPrice},
                 {210, 9, &CThostFtdcInvestorPositionField::TradingDay},
                 {219, 4, &CThostFtdcInvestorPositionField::SettlementID},
                 {223, 8, &CThostFtdcInvestorPositionField::OpenCost},
                 {231, 8, &CThostFtdcInvestorPositionField::ExchangeMargin},
                 {239, 4, &CThostFtdcInvestorPositionField::CombPosition},
                 {243, 4, &CThostFtdcInvestorPositionField::CombLongFrozen},
                 {247, 4, &CThostFtdcInvestorPositionField::CombShortFrozen},
                 {251, 8, &CThostFtdcInvestorPositionField::CloseProfitByDate},
                 {259, 8, &CThostFtdcInvestorPositionField::CloseProfitByTrade},
                 {267, 4, &CThostFtdcInvestorPositionField::TodayPosition},
                 {271, 8, &CThostFtdcInvestorPositionField::MarginRateByMoney},
                 {279, 8, &CThostFtdcInvestorPositionField::MarginRateByVolume},
                 {287, 4, &CThostFtdcInvestorPositionField::StrikeFrozen},
                 {291, 8, &CThostFtdcInvestorPositionField::StrikeFrozenAmount},
                 {299, 4, &CThostFtdcInvestorPositionField::AbandonFrozen},
             });
    return layout;
}

const FieldLayout<CThostFtdcTradingAccountField>& TradingAccountLayout() {
    static const FieldLayout<CThostFtdcTradingAccountField> layout(
        369, {
                 {0, 11, &CThostFtdcTradingAccountField::BrokerID},
                 {11, 13, &CThostFtdcTradingAccountField::AccountID},
                 {24, 8, &CThostFtdcTradingAccountField::PreMortgage},
                 {32, 8, &CThostFtdcTradingAccountField::PreCredit},
                 {40, 8, &CThostFtdcTradingAccountField::PreDeposit},
                 {48, 8, &CThostFtdcTradingAccountField::PreBalance},
                 {56, 8, &CThostFtdcTradingAccountField::PreMargin},
                 {64, 8, &CThostFtdcTradingAccountField::InterestBase},
                 {72, 8, &CThostFtdcTradingAccountField::Interest},
                 {80, 8, &CThostFtdcTradingAccountField::Deposit},
                 {88, 8, &CThostFtdcTradingAccountField::Withdraw},
                 {96, 8, &CThostFtdcTradingAccountField::FrozenMargin},
                 {104, 8, &CThostFtdcTradingAccountField::FrozenCash},
                 {112, 8, &CThostFtdcTradingAccountField::FrozenCommission},
                 {120, 8, &CThostFtdcTradingAccountField::CurrMargin},
                 {128, 8, &CThostFtdcTradingAccountField::CashIn},
                 {136, 8, &CThostFtdcTradingAccountField::Commission},
                 {144, 8, &CThostFtdcTradingAccountField::CloseProfit},
                 {152, 8, &CThostFtdcTradingAccountField::PositionProfit},
                 {160, 8, &CThostFtdcTradingAccountField::Balance},
                 {168, 8, &CThostFtdcTradingAccountField::Available},
                 {176, 8, &CThostFtdcTradingAccountField::WithdrawQuota},
                 {184, 8, &CThostFtdcTradingAccountField::Reserve},
                 {192, 9, &CThostFtdcTradingAccountField::TradingDay},
                 {201, 4, &CThostFtdcTradingAccountField::SettlementID},
                 {205, 8, &CThostFtdcTradingAccountField::Credit},
                 {213, 8, &CThostFtdcTradingAccountField::Mortgage},
                 {221, 8, &CThostFtdcTradingAccountField::ExchangeMargin},
                 {229, 8, &CThostFtdcTradingAccountField::DeliveryMargin},
                 {237, 8, &CThostFtdcTradingAccountField::ExchangeDeliveryMargin},
                 {245, 8, &CThostFtdcTradingAccountField::ReserveBalance},
                 {253, 4, &CThostFtdcTradingAccountField::CurrencyID},
                 {257, 8, &CThostFtdcTradingAccountField::PreFundMortgageIn},
                 {265, 8, &CThostFtdcTradingAccountField::PreFundMortgageOut},
                 {273, 8, &CThostFtdcTradingAccountField::FundMortgageIn},
                 {281, 8, &CThostFtdcTradingAccountField::FundMortgageOut},
                 {289, 8, &CThostFtdcTradingAccountField::FundMortgageAvailable},
                 {297, 8, &CThostFtdcTradingAccountField::MortgageableFund},
                 {305, 8, &CThostFtdcTradingAccountField::SpecProductMargin},
                 {313, 8, &CThostFtdcTradingAccountField::SpecProductFrozenMargin},
                 {321, 8, &CThostFtdcTradingAccountField::SpecProductCommission},
                 {329, 8, &CThostFtdcTradingAccountField::SpecProductFrozenCommission},
                 {337, 8, &CThostFtdcTradingAccountField::SpecProductPositionProfit},
                 {345, 8, &CThostFtdcTradingAccountField::SpecProductCloseProfit},
                 {353, 8, &CThostFtdcTradingAccountField::SpecProductPositionProfitByAlg},
                 {361, 8, &CThostFtdcTradingAccountField::SpecProductExchangeMargin},
             });
    return layout;
}

const FieldLayout<CThostFtdcInstrumentField>& InstrumentLayout() {
    static const FieldLayout<CThostFtdcInstrumentField> layout(
        278, {
                 {0, 31, &CThostFtdcInstrumentField::InstrumentID},
                 {31, 9, &CThostFtdcInstrumentField::ExchangeID},
                 {40, 21, &CThostFtdcInstrumentField::InstrumentName},
                 {61, 31, &CThostFtdcInstrumentField::ExchangeInstID},
                 {92, 31, &CThostFtdcInstrumentField::ProductID},
                 {123, 1, &CThostFtdcInstrumentField::ProductClass},
                 {124, 4, &CThostFtdcInstrumentField::DeliveryYear},
                 {128, 4, &CThostFtdcInstrumentField::DeliveryMonth},
                 {132, 4, &CThostFtdcInstrumentField::MaxMarketOrderVolume},
                 {136, 4, &CThostFtdcInstrumentField::MinMarketOrderVolume},
                 {140, 4, &CThostFtdcInstrumentField::MaxLimitOrderVolume},
                 {144, 4, &CThostFtdcInstrumentField::MinLimitOrderVolume},
                 {148, 4, &CThostFtdcInstrumentField::VolumeMultiple},
                 {152, 8, &CThostFtdcInstrumentField::PriceTick},
                 {160, 9, &CThostFtdcInstrumentField::CreateDate},
                 {169, 9, &CThostFtdcInstrumentField::OpenDate},
                 {178, 9, &CThostFtdcInstrumentField::ExpireDate},
                 {187, 9, &CThostFtdcInstrumentField::StartDelivDate},
                 {196, 9, &CThostFtdcInstrumentField::EndDelivDate},
                 {205, 1, &CThostFtdcInstrumentField::InstLifePhase},
                 {206, 4, &CThostFtdcInstrumentField::IsTrading},
                 {210, 1, &CThostFtdcInstrumentField::PositionType},
                 {211, 1, &CThostFtdcInstrumentField::PositionDateType},
                 {212, 8, &CThostFtdcInstrumentField::LongMarginRatio},
                 {220, 8, &CThostFtdcInstrumentField::ShortMarginRatio},
                 {228, 1, &CThostFtdcInstrumentField::MaxMarginSideAlgorithm},
                 {229, 31, &CThostFtdcInstrumentField::UnderlyingInstrID},
                 {260, 8, &CThostFtdcInstrumentField::StrikePrice},
                 {268, 1, &CThostFtdcInstrumentField::OptionsType},
                 {269, 8, &CThostFtdcInstrumentField::UnderlyingMultiple},
                 {277, 1, &CThostFtdcInstrumentField::CombinationType},
             });
    return layout;
}

const FieldLayout<CThostFtdcInstrumentMarginRateField>& InstrumentMarginRateLayout() {
    static const FieldLayout<CThostFtdcInstrumentMarginRateField> layout(
        93, {
                {0, 31, &CThostFtdcInstrumentMarginRateField::InstrumentID},
                {31, 1, &CThostFtdcInstrumentMarginRateField::InvestorRange},
                {32, 11, &CThostFtdcInstrumentMarginRateField::BrokerID},
                {43, 13, &CThostFtdcInstrumentMarginRateField::InvestorID},
                {56, 1, &CThostFtdcInstrumentMarginRateField::HedgeFlag},
                {57, 8, &CThostFtdcInstrumentMarginRateField::LongMarginRatioByMoney},
                {65, 8, &CThostFtdcInstrumentMarginRateField::LongMarginRatioByVolume},
                {73, 8, &CThostFtdcInstrumentMarginRateField::ShortMarginRatioByMoney},
                {81, 8, &CThostFtdcInstrumentMarginRateField::ShortMarginRatioByVolume},
                {89, 4, &CThostFtdcInstrumentMarginRateField::IsRelative},
            });
    return layout;
}

const FieldLayout<CThostFtdcInstrumentCommissionRateField>& InstrumentCommissionRateLayout() {
    static const FieldLayout<CThostFtdcInstrumentCommissionRateField> layout(
        104, {
                 {0, 31, &CThostFtdcInstrumentCommissionRateField::InstrumentID},
                 {31, 1, &CThostFtdcInstrumentCommissionRateField::InvestorRange},
                 {32, 11, &CThostFtdcInstrumentCommissionRateField::BrokerID},
                 {43, 13, &CThostFtdcInstrumentCommissionRateField::InvestorID},
                 {56, 8, &CThostFtdcInstrumentCommissionRateField::OpenRatioByMoney},
                 {64, 8, &CThostFtdcInstrumentCommissionRateField::OpenRatioByVolume},
                 {72, 8, &CThostFtdcInstrumentCommissionRateField::CloseRatioByMoney},
                 {80, 8, &CThostFtdcInstrumentCommissionRateField::CloseRatioByVolume},
                 {88, 8, &CThostFtdcInstrumentCommissionRateField::CloseTodayRatioByMoney},
                 {96, 8, &CThostFtdcInstrumentCommissionRateField::CloseTodayRatioByVolume},
             });
    return layout;
}

const FieldLayout<CThostFtdcInstrumentStatusField>& InstrumentStatusLayout() {
    static const FieldLayout<CThostFtdcInstrumentStatusField> layout(
        95, {
                {0, 9, &CThostFtdcInstrumentStatusField::ExchangeID},
                {9, 31, &CThostFtdcInstrumentStatusField::ExchangeInstID},
                {40, 9, &CThostFtdcInstrumentStatusField::SettlementGroupID},
                {49, 31, &CThostFtdcInstrumentStatusField::InstrumentID},
                {80, 1, &CThostFtdcInstrumentStatusField::InstrumentStatus},
                {81, 4, &CThostFtdcInstrumentStatusField::TradingSegmentSN},
                {85, 9, &CThostFtdcInstrumentStatusField::EnterTime},
                {94, 1, &CThostFtdcInstrumentStatusField::EnterReason},
            });
    return layout;
}

const FieldLayout<CThostFtdcQryOrderField>& QryOrderLayout() {
    static const FieldLayout<CThostFtdcQryOrderField> layout(
        103, {
                 {0, 11, &CThostFtdcQryOrderField::BrokerID},
                 {11, 13, &CThostFtdcQryOrderField::InvestorID},
                 {24, 31, &CThostFtdcQryOrderField::InstrumentID},
                 {55, 9, &CThostFtdcQryOrderField::ExchangeID},
                 {64, 21, &CThostFtdcQryOrderField::OrderSysID},
                 {85, 9, &CThostFtdcQryOrderField::InsertTimeStart},
                 {94, 9, &CThostFtdcQryOrderField::InsertTimeEnd},
             });
    return layout;
}

const FieldLayout<CThostFtdcQryTradeField>& QryTradeLayout() {
    static const FieldLayout<CThostFtdcQryTradeField> layout(
        103, {
                 {0, 11, &CThostFtdcQryTradeField::BrokerID},
                 {11, 13, &CThostFtdcQryTradeField::InvestorID},
                 {24, 31, &CThostFtdcQryTradeField::InstrumentID},
                 {55, 9, &CThostFtdcQryTradeField::ExchangeID},
                 {64, 21, &CThostFtdcQryTradeField::TradeID},
                 {85, 9, &CThostFtdcQryTradeField::TradeTimeStart},
                 {94, 9, &CThostFtdcQryTradeField::TradeTimeEnd},
             });
    return layout;
}

const FieldLayout<CThostFtdcQryExecOrderField>& QryExecOrderLayout() {
    static const FieldLayout<CThostFtdcQryExecOrderField> layout(
        103, {
                 {0, 11, &CThostFtdcQryExecOrderField::BrokerID},
                 {11, 13, &CThostFtdcQryExecOrderField::InvestorID},
                 {24, 31, &CThostFtdcQryExecOrderField::InstrumentID},
                 {55, 9, &CThostFtdcQryExecOrderField::ExchangeID},
                 {64, 21, &CThostFtdcQryExecOrderField::ExecOrderSysID},
                 {85, 9, &CThostFtdcQryExecOrderField::InsertTimeStart},
                 {94, 9, &CThostFtdcQryExecOrderField::InsertTimeEnd},
             });
    return layout;
}

const FieldLayout<CThostFtdcQryInvestorPositionField>& QryInvestorPositionLayout() {
    static const FieldLayout<CThostFtdcQryInvestorPositionField> layout(
        64, {
                {0, 11, &CThostFtdcQryInvestorPositionField::BrokerID},
                {11, 13, &CThostFtdcQryInvestorPositionField::InvestorID},
                {24, 31, &CThostFtdcQryInvestorPositionField::InstrumentID},
                {55, 9, &CThostFtdcQryInvestorPositionField::ExchangeID},
            });
    return layout;
}

const FieldLayout<CThostFtdcQryTradingAccountField>& QryTradingAccountLayout() {
    static const FieldLayout<CThostFtdcQryTradingAccountField> layout(
        29, {
                {0, 11, &CThostFtdcQryTradingAccountField::BrokerID},
                {11, 13, &CThostFtdcQryTradingAccountField::InvestorID},
                {24, 4, &CThostFtdcQryTradingAccountField::CurrencyID},
                {28, 1, &CThostFtdcQryTradingAccountField::BizType},
            });
    return layout;
}

const FieldLayout<CThostFtdcQryInstrumentField>& QryInstrumentLayout() {
    static const FieldLayout<CThostFtdcQryInstrumentField> layout(
        102, {
                 {0, 31, &CThostFtdcQryInstrumentField::InstrumentID},
                 {31, 9, &CThostFtdcQryInstrumentField::ExchangeID},
                 {40, 31, &CThostFtdcQryInstrumentField::ExchangeInstID},
                 {71, 31, &CThostFtdcQryInstrumentField::ProductID},
             });
    return layout;
}

const FieldLayout<CThostFtdcQryInstrumentMarginRateField>& QryInstrumentMarginRateLayout() {
    static const FieldLayout<CThostFtdcQryInstrumentMarginRateField> layout(
        56, {
                {0, 11, &CThostFtdcQryInstrumentMarginRateField::BrokerID},
                {11, 13, &CThostFtdcQryInstrumentMarginRateField::InvestorID},
                {24, 31, &CThostFtdcQryInstrumentMarginRateField::InstrumentID},
                {55, 1, &CThostFtdcQryInstrumentMarginRateField::HedgeFlag},
            });
    return layout;
}

const FieldLayout<CThostFtdcQryInstrumentCommissionRateField>& QryInstrumentCommissionRateLayout() {
    static const FieldLayout<CThostFtdcQryInstrumentCommissionRateField> layout(
        64, {
                {0, 11, &CThostFtdcQryInstrumentCommissionRateField::BrokerID},
                {11, 13, &CThostFtdcQryInstrumentCommissionRateField::InvestorID},
                {24, 31, &CThostFtdcQryInstrumentCommissionRateField::InstrumentID},
                {55, 9, &CThostFtdcQryInstrumentCommissionRateField::ExchangeID},
            });
    return layout;
}

const FieldLayout<CThostFtdcSpecificInstrumentField>& SpecificInstrumentLayout() {
    static const FieldLayout<CThostFtdcSpecificInstrumentField> layout(
        31, {
                {0, 31, &CThostFtdcSpecificInstrumentField::InstrumentID},
            });
    return layout;
}

const FieldLayout<CThostFtdcDepthMarketDataField>& DepthMarketDataLayout() {
    static const FieldLayout<CThostFtdcDepthMarketDataField> layout(
        354, {
                 {0, 9, &CThostFtdcDepthMarketDataField::TradingDay},
                 {9, 31, &CThostFtdcDepthMarketDataField::InstrumentID},
                 {40, 9, &CThostFtdcDepthMarketDataField::ExchangeID},
                 {49, 31, &CThostFtdcDepthMarketDataField::ExchangeInstID},
                 {80, 8, &CThostFtdcDepthMarketDataField::LastPrice},
                 {88, 8, &CThostFtdcDepthMarketDataField::PreSettlementPrice},
                 {96, 8, &CThostFtdcDepthMarketDataField::PreClosePrice},
                 {104, 8, &CThostFtdcDepthMarketDataField::PreOpenInterest},
                 {112, 8, &CThostFtdcDepthMarketDataField::OpenPrice},
                 {120, 8, &CThostFtdcDepthMarketDataField::HighestPrice},
                 {128, 8, &CThostFtdcDepthMarketDataField::LowestPrice},
                 {136, 4, &CThostFtdcDepthMarketDataField::Volume},
                 {140, 8, &CThostFtdcDepthMarketDataField::Turnover},
                 {148, 8, &CThostFtdcDepthMarketDataField::OpenInterest},
                 {156, 8, &CThostFtdcDepthMarketDataField::ClosePrice},
                 {164, 8, &CThostFtdcDepthMarketDataField::SettlementPrice},
                 {172, 8, &CThostFtdcDepthMarketDataField::UpperLimitPrice},
                 {180, 8, &CThostFtdcDepthMarketDataField::LowerLimitPrice},
                 {188, 8, &CThostFtdcDepthMarketDataField::PreDelta},
                 {196, 8, &CThostFtdcDepthMarketDataField::CurrDelta},
                 {204, 9, &CThostFtdcDepthMarketDataField::UpdateTime},
                 {213, 4, &CThostFtdcDepthMarketDataField::UpdateMillisec},
                 {217, 8, &CThostFtdcDepthMarketDataField::BidPrice1},
                 {225, 4, &CThostFtdcDepthMarketDataField::BidVolume1},
                 {229, 8, &CThostFtdcDepthMarketDataField::AskPrice1},
                 {237, 4, &CThostFtdcDepthMarketDataField::AskVolume1},
                 {241, 8, &CThostFtdcDepthMarketDataField::BidPrice2},
                 {249, 4, &CThostFtdcDepthMarketDataField::BidVolume2},
                 {253, 8, &CThostFtdcDepthMarketDataField::AskPrice2},
                 {261, 4, &CThostFtdcDepthMarketDataField::AskVolume2},
                 {265, 8, &CThostFtdcDepthMarketDataField::BidPrice3},
                 {273, 4, &CThostFtdcDepthMarketDataField::BidVolume3},
                 {277, 8, &CThostFtdcDepthMarketDataField::AskPrice3},
                 {285, 4, &CThostFtdcDepthMarketDataField::AskVolume3},
                 {289, 8, &CThostFtdcDepthMarketDataField::BidPrice4},
                 {297, 4, &CThostFtdcDepthMarketDataField::BidVolume4},
                 {301, 8, &CThostFtdcDepthMarketDataField::AskPrice4},
                 {309, 4, &CThostFtdcDepthMarketDataField::AskVolume4},
                 {313, 8, &CThostFtdcDepthMarketDataField::BidPrice5},
                 {321, 4, &CThostFtdcDepthMarketDataField::BidVolume5},
                 {325, 8, &CThostFtdcDepthMarketDataField::AskPrice5},
                 {333, 4, &CThostFtdcDepthMarketDataField::AskVolume5},
                 {337, 8, &CThostFtdcDepthMarketDataField::AveragePrice},
                 {345, 9, &CThostFtdcDepthMarketDataField::ActionDay},
             });
    return layout;
}

const FieldLayout<DisseminationField>& DisseminationLayout() {
    static const FieldLayout<DisseminationField> layout(6, {
                                                               {0, 2, &DisseminationField::SequenceSeries},
                                                               {2, 4, &DisseminationField::SequenceNo},
                                                           });
    return layout;
}

} // namespace FTD
} // namespace Tesmora

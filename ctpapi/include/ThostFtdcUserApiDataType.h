// Data types and code characters of the stand-in CTP client API.
// Text types are fixed-size, zero-terminated character arrays: the size is the
// longest text plus one.
#pragma once

// Text types.
typedef char TThostFtdcDateType[9];
typedef char TThostFtdcTimeType[9];
typedef char TThostFtdcBrokerIDType[11];
typedef char TThostFtdcUserIDType[16];
typedef char TThostFtdcInvestorIDType[13];
typedef char TThostFtdcAccountIDType[13];
typedef char TThostFtdcPasswordType[41];
typedef char TThostFtdcProductInfoType[11];
typedef char TThostFtdcProtocolInfoType[11];
typedef char TThostFtdcMacAddressType[21];
typedef char TThostFtdcIPAddressType[16];
typedef char TThostFtdcAuthCodeType[17];
typedef char TThostFtdcAppIDType[33];
typedef char TThostFtdcSystemNameType[41];
typedef char TThostFtdcOrderRefType[13];
typedef char TThostFtdcInstrumentIDType[31];
typedef char TThostFtdcExchangeIDType[9];
typedef char TThostFtdcExchangeInstIDType[31];
typedef char TThostFtdcProductIDType[31];
typedef char TThostFtdcInstrumentNameType[21];
typedef char TThostFtdcOrderSysIDType[21];
typedef char TThostFtdcTradeIDType[21];
typedef char TThostFtdcOrderLocalIDType[13];
typedef char TThostFtdcParticipantIDType[11];
typedef char TThostFtdcClientIDType[11];
typedef char TThostFtdcTraderIDType[21];
typedef char TThostFtdcBusinessUnitType[21];
typedef char TThostFtdcErrorMsgType[81];
typedef char TThostFtdcStatusMsgType[81];
typedef char TThostFtdcCombOffsetFlagType[5];
typedef char TThostFtdcCombHedgeFlagType[5];
typedef char TThostFtdcInvestUnitIDType[17];
typedef char TThostFtdcCurrencyIDType[4];
typedef char TThostFtdcBranchIDType[9];
typedef char TThostFtdcSettlementGroupIDType[9];
typedef char TThostFtdcInvestorGroupIDType[13];
typedef char TThostFtdcPartyNameType[81];
typedef char TThostFtdcIdentifiedCardNoType[51];
typedef char TThostFtdcTelephoneType[41];
typedef char TThostFtdcAddressType[101];
typedef char TThostFtdcInvestorIDRangeType[13];
typedef char TThostFtdcContentType[501];

// Numbers.
typedef int TThostFtdcErrorIDType;
typedef int TThostFtdcFrontIDType;
typedef int TThostFtdcSessionIDType;
typedef int TThostFtdcRequestIDType;
typedef int TThostFtdcVolumeType;
typedef int TThostFtdcBoolType;
typedef int TThostFtdcYearType;
typedef int TThostFtdcMonthType;
typedef int TThostFtdcVolumeMultipleType;
typedef int TThostFtdcSettlementIDType;
typedef int TThostFtdcSequenceNoType;
typedef int TThostFtdcInstallIDType;
typedef int TThostFtdcOrderActionRefType;
typedef int TThostFtdcMillisecType;
typedef int TThostFtdcTradingSegmentSNType;
typedef double TThostFtdcPriceType;
typedef double TThostFtdcMoneyType;
typedef double TThostFtdcRatioType;
typedef double TThostFtdcLargeVolumeType;
typedef double TThostFtdcUnderlyingMultipleType;

// One-character codes.
typedef char TThostFtdcDirectionType;
typedef char TThostFtdcOffsetFlagType;
typedef char TThostFtdcHedgeFlagType;
typedef char TThostFtdcOrderPriceTypeType;
typedef char TThostFtdcTimeConditionType;
typedef char TThostFtdcVolumeConditionType;
typedef char TThostFtdcContingentConditionType;
typedef char TThostFtdcForceCloseReasonType;
typedef char TThostFtdcOrderStatusType;
typedef char TThostFtdcOrderSubmitStatusType;
typedef char TThostFtdcOrderSourceType;
typedef char TThostFtdcOrderTypeType;
typedef char TThostFtdcActionFlagType;
typedef char TThostFtdcPosiDirectionType;
typedef char TThostFtdcPositionDateType;
typedef char TThostFtdcPositionTypeType;
typedef char TThostFtdcPositionDateTypeType;
typedef char TThostFtdcProductClassType;
typedef char TThostFtdcInstLifePhaseType;
typedef char TThostFtdcMaxMarginSideAlgorithmType;
typedef char TThostFtdcOptionsTypeType;
typedef char TThostFtdcCombinationTypeType;
typedef char TThostFtdcInvestorRangeType;
typedef char TThostFtdcExecResultType;
typedef char TThostFtdcExecOrderPositionFlagType;
typedef char TThostFtdcExecOrderCloseFlagType;
typedef char TThostFtdcInstrumentStatusType;
typedef char TThostFtdcInstStatusEnterReasonType;
typedef char TThostFtdcTradingRoleType;
typedef char TThostFtdcTradeTypeType;
typedef char TThostFtdcPriceSourceType;
typedef char TThostFtdcTradeSourceType;
typedef char TThostFtdcAppTypeType;
typedef char TThostFtdcIdCardTypeType;

// Flow subscription modes.
enum THOST_TE_RESUME_TYPE {
    THOST_TERT_RESTART = 0,
    THOST_TERT_RESUME = 1,
    THOST_TERT_QUICK = 2,
};

#define THOST_FTDC_D_Buy '0'
#define THOST_FTDC_D_Sell '1'

#define THOST_FTDC_OF_Open '0'
#define THOST_FTDC_OF_Close '1'
#define THOST_FTDC_OF_ForceClose '2'
#define THOST_FTDC_OF_CloseToday '3'
#define THOST_FTDC_OF_CloseYesterday '4'
#define THOST_FTDC_OF_ForceOff '5'
#define THOST_FTDC_OF_LocalForceClose '6'

#define THOST_FTDC_HF_Speculation '1'
#define THOST_FTDC_HF_Arbitrage '2'
#define THOST_FTDC_HF_Hedge '3'
#define THOST_FTDC_HF_Covered '4'
#define THOST_FTDC_HF_MarketMaker '5'

#define THOST_FTDC_OPT_AnyPrice '1'
#define THOST_FTDC_OPT_LimitPrice '2'

#define THOST_FTDC_TC_IOC '1'
#define THOST_FTDC_TC_GFS '2'
#define THOST_FTDC_TC_GFD '3'
#define THOST_FTDC_TC_GTD '4'
#define THOST_FTDC_TC_GTC '5'
#define THOST_FTDC_TC_GFA '6'

#define THOST_FTDC_VC_AV '1'
#define THOST_FTDC_VC_MV '2'
#define THOST_FTDC_VC_CV '3'

#define THOST_FTDC_CC_Immediately '1'
#define THOST_FTDC_FCC_NotForceClose '0'

#define THOST_FTDC_OST_AllTraded '0'
#define THOST_FTDC_OST_PartTradedQueueing '1'
#define THOST_FTDC_OST_PartTradedNotQueueing '2'
#define THOST_FTDC_OST_NoTradeQueueing '3'
#define THOST_FTDC_OST_NoTradeNotQueueing '4'
#define THOST_FTDC_OST_Canceled '5'
#define THOST_FTDC_OST_Unknown 'a'
#define THOST_FTDC_OST_NotTouched 'b'
#define THOST_FTDC_OST_Touched 'c'

#define THOST_FTDC_OSS_InsertSubmitted '0'
#define THOST_FTDC_OSS_CancelSubmitted '1'
#define THOST_FTDC_OSS_Accepted '3'
#define THOST_FTDC_OSS_InsertRejected '4'
#define THOST_FTDC_OSS_CancelRejected '5'

#define THOST_FTDC_AF_Delete '0'
#define THOST_FTDC_AF_Modify '3'

#define THOST_FTDC_PD_Net '1'
#define THOST_FTDC_PD_Long '2'
#define THOST_FTDC_PD_Short '3'

#define THOST_FTDC_PSD_Today '1'
#define THOST_FTDC_PSD_History '2'

#define THOST_FTDC_PC_Futures '1'
#define THOST_FTDC_PC_Options '2'

#define THOST_FTDC_CP_CallOptions '1'
#define THOST_FTDC_CP_PutOptions '2'

#define THOST_FTDC_MMSA_NO '0'
#define THOST_FTDC_MMSA_YES '1'

#define THOST_FTDC_OER_NoExec 'n'
#define THOST_FTDC_OER_Canceled 'c'
#define THOST_FTDC_OER_OK '0'
#define THOST_FTDC_OER_NoPosition '1'
#define THOST_FTDC_OER_NoDeposit '2'
#define THOST_FTDC_OER_NoParticipant '3'
#define THOST_FTDC_OER_NoClient '4'
#define THOST_FTDC_OER_NoInstrument '6'
#define THOST_FTDC_OER_NoRight '7'
#define THOST_FTDC_OER_InvalidVolume '8'
#define THOST_FTDC_OER_NoEnoughHistoryTrade '9'

#define THOST_FTDC_IS_BeforeTrading '0'
#define THOST_FTDC_IS_NoTrading '1'
#define THOST_FTDC_IS_Continous '2'
#define THOST_FTDC_IS_AuctionOrdering '3'
#define THOST_FTDC_IS_AuctionBalance '4'
#define THOST_FTDC_IS_AuctionMatch '5'
#define THOST_FTDC_IS_Closed '6'

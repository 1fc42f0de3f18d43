// Field structures of the stand-in CTP client API. Members are listed in the
// order of their packed FTD layouts (docs/wire.md); in memory they carry the
// usual C++ alignment, and the FTD codec converts member by member.
#pragma once

#include "ThostFtdcUserApiDataType.h"

// Error record of every response; ErrorID 0 means success.
struct CThostFtdcRspInfoField {
    TThostFtdcErrorIDType ErrorID;
    TThostFtdcErrorMsgType ErrorMsg;
};

struct CThostFtdcReqAuthenticateField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcUserIDType UserID;
    TThostFtdcProductInfoType UserProductInfo;
    TThostFtdcAuthCodeType AuthCode;
    TThostFtdcAppIDType AppID;
};

struct CThostFtdcRspAuthenticateField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcUserIDType UserID;
    TThostFtdcProductInfoType UserProductInfo;
    TThostFtdcAppIDType AppID;
    TThostFtdcAppTypeType AppType;
};

struct CThostFtdcReqUserLoginField {
    TThostFtdcDateType TradingDay;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcUserIDType UserID;
    TThostFtdcPasswordType Password;
    TThostFtdcProductInfoType UserProductInfo;
    TThostFtdcProductInfoType InterfaceProductInfo;
    TThostFtdcProtocolInfoType ProtocolInfo;
    TThostFtdcMacAddressType MacAddress;
    TThostFtdcPasswordType OneTimePassword;
    TThostFtdcIPAddressType ClientIPAddress;
};

struct CThostFtdcRspUserLoginField {
    TThostFtdcDateType TradingDay;
    TThostFtdcTimeType LoginTime;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcUserIDType UserID;
    TThostFtdcSystemNameType SystemName;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcOrderRefType MaxOrderRef;
    TThostFtdcTimeType SHFETime;
    TThostFtdcTimeType DCETime;
    TThostFtdcTimeType CZCETime;
    TThostFtdcTimeType FFEXTime;
    TThostFtdcTimeType INETime;
};

struct CThostFtdcUserLogoutField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcUserIDType UserID;
};

struct CThostFtdcSettlementInfoConfirmField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcDateType ConfirmDate;
    TThostFtdcTimeType ConfirmTime;
};

struct CThostFtdcQryInvestorField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
};

struct CThostFtdcInvestorField {
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorGroupIDType InvestorGroupID;
    TThostFtdcPartyNameType InvestorName;
    TThostFtdcIdCardTypeType IdentifiedCardType;
    TThostFtdcIdentifiedCardNoType IdentifiedCardNo;
    TThostFtdcBoolType IsActive;
    TThostFtdcTelephoneType Telephone;
    TThostFtdcAddressType Address;
    TThostFtdcDateType OpenDate;
    TThostFtdcTelephoneType Mobile;
};

struct CThostFtdcInputOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderRefType OrderRef;
    TThostFtdcUserIDType UserID;
    TThostFtdcOrderPriceTypeType OrderPriceType;
    TThostFtdcDirectionType Direction;
    TThostFtdcCombOffsetFlagType CombOffsetFlag;
    TThostFtdcCombHedgeFlagType CombHedgeFlag;
    TThostFtdcPriceType LimitPrice;
    TThostFtdcVolumeType VolumeTotalOriginal;
    TThostFtdcTimeConditionType TimeCondition;
    TThostFtdcDateType GTDDate;
    TThostFtdcVolumeConditionType VolumeCondition;
    TThostFtdcVolumeType MinVolume;
    TThostFtdcContingentConditionType ContingentCondition;
    TThostFtdcPriceType StopPrice;
    TThostFtdcForceCloseReasonType ForceCloseReason;
    TThostFtdcBoolType IsAutoSuspend;
    TThostFtdcBusinessUnitType BusinessUnit;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcBoolType UserForceClose;
    TThostFtdcBoolType IsSwapOrder;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcInvestUnitIDType InvestUnitID;
    TThostFtdcAccountIDType AccountID;
    TThostFtdcCurrencyIDType CurrencyID;
    TThostFtdcClientIDType ClientID;
    TThostFtdcIPAddressType IPAddress;
    TThostFtdcMacAddressType MacAddress;
};

struct CThostFtdcInputOrderActionField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcOrderActionRefType OrderActionRef;
    TThostFtdcOrderRefType OrderRef;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcOrderSysIDType OrderSysID;
    TThostFtdcActionFlagType ActionFlag;
    TThostFtdcPriceType LimitPrice;
    TThostFtdcVolumeType VolumeChange;
    TThostFtdcUserIDType UserID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcInvestUnitIDType InvestUnitID;
    TThostFtdcIPAddressType IPAddress;
    TThostFtdcMacAddressType MacAddress;
};

// Pushed on a refused cancel; the adapters ignore it.
struct CThostFtdcOrderActionField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcOrderActionRefType OrderActionRef;
    TThostFtdcOrderRefType OrderRef;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcOrderSysIDType OrderSysID;
    TThostFtdcActionFlagType ActionFlag;
    TThostFtdcPriceType LimitPrice;
    TThostFtdcVolumeType VolumeChange;
    TThostFtdcDateType ActionDate;
    TThostFtdcTimeType ActionTime;
    TThostFtdcUserIDType UserID;
    TThostFtdcStatusMsgType StatusMsg;
    TThostFtdcInstrumentIDType InstrumentID;
};

struct CThostFtdcOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderRefType OrderRef;
    TThostFtdcUserIDType UserID;
    TThostFtdcOrderPriceTypeType OrderPriceType;
    TThostFtdcDirectionType Direction;
    TThostFtdcCombOffsetFlagType CombOffsetFlag;
    TThostFtdcCombHedgeFlagType CombHedgeFlag;
    TThostFtdcPriceType LimitPrice;
    TThostFtdcVolumeType VolumeTotalOriginal;
    TThostFtdcTimeConditionType TimeCondition;
    TThostFtdcDateType GTDDate;
    TThostFtdcVolumeConditionType VolumeCondition;
    TThostFtdcVolumeType MinVolume;
    TThostFtdcContingentConditionType ContingentCondition;
    TThostFtdcPriceType StopPrice;
    TThostFtdcForceCloseReasonType ForceCloseReason;
    TThostFtdcBoolType IsAutoSuspend;
    TThostFtdcBusinessUnitType BusinessUnit;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcOrderLocalIDType OrderLocalID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcParticipantIDType ParticipantID;
    TThostFtdcClientIDType ClientID;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcTraderIDType TraderID;
    TThostFtdcInstallIDType InstallID;
    TThostFtdcOrderSubmitStatusType OrderSubmitStatus;
    TThostFtdcSequenceNoType NotifySequence;
    TThostFtdcDateType TradingDay;
    TThostFtdcSettlementIDType SettlementID;
    TThostFtdcOrderSysIDType OrderSysID;
    TThostFtdcOrderSourceType OrderSource;
    TThostFtdcOrderStatusType OrderStatus;
    TThostFtdcOrderTypeType OrderType;
    TThostFtdcVolumeType VolumeTraded;
    TThostFtdcVolumeType VolumeTotal;
    TThostFtdcDateType InsertDate;
    TThostFtdcTimeType InsertTime;
    TThostFtdcTimeType ActiveTime;
    TThostFtdcTimeType SuspendTime;
    TThostFtdcTimeType UpdateTime;
    TThostFtdcTimeType CancelTime;
    TThostFtdcTraderIDType ActiveTraderID;
    TThostFtdcParticipantIDType ClearingPartID;
    TThostFtdcSequenceNoType SequenceNo;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcProductInfoType UserProductInfo;
    TThostFtdcStatusMsgType StatusMsg;
    TThostFtdcBoolType UserForceClose;
    TThostFtdcUserIDType ActiveUserID;
    TThostFtdcSequenceNoType BrokerOrderSeq;
    TThostFtdcOrderSysIDType RelativeOrderSysID;
    TThostFtdcVolumeType ZCETotalTradedVolume;
    TThostFtdcBoolType IsSwapOrder;
    TThostFtdcBranchIDType BranchID;
    TThostFtdcInvestUnitIDType InvestUnitID;
    TThostFtdcAccountIDType AccountID;
    TThostFtdcCurrencyIDType CurrencyID;
    TThostFtdcIPAddressType IPAddress;
    TThostFtdcMacAddressType MacAddress;
};

struct CThostFtdcTradeField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderRefType OrderRef;
    TThostFtdcUserIDType UserID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcTradeIDType TradeID;
    TThostFtdcDirectionType Direction;
    TThostFtdcOrderSysIDType OrderSysID;
    TThostFtdcParticipantIDType ParticipantID;
    TThostFtdcClientIDType ClientID;
    TThostFtdcTradingRoleType TradingRole;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcOffsetFlagType OffsetFlag;
    TThostFtdcHedgeFlagType HedgeFlag;
    TThostFtdcPriceType Price;
    TThostFtdcVolumeType Volume;
    TThostFtdcDateType TradeDate;
    TThostFtdcTimeType TradeTime;
    TThostFtdcTradeTypeType TradeType;
    TThostFtdcPriceSourceType PriceSource;
    TThostFtdcTraderIDType TraderID;
    TThostFtdcOrderLocalIDType OrderLocalID;
    TThostFtdcParticipantIDType ClearingPartID;
    TThostFtdcBusinessUnitType BusinessUnit;
    TThostFtdcSequenceNoType SequenceNo;
    TThostFtdcDateType TradingDay;
    TThostFtdcSettlementIDType SettlementID;
    TThostFtdcSequenceNoType BrokerOrderSeq;
    TThostFtdcTradeSourceType TradeSource;
};

struct CThostFtdcInputExecOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderRefType ExecOrderRef;
    TThostFtdcUserIDType UserID;
    TThostFtdcVolumeType Volume;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcBusinessUnitType BusinessUnit;
    TThostFtdcOffsetFlagType OffsetFlag;
    TThostFtdcHedgeFlagType HedgeFlag;
    TThostFtdcActionFlagType ActionType;
    TThostFtdcPosiDirectionType PosiDirection;
    TThostFtdcExecOrderPositionFlagType ReservePositionFlag;
    TThostFtdcExecOrderCloseFlagType CloseFlag;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcInvestUnitIDType InvestUnitID;
    TThostFtdcAccountIDType AccountID;
    TThostFtdcCurrencyIDType CurrencyID;
    TThostFtdcClientIDType ClientID;
    TThostFtdcIPAddressType IPAddress;
    TThostFtdcMacAddressType MacAddress;
};

struct CThostFtdcInputExecOrderActionField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcOrderActionRefType ExecOrderActionRef;
    TThostFtdcOrderRefType ExecOrderRef;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcOrderSysIDType ExecOrderSysID;
    TThostFtdcActionFlagType ActionFlag;
    TThostFtdcUserIDType UserID;
    TThostFtdcInstrumentIDType InstrumentID;
};

struct CThostFtdcExecOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderRefType ExecOrderRef;
    TThostFtdcUserIDType UserID;
    TThostFtdcVolumeType Volume;
    TThostFtdcRequestIDType RequestID;
    TThostFtdcBusinessUnitType BusinessUnit;
    TThostFtdcOffsetFlagType OffsetFlag;
    TThostFtdcHedgeFlagType HedgeFlag;
    TThostFtdcActionFlagType ActionType;
    TThostFtdcPosiDirectionType PosiDirection;
    TThostFtdcExecOrderPositionFlagType ReservePositionFlag;
    TThostFtdcExecOrderCloseFlagType CloseFlag;
    TThostFtdcOrderLocalIDType ExecOrderLocalID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcParticipantIDType ParticipantID;
    TThostFtdcClientIDType ClientID;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcTraderIDType TraderID;
    TThostFtdcInstallIDType InstallID;
    TThostFtdcOrderSubmitStatusType OrderSubmitStatus;
    TThostFtdcSequenceNoType NotifySequence;
    TThostFtdcDateType TradingDay;
    TThostFtdcSettlementIDType SettlementID;
    TThostFtdcOrderSysIDType ExecOrderSysID;
    TThostFtdcDateType InsertDate;
    TThostFtdcTimeType InsertTime;
    TThostFtdcTimeType CancelTime;
    TThostFtdcExecResultType ExecResult;
    TThostFtdcParticipantIDType ClearingPartID;
    TThostFtdcSequenceNoType SequenceNo;
    TThostFtdcFrontIDType FrontID;
    TThostFtdcSessionIDType SessionID;
    TThostFtdcProductInfoType UserProductInfo;
    TThostFtdcStatusMsgType StatusMsg;
    TThostFtdcUserIDType ActiveUserID;
    TThostFtdcSequenceNoType BrokerExecOrderSeq;
    TThostFtdcBranchIDType BranchID;
    TThostFtdcInvestUnitIDType InvestUnitID;
    TThostFtdcAccountIDType AccountID;
    TThostFtdcCurrencyIDType CurrencyID;
    TThostFtdcIPAddressType IPAddress;
    TThostFtdcMacAddressType MacAddress;
};

struct CThostFtdcInvestorPositionField {
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcPosiDirectionType PosiDirection;
    TThostFtdcHedgeFlagType HedgeFlag;
    TThostFtdcPositionDateType PositionDate;
    TThostFtdcVolumeType YdPosition;
    TThostFtdcVolumeType Position;
    TThostFtdcVolumeType LongFrozen;
    TThostFtdcVolumeType ShortFrozen;
    TThostFtdcMoneyType LongFrozenAmount;
    TThostFtdcMoneyType ShortFrozenAmount;
    TThostFtdcVolumeType OpenVolume;
    TThostFtdcVolumeType CloseVolume;
    TThostFtdcMoneyType OpenAmount;
    TThostFtdcMoneyType CloseAmount;
    TThostFtdcMoneyType PositionCost;
    TThostFtdcMoneyType PreMargin;
    TThostFtdcMoneyType UseMargin;
    TThostFtdcMoneyType FrozenMargin;
    TThostFtdcMoneyType FrozenCash;
    TThostFtdcMoneyType FrozenCommission;
    TThostFtdcMoneyType CashIn;
    TThostFtdcMoneyType Commission;
    TThostFtdcMoneyType CloseProfit;
    TThostFtdcMoneyType PositionProfit;
    TThostFtdcPriceType PreSettlementPrice;
    TThostFtdcPriceType SettlementPrice;
    TThostFtdcDateType TradingDay;
    TThostFtdcSettlementIDType SettlementID;
    TThostFtdcMoneyType OpenCost;
    TThostFtdcMoneyType ExchangeMargin;
    TThostFtdcVolumeType CombPosition;
    TThostFtdcVolumeType CombLongFrozen;
    TThostFtdcVolumeType CombShortFrozen;
    TThostFtdcMoneyType CloseProfitByDate;
    TThostFtdcMoneyType CloseProfitByTrade;
    TThostFtdcVolumeType TodayPosition;
    TThostFtdcRatioType MarginRateByMoney;
    TThostFtdcRatioType MarginRateByVolume;
    TThostFtdcVolumeType StrikeFrozen;
    TThostFtdcMoneyType StrikeFrozenAmount;
    TThostFtdcVolumeType AbandonFrozen;
};

struct CThostFtdcTradingAccountField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcAccountIDType AccountID;
    TThostFtdcMoneyType PreMortgage;
    TThostFtdcMoneyType PreCredit;
    TThostFtdcMoneyType PreDeposit;
    TThostFtdcMoneyType PreBalance;
    TThostFtdcMoneyType PreMargin;
    TThostFtdcMoneyType InterestBase;
    TThostFtdcMoneyType Interest;
    TThostFtdcMoneyType Deposit;
    TThostFtdcMoneyType Withdraw;
    TThostFtdcMoneyType FrozenMargin;
    TThostFtdcMoneyType FrozenCash;
    TThostFtdcMoneyType FrozenCommission;
    TThostFtdcMoneyType CurrMargin;
    TThostFtdcMoneyType CashIn;
    TThostFtdcMoneyType Commission;
    TThostFtdcMoneyType CloseProfit;
    TThostFtdcMoneyType PositionProfit;
    TThostFtdcMoneyType Balance;
    TThostFtdcMoneyType Available;
    TThostFtdcMoneyType WithdrawQuota;
    TThostFtdcMoneyType Reserve;
    TThostFtdcDateType TradingDay;
    TThostFtdcSettlementIDType SettlementID;
    TThostFtdcMoneyType Credit;
    TThostFtdcMoneyType Mortgage;
    TThostFtdcMoneyType ExchangeMargin;
    TThostFtdcMoneyType DeliveryMargin;
    TThostFtdcMoneyType ExchangeDeliveryMargin;
    TThostFtdcMoneyType ReserveBalance;
    TThostFtdcCurrencyIDType CurrencyID;
    TThostFtdcMoneyType PreFundMortgageIn;
    TThostFtdcMoneyType PreFundMortgageOut;
    TThostFtdcMoneyType FundMortgageIn;
    TThostFtdcMoneyType FundMortgageOut;
    TThostFtdcMoneyType FundMortgageAvailable;
    TThostFtdcMoneyType MortgageableFund;
    TThostFtdcMoneyType SpecProductMargin;
    TThostFtdcMoneyType SpecProductFrozenMargin;
    TThostFtdcMoneyType SpecProductCommission;
    TThostFtdcMoneyType SpecProductFrozenCommission;
    TThostFtdcMoneyType SpecProductPositionProfit;
    TThostFtdcMoneyType SpecProductCloseProfit;
    TThostFtdcMoneyType SpecProductPositionProfitByAlg;
    TThostFtdcMoneyType SpecProductExchangeMargin;
};

struct CThostFtdcInstrumentField {
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcInstrumentNameType InstrumentName;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcProductIDType ProductID;
    TThostFtdcProductClassType ProductClass;
    TThostFtdcYearType DeliveryYear;
    TThostFtdcMonthType DeliveryMonth;
    TThostFtdcVolumeType MaxMarketOrderVolume;
    TThostFtdcVolumeType MinMarketOrderVolume;
    TThostFtdcVolumeType MaxLimitOrderVolume;
    TThostFtdcVolumeType MinLimitOrderVolume;
    TThostFtdcVolumeMultipleType VolumeMultiple;
    TThostFtdcPriceType PriceTick;
    TThostFtdcDateType CreateDate;
    TThostFtdcDateType OpenDate;
    TThostFtdcDateType ExpireDate;
    TThostFtdcDateType StartDelivDate;
    TThostFtdcDateType EndDelivDate;
    TThostFtdcInstLifePhaseType InstLifePhase;
    TThostFtdcBoolType IsTrading;
    TThostFtdcPositionTypeType PositionType;
    TThostFtdcPositionDateTypeType PositionDateType;
    TThostFtdcRatioType LongMarginRatio;
    TThostFtdcRatioType ShortMarginRatio;
    TThostFtdcMaxMarginSideAlgorithmType MaxMarginSideAlgorithm;
    TThostFtdcInstrumentIDType UnderlyingInstrID;
    TThostFtdcPriceType StrikePrice;
    TThostFtdcOptionsTypeType OptionsType;
    TThostFtdcUnderlyingMultipleType UnderlyingMultiple;
    TThostFtdcCombinationTypeType CombinationType;
};

struct CThostFtdcInstrumentMarginRateField {
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcInvestorRangeType InvestorRange;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcHedgeFlagType HedgeFlag;
    TThostFtdcRatioType LongMarginRatioByMoney;
    TThostFtdcMoneyType LongMarginRatioByVolume;
    TThostFtdcRatioType ShortMarginRatioByMoney;
    TThostFtdcMoneyType ShortMarginRatioByVolume;
    TThostFtdcBoolType IsRelative;
};

struct CThostFtdcInstrumentCommissionRateField {
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcInvestorRangeType InvestorRange;
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcRatioType OpenRatioByMoney;
    TThostFtdcRatioType OpenRatioByVolume;
    TThostFtdcRatioType CloseRatioByMoney;
    TThostFtdcRatioType CloseRatioByVolume;
    TThostFtdcRatioType CloseTodayRatioByMoney;
    TThostFtdcRatioType CloseTodayRatioByVolume;
};

struct CThostFtdcInstrumentStatusField {
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcSettlementGroupIDType SettlementGroupID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcInstrumentStatusType InstrumentStatus;
    TThostFtdcTradingSegmentSNType TradingSegmentSN;
    TThostFtdcTimeType EnterTime;
    TThostFtdcInstStatusEnterReasonType EnterReason;
};

// Query requests.
struct CThostFtdcQryOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcOrderSysIDType OrderSysID;
    TThostFtdcTimeType InsertTimeStart;
    TThostFtdcTimeType InsertTimeEnd;
};

struct CThostFtdcQryTradeField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcTradeIDType TradeID;
    TThostFtdcTimeType TradeTimeStart;
    TThostFtdcTimeType TradeTimeEnd;
};

struct CThostFtdcQryExecOrderField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcOrderSysIDType ExecOrderSysID;
    TThostFtdcTimeType InsertTimeStart;
    TThostFtdcTimeType InsertTimeEnd;
};

struct CThostFtdcQryInvestorPositionField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
};

struct CThostFtdcQryTradingAccountField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcCurrencyIDType CurrencyID;
    char BizType;
};

struct CThostFtdcQryInstrumentField {
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcProductIDType ProductID;
};

struct CThostFtdcQryInstrumentMarginRateField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcHedgeFlagType HedgeFlag;
};

struct CThostFtdcQryInstrumentCommissionRateField {
    TThostFtdcBrokerIDType BrokerID;
    TThostFtdcInvestorIDType InvestorID;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
};

// Market data.
struct CThostFtdcSpecificInstrumentField {
    TThostFtdcInstrumentIDType InstrumentID;
};

struct CThostFtdcDepthMarketDataField {
    TThostFtdcDateType TradingDay;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcExchangeIDType ExchangeID;
    TThostFtdcExchangeInstIDType ExchangeInstID;
    TThostFtdcPriceType LastPrice;
    TThostFtdcPriceType PreSettlementPrice;
    TThostFtdcPriceType PreClosePrice;
    TThostFtdcLargeVolumeType PreOpenInterest;
    TThostFtdcPriceType OpenPrice;
    TThostFtdcPriceType HighestPrice;
    TThostFtdcPriceType LowestPrice;
    TThostFtdcVolumeType Volume;
    TThostFtdcMoneyType Turnover;
    TThostFtdcLargeVolumeType OpenInterest;
    TThostFtdcPriceType ClosePrice;
    TThostFtdcPriceType SettlementPrice;
    TThostFtdcPriceType UpperLimitPrice;
    TThostFtdcPriceType LowerLimitPrice;
    TThostFtdcRatioType PreDelta;
    TThostFtdcRatioType CurrDelta;
    TThostFtdcTimeType UpdateTime;
    TThostFtdcMillisecType UpdateMillisec;
    TThostFtdcPriceType BidPrice1;
    TThostFtdcVolumeType BidVolume1;
    TThostFtdcPriceType AskPrice1;
    TThostFtdcVolumeType AskVolume1;
    TThostFtdcPriceType BidPrice2;
    TThostFtdcVolumeType BidVolume2;
    TThostFtdcPriceType AskPrice2;
    TThostFtdcVolumeType AskVolume2;
    TThostFtdcPriceType BidPrice3;
    TThostFtdcVolumeType BidVolume3;
    TThostFtdcPriceType AskPrice3;
    TThostFtdcVolumeType AskVolume3;
    TThostFtdcPriceType BidPrice4;
    TThostFtdcVolumeType BidVolume4;
    TThostFtdcPriceType AskPrice4;
    TThostFtdcVolumeType AskVolume4;
    TThostFtdcPriceType BidPrice5;
    TThostFtdcVolumeType BidVolume5;
    TThostFtdcPriceType AskPrice5;
    TThostFtdcVolumeType AskVolume5;
    TThostFtdcPriceType AveragePrice;
    TThostFtdcDateType ActionDay;
};

struct CThostFtdcForQuoteRspField {
    TThostFtdcDateType TradingDay;
    TThostFtdcInstrumentIDType InstrumentID;
    TThostFtdcOrderSysIDType ForQuoteSysID;
    TThostFtdcTimeType ForQuoteTime;
    TThostFtdcDateType ActionDay;
    TThostFtdcExchangeIDType ExchangeID;
};

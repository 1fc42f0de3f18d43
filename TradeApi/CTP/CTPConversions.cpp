#include "TradeApi/CTP/CTPConversions.h"

#include "FTD/CTPCodes.h"
#include "Utils/FieldText.h"
#include "Utils/GbkToUtf8.h"

#include <cstdio>
#include <cstring>

namespace Tesmora {
namespace TradeApi {

using Utils::FieldText;

namespace Codes = FTD::CTPCodes;

std::string ConvertFreeText(const char* text, bool convert) {
    return convert ? Utils::GbkToUtf8(text) : std::string(text);
}

namespace {

// A message field may be completely filled; convert a terminated copy.
template <size_t N> std::string FreeText(const char (&field)[N], bool convert) {
    return ConvertFreeText(FieldText(field).c_str(), convert);
}

// The members an order report and an order request share, by the same names.
template <class Field> Order OrderRequestPart(const Field& field) {
    Order order;
    order.InvestorID = FieldText(field.InvestorID);
    order.BrokerID = FieldText(field.BrokerID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.OrderRef = FieldText(field.OrderRef);
    order.OrderKind = OrderKind::Normal;
    order.Price = field.LimitPrice;
    order.Volume = field.VolumeTotalOriginal;
    order.PriceCond = Codes::ReadPriceType(field.OrderPriceType);
    order.Direction = Codes::ReadDirection(field.Direction);
    order.OpenCloseType = Codes::ReadOffsetFlag(field.CombOffsetFlag[0]);
    order.TimeCond = Codes::ReadTimeCondition(field.TimeCondition);
    order.VolumeCond = Codes::ReadVolumeCondition(field.VolumeCondition);
    order.HedgeType = Codes::ReadHedgeFlag(field.CombHedgeFlag[0]);
    order.OrderType = 0;
    return order;
}

} // namespace

Order ConvertOrder(const CThostFtdcOrderField& field, bool convert) {
    Order order = OrderRequestPart(field);
    order.FrontID = field.FrontID;
    order.SessionID = field.SessionID;
    order.InsertTime = FieldText(field.InsertTime);
    order.TradingDay = FieldText(field.TradingDay);
    order.OrderID = FieldText(field.OrderSysID);
    order.NoTradedVolume = field.VolumeTotal;
    order.OrderStatus = Codes::ReadOrderStatus(field.OrderStatus);
    order.StatusMsg = FreeText(field.StatusMsg, convert);
    return order;
}

Order ConvertExecOrder(const CThostFtdcExecOrderField& field, bool convert) {
    Order order;
    order.InvestorID = FieldText(field.InvestorID);
    order.BrokerID = FieldText(field.BrokerID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.FrontID = field.FrontID;
    order.SessionID = field.SessionID;
    order.InsertTime = FieldText(field.InsertTime);
    order.TradingDay = FieldText(field.TradingDay);
    order.OrderKind = OrderKind::Exercise;
    order.OrderRef = FieldText(field.ExecOrderRef);
    order.OrderID = FieldText(field.ExecOrderSysID);
    order.Volume = field.Volume;
    order.OpenCloseType = Codes::ReadOffsetFlag(field.OffsetFlag);
    order.HedgeType = Codes::ReadHedgeFlag(field.HedgeFlag);
    order.ExecResult = Codes::ReadExecResult(field.ExecResult);
    order.StatusMsg = FreeText(field.StatusMsg, convert);
    return order;
}

Order ConvertInputOrder(const CThostFtdcInputOrderField& field, const CThostFtdcRspInfoField* rspInfo,
                        int frontID, int sessionID, bool convert) {
    Order order = OrderRequestPart(field);
    order.NoTradedVolume = field.VolumeTotalOriginal;
    order.OrderStatus = OrderStatus::Rejected;
    order.FrontID = frontID;
    order.SessionID = sessionID;
    if (rspInfo != nullptr) {
        order.StatusMsg = FreeText(rspInfo->ErrorMsg, convert);
    }
    return order;
}

Order ConvertInputOrderAction(const CThostFtdcInputOrderActionField& field,
                              const CThostFtdcRspInfoField* rspInfo, bool convert) {
    Order order;
    order.InvestorID = FieldText(field.InvestorID);
    order.BrokerID = FieldText(field.BrokerID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.OrderRef = FieldText(field.OrderRef);
    order.FrontID = field.FrontID;
    order.SessionID = field.SessionID;
    order.OrderKind = OrderKind::Normal;
    order.OrderID = FieldText(field.OrderSysID);
    order.ActionType = Codes::ReadActionFlag(field.ActionFlag);
    order.Price = field.LimitPrice;
    order.Volume = field.VolumeChange;
    order.OrderType = 0;
    if (rspInfo != nullptr && rspInfo->ErrorID != 0) {
        order.OrderStatus = OrderStatus::Rejected;
        order.StatusMsg = FreeText(rspInfo->ErrorMsg, convert);
    }
    return order;
}

Order ConvertInputExecOrder(const CThostFtdcInputExecOrderField& field, const CThostFtdcRspInfoField* rspInfo,
                            bool convert) {
    Order order;
    order.InvestorID = FieldText(field.InvestorID);
    order.BrokerID = FieldText(field.BrokerID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.OrderKind = OrderKind::Exercise;
    order.OrderRef = FieldText(field.ExecOrderRef);
    order.Volume = field.Volume;
    order.OpenCloseType = Codes::ReadOffsetFlag(field.OffsetFlag);
    order.HedgeType = Codes::ReadHedgeFlag(field.HedgeFlag);
    order.OrderStatus = OrderStatus::Rejected;
    if (rspInfo != nullptr) {
        order.StatusMsg = FreeText(rspInfo->ErrorMsg, convert);
    }
    return order;
}

TradeOrder ConvertTrade(const CThostFtdcTradeField& field) {
    TradeOrder trade;
    trade.ExchangeID = FieldText(field.ExchangeID);
    trade.InstrumentID = FieldText(field.InstrumentID);
    trade.TradeID = FieldText(field.TradeID);
    trade.Price = field.Price;
    trade.Volume = field.Volume;
    trade.TradeTime = FieldText(field.TradeTime);
    trade.TradingDay = FieldText(field.TradingDay);
    trade.Direction = Codes::ReadDirection(field.Direction);
    trade.OrderID = FieldText(field.OrderSysID);
    trade.OpenCloseType = Codes::ReadOffsetFlag(field.OffsetFlag);
    return trade;
}

Position ConvertPosition(const CThostFtdcInvestorPositionField& field) {
    Position position;
    position.InstrumentID = FieldText(field.InstrumentID);
    position.PreSettlementPrice = field.PreSettlementPrice;
    position.Direction = Codes::ReadPosiDirection(field.PosiDirection);
    if (field.PositionDate == '1') {
        position.TodayVolume = field.TodayPosition;
        // int32 arithmetic as the front's own members, wrapping rather than overflowing.
        position.YesterdayVolume = int32_t(uint32_t(field.Position) - uint32_t(field.TodayPosition));
    } else {
        position.TodayVolume = 0;
        position.YesterdayVolume = field.Position;
    }
    position.InitialYesterdayVolume = field.YdPosition;
    return position;
}

Account ConvertAccount(const CThostFtdcTradingAccountField& field) {
    Account account;
    account.PreBalance = field.PreBalance;
    account.PreCredit = field.PreCredit;
    account.PreMortgage = field.PreMortgage;
    account.Mortgage = field.Mortgage;
    account.Withdraw = field.Withdraw;
    account.Deposit = field.Deposit;
    account.CloseProfit = field.CloseProfit;
    account.PositionProfit = field.PositionProfit;
    account.Commission = field.Commission;
    account.Balance = field.Balance;
    account.CurrMargin = field.CurrMargin;
    account.DeliveryMargin = field.DeliveryMargin;
    account.FrozenMargin = field.FrozenMargin;
    account.FrozenCommission = field.FrozenCommission;
    account.FrozenCash = field.FrozenCash;
    account.Available = field.Available;
    return account;
}

Instrument ConvertInstrument(const CThostFtdcInstrumentField& field, bool convert) {
    Instrument instrument;
    instrument.InstrumentID = FieldText(field.InstrumentID);
    instrument.ExchangeID = FieldText(field.ExchangeID);
    instrument.ExchangeInstID = FieldText(field.ExchangeInstID);
    instrument.ProductID = FieldText(field.ProductID);
    instrument.CreateDate = FieldText(field.CreateDate);
    instrument.OpenDate = FieldText(field.OpenDate);
    instrument.ExpireDate = FieldText(field.ExpireDate);
    instrument.StartDelivDate = FieldText(field.StartDelivDate);
    instrument.EndDelivDate = FieldText(field.EndDelivDate);
    instrument.MaxMarketOrderVolume = field.MaxMarketOrderVolume;
    instrument.MinMarketOrderVolume = field.MinMarketOrderVolume;
    instrument.MaxLimitOrderVolume = field.MaxLimitOrderVolume;
    instrument.MinLimitOrderVolume = field.MinLimitOrderVolume;
    instrument.PriceTick = field.PriceTick;
    instrument.StrikePrice = field.StrikePrice;
    instrument.InstrumentName = FreeText(field.InstrumentName, convert);
    instrument.ProductType = Codes::ReadProductClass(field.ProductClass);
    instrument.DeliveryYear = std::to_string(field.DeliveryYear);
    instrument.DeliveryMonth = std::to_string(field.DeliveryMonth);
    instrument.VolumeMultiple = double(field.VolumeMultiple);
    instrument.IsTrading = field.IsTrading != 0;
    instrument.MaxMarginSideAlgorithm = field.MaxMarginSideAlgorithm == '1';
    instrument.OptionsType = Codes::ReadOptionsType(field.OptionsType);
    return instrument;
}

Tick ConvertDepthMarketData(const CThostFtdcDepthMarketDataField& field) {
    Tick tick;
    tick.InstrumentID = FieldText(field.InstrumentID);
    tick.ExchangeID = FieldText(field.ExchangeID);
    tick.ExchangeInstID = FieldText(field.ExchangeInstID);
    tick.TradingDay = FieldText(field.TradingDay);
    tick.ActionDay = FieldText(field.ActionDay);
    // "%.2lf" of the milliseconds as seconds, without its leading digit: 500
    // gives ".50"; 999 rounds to "1.00" and so gives ".00".
    char fraction[32];
    std::snprintf(fraction, sizeof fraction, "%.2lf", field.UpdateMillisec * 0.001);
    tick.UpdateTime = FieldText(field.UpdateTime) + (fraction + 1);
    tick.PreClosePrice = field.PreClosePrice;
    tick.PreSettlementPrice = field.PreSettlementPrice;
    tick.PreOpenInterest = field.PreOpenInterest;
    tick.UpperLimitPrice = field.UpperLimitPrice;
    tick.LowerLimitPrice = field.LowerLimitPrice;
    tick.PreDelta = field.PreDelta;
    tick.CurrDelta = field.CurrDelta;
    tick.LastPrice = field.LastPrice;
    const double bidPrices[] = {field.BidPrice1, field.BidPrice2, field.BidPrice3, field.BidPrice4,
                                field.BidPrice5};
    const int bidVolumes[] = {field.BidVolume1, field.BidVolume2, field.BidVolume3, field.BidVolume4,
                              field.BidVolume5};
    const double askPrices[] = {field.AskPrice1, field.AskPrice2, field.AskPrice3, field.AskPrice4,
                                field.AskPrice5};
    const int askVolumes[] = {field.AskVolume1, field.AskVolume2, field.AskVolume3, field.AskVolume4,
                              field.AskVolume5};
    for (int level = 0; level < 5; ++level) {
        tick.BidPrice[level] = bidPrices[level];
        tick.BidVolume[level] = bidVolumes[level];
        tick.AskPrice[level] = askPrices[level];
        tick.AskVolume[level] = askVolumes[level];
    }
    tick.AveragePrice = field.AveragePrice;
    tick.OpenPrice = field.OpenPrice;
    tick.HighestPrice = field.HighestPrice;
    tick.LowestPrice = field.LowestPrice;
    tick.Turnover = field.Turnover;
    tick.Volume = field.Volume;
    tick.OpenInterest = field.OpenInterest;
    tick.ClosePrice = field.ClosePrice;
    tick.SettlementPrice = field.SettlementPrice;
    return tick;
}

namespace {

void SetIfUnset(double& target, double value) {
    if (UnsetDouble(target)) {
        target = value;
    }
}

} // namespace

void MergeMarginRate(Instrument& instrument, const CThostFtdcInstrumentMarginRateField& field) {
    MarginRate* target = nullptr;
    switch (field.HedgeFlag) {
    case '1':
        target = &instrument.SpeculationMargin;
        break;
    case '2':
        target = &instrument.ArbitrageMargin;
        break;
    case '3':
        target = &instrument.HedgeMargin;
        break;
    default:
        return;
    }
    SetIfUnset(target->LongRatioByMoney, field.LongMarginRatioByMoney);
    SetIfUnset(target->LongRatioByVolume, field.LongMarginRatioByVolume);
    SetIfUnset(target->ShortRatioByMoney, field.ShortMarginRatioByMoney);
    SetIfUnset(target->ShortRatioByVolume, field.ShortMarginRatioByVolume);
}

void MergeCommissionRate(Instrument& instrument, const CThostFtdcInstrumentCommissionRateField& field) {
    SetIfUnset(instrument.OpenRatioByMoney, field.OpenRatioByMoney);
    SetIfUnset(instrument.CloseRatioByMoney, field.CloseRatioByMoney);
    SetIfUnset(instrument.CloseTodayRatioByMoney, field.CloseTodayRatioByMoney);
    SetIfUnset(instrument.OpenRatioByVolume, field.OpenRatioByVolume);
    SetIfUnset(instrument.CloseRatioByVolume, field.CloseRatioByVolume);
    SetIfUnset(instrument.CloseTodayRatioByVolume, field.CloseTodayRatioByVolume);
}

} // namespace TradeApi
} // namespace Tesmora

#include "FTD/ProxyRecords.h"

#include "FTD/CTPCodes.h"
#include "Utils/FieldText.h"

#include <cstdint>

namespace Tesmora {
namespace FTD {

using Utils::CopyText;
using Utils::FieldText;
namespace Codes = CTPCodes;

namespace {

int32_t Low32(int64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// The order members an order report and an insertion request share.
template <class Field>
void FillOrderRequest(Field& field, const TradeApi::Order& order, const std::string& orderRef) {
    CopyText(field.InstrumentID, order.InstrumentID);
    CopyText(field.OrderRef, orderRef);
    field.OrderPriceType = Codes::WritePriceType(order.PriceCond);
    field.Direction = Codes::WriteDirection(order.Direction);
    field.CombOffsetFlag[0] = Codes::WriteOffsetFlag(order.OpenCloseType);
    field.CombHedgeFlag[0] = Codes::WriteHedgeFlag(order.HedgeType);
    field.LimitPrice = order.Price;
    field.VolumeTotalOriginal = Low32(order.Volume);
    field.TimeCondition = Codes::WriteTimeCondition(order.TimeCond);
    field.VolumeCondition = Codes::WriteVolumeCondition(order.VolumeCond);
    field.MinVolume = Low32(order.MinVolume);
    field.ContingentCondition = THOST_FTDC_CC_Immediately;
    CopyText(field.ExchangeID, order.ExchangeID);
}

} // namespace

CThostFtdcOrderField OrderFieldFrom(const TradeApi::Order& order, const std::string& clientOrderRef) {
    CThostFtdcOrderField field{};
    FillOrderRequest(field, order, clientOrderRef);
    CopyText(field.BrokerID, order.BrokerID);
    CopyText(field.InvestorID, order.InvestorID);
    CopyText(field.TradingDay, order.TradingDay);
    CopyText(field.OrderSysID, order.OrderID);
    field.OrderStatus = Codes::WriteOrderStatus(order.OrderStatus);
    field.VolumeTotal = Low32(order.NoTradedVolume);
    CopyText(field.InsertTime, order.InsertTime);
    field.FrontID = Low32(order.FrontID);
    field.SessionID = Low32(order.SessionID);
    CopyText(field.StatusMsg, order.StatusMsg);
    return field;
}

CThostFtdcExecOrderField ExecOrderFieldFrom(const TradeApi::Order& order, const std::string& clientOrderRef) {
    CThostFtdcExecOrderField field{};
    CopyText(field.BrokerID, order.BrokerID);
    CopyText(field.InvestorID, order.InvestorID);
    CopyText(field.InstrumentID, order.InstrumentID);
    CopyText(field.ExecOrderRef, clientOrderRef);
    field.Volume = Low32(order.Volume);
    field.OffsetFlag = Codes::WriteOffsetFlag(order.OpenCloseType);
    field.HedgeFlag = Codes::WriteHedgeFlag(order.HedgeType);
    CopyText(field.ExchangeID, order.ExchangeID);
    CopyText(field.TradingDay, order.TradingDay);
    CopyText(field.InsertTime, order.InsertTime);
    field.FrontID = Low32(order.FrontID);
    field.SessionID = Low32(order.SessionID);
    CopyText(field.StatusMsg, order.StatusMsg);
    return field;
}

CThostFtdcInputOrderField InputOrderFieldFrom(const TradeApi::Order& order,
                                              const std::string& clientOrderRef) {
    CThostFtdcInputOrderField field{};
    FillOrderRequest(field, order, clientOrderRef);
    field.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
    field.IsAutoSuspend = 0;
    field.UserForceClose = 0;
    return field;
}

CThostFtdcTradeField TradeFieldFrom(const TradeApi::TradeOrder& trade) {
    CThostFtdcTradeField field{};
    CopyText(field.InstrumentID, trade.InstrumentID);
    CopyText(field.ExchangeID, trade.ExchangeID);
    CopyText(field.TradeID, trade.TradeID);
    field.Direction = Codes::WriteDirection(trade.Direction);
    CopyText(field.OrderSysID, trade.OrderID);
    field.OffsetFlag = Codes::WriteOffsetFlag(trade.OpenCloseType);
    field.Price = trade.Price;
    field.Volume = Low32(trade.Volume);
    CopyText(field.TradeTime, trade.TradeTime);
    CopyText(field.TradingDay, trade.TradingDay);
    return field;
}

CThostFtdcInvestorPositionField PositionFieldFrom(const TradeApi::Position& position) {
    CThostFtdcInvestorPositionField field{};
    CopyText(field.InstrumentID, position.InstrumentID);
    CopyText(field.BrokerID, position.BrokerID);
    CopyText(field.InvestorID, position.InvestorID);
    field.PosiDirection = Codes::WritePosiDirection(position.Direction);
    field.YdPosition = Low32(position.InitialYesterdayVolume);
    field.Position = Low32(position.TodayVolume + position.YesterdayVolume);
    field.PreSettlementPrice = position.PreSettlementPrice;
    field.TodayPosition = Low32(position.TodayVolume);
    return field;
}

CThostFtdcInstrumentField InstrumentFieldFrom(const TradeApi::Instrument& instrument) {
    CThostFtdcInstrumentField field{};
    CopyText(field.InstrumentID, instrument.InstrumentID);
    CopyText(field.ExchangeID, instrument.ExchangeID);
    CopyText(field.InstrumentName, instrument.InstrumentName);
    CopyText(field.ExchangeInstID, instrument.ExchangeInstID);
    CopyText(field.ProductID, instrument.ProductID);
    field.ProductClass = Codes::WriteProductClass(instrument.ProductType);
    field.MaxMarketOrderVolume = Low32(instrument.MaxMarketOrderVolume);
    field.MinMarketOrderVolume = Low32(instrument.MinMarketOrderVolume);
    field.MaxLimitOrderVolume = Low32(instrument.MaxLimitOrderVolume);
    field.MinLimitOrderVolume = Low32(instrument.MinLimitOrderVolume);
    // Truncated toward zero; a multiplier beyond the int range has no wire form.
    const double multiple = instrument.VolumeMultiple;
    field.VolumeMultiple =
        multiple >= -2147483648.0 && multiple < 2147483648.0 ? static_cast<int32_t>(multiple) : 0;
    field.PriceTick = instrument.PriceTick;
    CopyText(field.CreateDate, instrument.CreateDate);
    CopyText(field.OpenDate, instrument.OpenDate);
    CopyText(field.ExpireDate, instrument.ExpireDate);
    CopyText(field.StartDelivDate, instrument.StartDelivDate);
    CopyText(field.EndDelivDate, instrument.EndDelivDate);
    field.IsTrading = instrument.IsTrading ? 1 : 0;
    field.MaxMarginSideAlgorithm = Codes::WriteBool(instrument.MaxMarginSideAlgorithm);
    return field;
}

CThostFtdcTradingAccountField AccountFieldFrom(const TradeApi::Account& account) {
    CThostFtdcTradingAccountField field{};
    field.PreMortgage = account.PreMortgage;
    field.PreCredit = account.PreCredit;
    field.PreBalance = account.PreBalance;
    field.Deposit = account.Deposit;
    field.Withdraw = account.Withdraw;
    field.FrozenMargin = account.FrozenMargin;
    field.FrozenCash = account.FrozenCash;
    field.FrozenCommission = account.FrozenCommission;
    field.CurrMargin = account.CurrMargin;
    field.Commission = account.Commission;
    field.CloseProfit = account.CloseProfit;
    field.PositionProfit = account.PositionProfit;
    field.Balance = account.Balance;
    field.Available = account.Available;
    field.Mortgage = account.Mortgage;
    field.DeliveryMargin = account.DeliveryMargin;
    return field;
}

CThostFtdcInstrumentMarginRateField MarginRateFieldFrom(const TradeApi::Instrument& instrument) {
    CThostFtdcInstrumentMarginRateField field{};
    const TradeApi::MarginRate* rate = &instrument.SpeculationMargin;
    field.HedgeFlag = THOST_FTDC_HF_Speculation;
    if (!TradeApi::UnsetDouble(instrument.ArbitrageMargin.LongRatioByMoney)) {
        rate = &instrument.ArbitrageMargin;
        field.HedgeFlag = THOST_FTDC_HF_Arbitrage;
    } else if (!TradeApi::UnsetDouble(instrument.HedgeMargin.LongRatioByMoney)) {
        rate = &instrument.HedgeMargin;
        field.HedgeFlag = THOST_FTDC_HF_Hedge;
    }
    field.LongMarginRatioByMoney = rate->LongRatioByMoney;
    field.LongMarginRatioByVolume = rate->LongRatioByVolume;
    field.ShortMarginRatioByMoney = rate->ShortRatioByMoney;
    field.ShortMarginRatioByVolume = rate->ShortRatioByVolume;
    return field;
}

CThostFtdcInstrumentCommissionRateField CommissionRateFieldFrom(const TradeApi::Instrument& instrument) {
    CThostFtdcInstrumentCommissionRateField field{};
    field.OpenRatioByMoney = instrument.OpenRatioByMoney;
    field.OpenRatioByVolume = instrument.OpenRatioByVolume;
    field.CloseRatioByMoney = instrument.CloseRatioByMoney;
    field.CloseRatioByVolume = instrument.CloseRatioByVolume;
    field.CloseTodayRatioByMoney = instrument.CloseTodayRatioByMoney;
    field.CloseTodayRatioByVolume = instrument.CloseTodayRatioByVolume;
    return field;
}

CThostFtdcDepthMarketDataField DepthMarketDataFieldFrom(const TradeApi::Tick& tick) {
    CThostFtdcDepthMarketDataField field{};
    CopyText(field.TradingDay, tick.TradingDay);
    CopyText(field.InstrumentID, tick.InstrumentID);
    field.LastPrice = tick.LastPrice;
    field.PreSettlementPrice = tick.PreSettlementPrice;
    field.PreClosePrice = tick.PreClosePrice;
    field.PreOpenInterest = tick.PreOpenInterest;
    field.OpenPrice = tick.OpenPrice;
    field.HighestPrice = tick.HighestPrice;
    field.LowestPrice = tick.LowestPrice;
    field.Volume = Low32(tick.LastVolume);
    field.Turnover = tick.Turnover;
    field.OpenInterest = tick.OpenInterest;
    field.ClosePrice = tick.ClosePrice;
    field.SettlementPrice = tick.SettlementPrice;
    field.UpperLimitPrice = tick.UpperLimitPrice;
    field.LowerLimitPrice = tick.LowerLimitPrice;
    field.PreDelta = tick.PreDelta;
    field.CurrDelta = tick.CurrDelta;
    CopyText(field.UpdateTime, tick.UpdateTime);
    // "hh:mm:ss.ff": the hundredths after the point, as milliseconds.
    const std::string& time = tick.UpdateTime;
    if (time.size() >= 3 && time[time.size() - 3] == '.') {
        const char tens = time[time.size() - 2];
        const char ones = time[time.size() - 1];
        if (tens >= '0' && tens <= '9' && ones >= '0' && ones <= '9') {
            field.UpdateMillisec = ((tens - '0') * 10 + (ones - '0')) * 10;
        }
    }
    field.BidPrice1 = tick.BidPrice[0];
    field.BidVolume1 = Low32(tick.BidVolume[0]);
    field.AskPrice1 = tick.AskPrice[0];
    field.AskVolume1 = Low32(tick.AskVolume[0]);
    field.AveragePrice = tick.AveragePrice;
    CopyText(field.ActionDay, tick.ActionDay);
    return field;
}

bool OrderFromInputOrder(const CThostFtdcInputOrderField& field, TradeApi::Order& order) {
    if (field.Direction != THOST_FTDC_D_Buy && field.Direction != THOST_FTDC_D_Sell) {
        return false;
    }
    order = TradeApi::Order();
    order.BrokerID = FieldText(field.BrokerID);
    order.InvestorID = FieldText(field.InvestorID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.PriceCond = Codes::ReadPriceType(field.OrderPriceType);
    order.Direction = Codes::ReadDirection(field.Direction);
    order.OpenCloseType = Codes::ReadOffsetFlag(field.CombOffsetFlag[0]);
    order.HedgeType = Codes::ReadHedgeFlag(field.CombHedgeFlag[0]);
    order.TimeCond = Codes::ReadTimeCondition(field.TimeCondition);
    order.VolumeCond = Codes::ReadVolumeCondition(field.VolumeCondition);
    order.Price = field.LimitPrice;
    order.Volume = field.VolumeTotalOriginal;
    order.MinVolume = field.MinVolume;
    return true;
}

TradeApi::Order OrderFromInputOrderAction(const CThostFtdcInputOrderActionField& field) {
    TradeApi::Order order;
    order.ActionType = Codes::ReadActionFlag(field.ActionFlag);
    order.ExchangeID = FieldText(field.ExchangeID);
    order.InstrumentID = FieldText(field.InstrumentID);
    order.OrderID = FieldText(field.OrderSysID);
    order.Price = field.LimitPrice;
    order.Volume = field.VolumeChange;
    order.FrontID = field.FrontID;
    order.SessionID = field.SessionID;
    return order;
}

} // namespace FTD
} // namespace Tesmora

#include "sim/Exchange.h"

#include "Utils/FieldText.h"
#include "sim/Trace.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Tesmora {
namespace Sim {

using Utils::CopyText;
using Utils::FieldText;

namespace {

constexpr double PriceEpsilon = 1e-7;
constexpr char LongSide = THOST_FTDC_PD_Long;
constexpr char ShortSide = THOST_FTDC_PD_Short;
constexpr char TodayRow = THOST_FTDC_PSD_Today;
constexpr char HistoryRow = THOST_FTDC_PSD_History;

// The status messages of order returns, GBK as fronts send them.
struct StatusText {
    char Status;
    const char* Message;
};
const StatusText StatusTexts[] = {
    {THOST_FTDC_OST_AllTraded, "\xc8\xab\xb2\xbf\xb3\xc9\xbd\xbb"}, // all traded
    // part traded, queueing
    {THOST_FTDC_OST_PartTradedQueueing,
     "\xb2\xbf\xb7\xd6\xb3\xc9\xbd\xbb\xbb\xb9\xd4\xda\xb6\xd3\xc1\xd0\xd6\xd0"},
    // part traded, not queueing
    {THOST_FTDC_OST_PartTradedNotQueueing,
     "\xb2\xbf\xb7\xd6\xb3\xc9\xbd\xbb\xb2\xbb\xd4\xda\xb6\xd3\xc1\xd0\xd6\xd0"},
    // no trade, queueing
    {THOST_FTDC_OST_NoTradeQueueing, "\xce\xb4\xb3\xc9\xbd\xbb\xbb\xb9\xd4\xda\xb6\xd3\xc1\xd0\xd6\xd0"},
    {THOST_FTDC_OST_Canceled, "\xd2\xd1\xb3\xb7\xb5\xa5"}, // canceled
};

const char* StatusMessage(char status) {
    for (const StatusText& text : StatusTexts) {
        if (text.Status == status) {
            return text.Message;
        }
    }
    return "";
}

bool IsFinished(char status) {
    return status == THOST_FTDC_OST_AllTraded || status == THOST_FTDC_OST_Canceled;
}

bool Matches(const std::string& filter, const char* value) {
    return filter.empty() || filter == value;
}

// Order references are compared by number when they are numbers, as clients count them.
bool NumericRef(const std::string& ref, long long& value) {
    if (ref.empty() || ref.size() > 12) {
        return false;
    }
    value = 0;
    for (char c : ref) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string RefKey(int frontID, int sessionID, const std::string& ref) {
    return std::to_string(frontID) + ":" + std::to_string(sessionID) + ":" + ref;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Exchanges where a plain close takes yesterday's position only.
bool SplitsCloseToday(const char* exchangeID) {
    return std::strcmp(exchangeID, "SHFE") == 0 || std::strcmp(exchangeID, "INE") == 0;
}

double Margin(const InstrumentListing& listing, char direction, double price, int volume) {
    const CThostFtdcInstrumentMarginRateField& rate = listing.MarginRate;
    const bool buy = direction == THOST_FTDC_D_Buy;
    const double byMoney = buy ? rate.LongMarginRatioByMoney : rate.ShortMarginRatioByMoney;
    const double byVolume = buy ? rate.LongMarginRatioByVolume : rate.ShortMarginRatioByVolume;
    return (price * listing.Field.VolumeMultiple * byMoney + byVolume) * volume;
}

enum class Fee { Open, Close, CloseToday };

double Commission(const InstrumentListing& listing, Fee fee, double price, int volume) {
    const CThostFtdcInstrumentCommissionRateField& rate = listing.CommissionRate;
    double byMoney = rate.OpenRatioByMoney;
    double byVolume = rate.OpenRatioByVolume;
    if (fee == Fee::Close) {
        byMoney = rate.CloseRatioByMoney;
        byVolume = rate.CloseRatioByVolume;
    } else if (fee == Fee::CloseToday) {
        byMoney = rate.CloseTodayRatioByMoney;
        byVolume = rate.CloseTodayRatioByVolume;
    }
    return (price * listing.Field.VolumeMultiple * byMoney + byVolume) * volume;
}

} // namespace

Exchange::Exchange(const SimConfig& config, ExchangeListener& listener)
    : Listener(listener), Listings(BuiltInInstruments()), Day(Now().Date), Model(Listings, config.Seed, Day),
      Books(Listings.size()) {
    for (const SimAccount& account : config.Accounts) {
        const std::string key = KeyOf(account.BrokerID, account.UserID);
        if (!Accounts.emplace(key, Account{account}).second) {
            Trace("account %s/%s given twice: the first one stands", account.BrokerID.c_str(),
                  account.UserID.c_str());
        }
    }
}

std::string Exchange::KeyOf(const std::string& brokerID, const std::string& userID) {
    return brokerID + '\n' + userID;
}

Exchange::Account* Exchange::FindAccount(const std::string& key) {
    const auto found = Accounts.find(key);
    return found != Accounts.end() ? &found->second : nullptr;
}

const Exchange::Account* Exchange::FindAccount(const std::string& key) const {
    const auto found = Accounts.find(key);
    return found != Accounts.end() ? &found->second : nullptr;
}

int Exchange::FindInstrument(const std::string& instrumentID) const {
    for (size_t i = 0; i < Listings.size(); ++i) {
        if (instrumentID == Listings[i].Field.InstrumentID) {
            return int(i);
        }
    }
    return -1;
}

Exchange::Holding* Exchange::FindHolding(const std::string& accountKey, const std::string& instrumentID,
                                         char direction, char date) {
    const auto found = Holdings.find(PositionKey{accountKey, instrumentID, direction, date});
    return found != Holdings.end() ? &found->second : nullptr;
}

Exchange::Holding& Exchange::HoldingRow(const std::string& accountKey, const std::string& instrumentID,
                                        char direction, char date) {
    return Holdings[PositionKey{accountKey, instrumentID, direction, date}];
}

bool Exchange::CheckLogin(const std::string& brokerID, const std::string& userID,
                          const std::string& password) const {
    const Account* account = FindAccount(KeyOf(brokerID, userID));
    return account != nullptr && account->Config.Password == password;
}

std::string Exchange::MaxOrderRef(const std::string& brokerID, const std::string& userID) const {
    const Account* account = FindAccount(KeyOf(brokerID, userID));
    return std::to_string(account != nullptr ? account->MaxOrderRef : 0);
}

// ---------------------------------------------------------------- accounts

double Exchange::PositionProfit(const std::string& accountKey) const {
    double profit = 0;
    for (const auto& entry : Holdings) {
        const Holding& holding = entry.second;
        if (std::get<0>(entry.first) != accountKey || holding.Position == 0) {
            continue;
        }
        const int index = FindInstrument(std::get<1>(entry.first));
        const double value = Model.Quote(size_t(index)).LastPrice *
                             Listings[size_t(index)].Field.VolumeMultiple * holding.Position;
        profit += std::get<2>(entry.first) == LongSide ? value - holding.OpenCost : holding.OpenCost - value;
    }
    return profit;
}

double Exchange::Available(const Account& account, const std::string& key) const {
    const double balance =
        account.Config.Balance + account.CloseProfit + PositionProfit(key) - account.Commission;
    return balance - account.CurrMargin - account.FrozenMargin - account.FrozenCommission;
}

// ---------------------------------------------------------------- orders

Refusal Exchange::CheckOrderFields(const CThostFtdcInputOrderField& input,
                                   const InstrumentListing& listing) const {
    if (input.VolumeTotalOriginal <= 0) {
        return Refusal::BadField;
    }
    if (input.Direction != THOST_FTDC_D_Buy && input.Direction != THOST_FTDC_D_Sell) {
        return Refusal::BadField;
    }
    const char offset = input.CombOffsetFlag[0];
    if (offset != THOST_FTDC_OF_Open && offset != THOST_FTDC_OF_Close && offset != THOST_FTDC_OF_CloseToday &&
        offset != THOST_FTDC_OF_CloseYesterday) {
        return Refusal::BadField;
    }
    if (input.OrderPriceType != THOST_FTDC_OPT_AnyPrice &&
        input.OrderPriceType != THOST_FTDC_OPT_LimitPrice) {
        return Refusal::BadField;
    }
    // The simulated day never ends, so the conditions that keep an order beyond it rest like GFD.
    if (input.TimeCondition < THOST_FTDC_TC_IOC || input.TimeCondition > THOST_FTDC_TC_GTC) {
        return Refusal::BadField;
    }
    if (input.VolumeCondition < THOST_FTDC_VC_AV || input.VolumeCondition > THOST_FTDC_VC_CV) {
        return Refusal::BadField;
    }
    if (input.VolumeCondition == THOST_FTDC_VC_MV &&
        (input.MinVolume <= 0 || input.MinVolume > input.VolumeTotalOriginal)) {
        return Refusal::BadField;
    }
    if (input.OrderPriceType == THOST_FTDC_OPT_LimitPrice) {
        if (!OnGrid(input.LimitPrice, listing.Field.PriceTick)) {
            return Refusal::PriceOffGrid;
        }
        if (input.LimitPrice > listing.UpperLimitPrice + PriceEpsilon ||
            input.LimitPrice < listing.LowerLimitPrice - PriceEpsilon) {
            return Refusal::PriceOutsideLimits;
        }
    }
    return Refusal::None;
}

Refusal Exchange::InsertOrder(const OrderOwner& owner, CThostFtdcInputOrderField& input,
                              std::string& orderSysID) {
    const std::string key = KeyOf(owner.BrokerID, owner.UserID);
    Account* account = FindAccount(key);
    if (account == nullptr) {
        return Refusal::NotLoggedIn;
    }
    std::string ref = FieldText(input.OrderRef);
    if (ref.empty()) {
        ref = std::to_string(account->MaxOrderRef + 1);
        CopyText(input.OrderRef, ref);
    }
    long long number = 0;
    if (NumericRef(ref, number)) {
        account->MaxOrderRef = std::max(account->MaxOrderRef, number);
    }
    // A second order under one reference could never be told apart from the first when canceling.
    const std::string refKey = RefKey(owner.FrontID, owner.SessionID, ref);
    if (ByRef.count(refKey) != 0) {
        return Refusal::DuplicateOrderRef;
    }
    const int index = FindInstrument(FieldText(input.InstrumentID));
    if (index < 0) {
        return Refusal::UnknownInstrument;
    }
    const InstrumentListing& listing = Listings[size_t(index)];
    if (const Refusal refusal = CheckOrderFields(input, listing); refusal != Refusal::None) {
        return refusal;
    }

    const bool buy = input.Direction == THOST_FTDC_D_Buy;
    const bool open = input.CombOffsetFlag[0] == THOST_FTDC_OF_Open;
    const int volume = input.VolumeTotalOriginal;
    const std::string instrumentID = listing.Field.InstrumentID;

    // A closing order holds back the lots it closes, so that working orders never close more than is held.
    int frozenYd = 0;
    int frozenToday = 0;
    if (!open) {
        const char side = buy ? ShortSide : LongSide;
        const Holding* today = FindHolding(key, instrumentID, side, TodayRow);
        const Holding* history = FindHolding(key, instrumentID, side, HistoryRow);
        const int todayFree = today != nullptr ? today->Position - today->Frozen : 0;
        const int historyFree = history != nullptr ? history->Position - history->Frozen : 0;
        switch (input.CombOffsetFlag[0]) {
        case THOST_FTDC_OF_CloseToday:
            frozenToday = volume;
            break;
        case THOST_FTDC_OF_CloseYesterday:
            frozenYd = volume;
            break;
        default:
            frozenYd = SplitsCloseToday(listing.Field.ExchangeID) ? volume : std::min(volume, historyFree);
            frozenToday = volume - frozenYd;
            break;
        }
        if (frozenYd > historyFree || frozenToday > todayFree) {
            return Refusal::CloseExceedsPosition;
        }
    }

    // Funds are held at the order's own price, or at the limit a market order could reach.
    const double freezePrice = input.OrderPriceType == THOST_FTDC_OPT_LimitPrice ? input.LimitPrice
                               : buy                                             ? listing.UpperLimitPrice
                                                                                 : listing.LowerLimitPrice;
    const double marginPerLot = open ? Margin(listing, input.Direction, freezePrice, 1) : 0.0;
    const double commissionPerLot = open ? Commission(listing, Fee::Open, freezePrice, 1)
                                         : std::max(Commission(listing, Fee::Close, freezePrice, 1),
                                                    Commission(listing, Fee::CloseToday, freezePrice, 1));
    if ((marginPerLot + commissionPerLot) * volume > Available(*account, key) + PriceEpsilon) {
        return Refusal::InsufficientFunds;
    }

    const WallTime now = Now();
    Orders.emplace_back();
    Order& order = Orders.back();
    order.AccountKey = key;
    order.Instrument = size_t(index);
    order.Rests = input.OrderPriceType == THOST_FTDC_OPT_LimitPrice &&
                  input.TimeCondition != THOST_FTDC_TC_IOC && input.VolumeCondition != THOST_FTDC_VC_CV;
    order.FrozenMarginPerLot = marginPerLot;
    order.FrozenCommissionPerLot = commissionPerLot;
    order.FrozenYd = frozenYd;
    order.FrozenToday = frozenToday;
    account->FrozenMargin += marginPerLot * volume;
    account->FrozenCommission += commissionPerLot * volume;
    if (frozenYd > 0) {
        FindHolding(key, instrumentID, buy ? ShortSide : LongSide, HistoryRow)->Frozen += frozenYd;
    }
    if (frozenToday > 0) {
        FindHolding(key, instrumentID, buy ? ShortSide : LongSide, TodayRow)->Frozen += frozenToday;
    }

    CThostFtdcOrderField& f = order.Field;
    std::memset(&f, 0, sizeof f);
    CopyText(f.BrokerID, owner.BrokerID);
    CopyText(f.InvestorID, owner.UserID);
    CopyText(f.UserID, owner.UserID);
    CopyText(f.InstrumentID, instrumentID);
    CopyText(f.OrderRef, ref);
    f.OrderPriceType = input.OrderPriceType;
    f.Direction = input.Direction;
    std::memcpy(f.CombOffsetFlag, input.CombOffsetFlag, sizeof f.CombOffsetFlag);
    std::memcpy(f.CombHedgeFlag, input.CombHedgeFlag, sizeof f.CombHedgeFlag);
    if (f.CombHedgeFlag[0] == '\0') {
        f.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
    }
    f.LimitPrice = input.LimitPrice;
    f.VolumeTotalOriginal = volume;
    f.TimeCondition = input.TimeCondition;
    std::memcpy(f.GTDDate, input.GTDDate, sizeof f.GTDDate);
    f.VolumeCondition = input.VolumeCondition;
    f.MinVolume = input.MinVolume;
    f.ContingentCondition = input.ContingentCondition;
    f.StopPrice = input.StopPrice;
    f.ForceCloseReason = input.ForceCloseReason;
    f.IsAutoSuspend = input.IsAutoSuspend;
    std::memcpy(f.BusinessUnit, input.BusinessUnit, sizeof f.BusinessUnit);
    f.RequestID = input.RequestID;
    const int sysID = NextOrderSysID++;
    orderSysID = std::to_string(sysID);
    CopyText(f.OrderSysID, orderSysID);
    CopyText(f.OrderLocalID, orderSysID);
    std::memcpy(f.ExchangeID, listing.Field.ExchangeID, sizeof f.ExchangeID);
    std::memcpy(f.ExchangeInstID, listing.Field.ExchangeInstID, sizeof f.ExchangeInstID);
    CopyText(f.ClientID, owner.UserID);
    f.OrderSubmitStatus = THOST_FTDC_OSS_Accepted;
    CopyText(f.TradingDay, Day);
    f.OrderSource = '0';
    f.OrderType = '0';
    f.VolumeTraded = 0;
    f.VolumeTotal = volume;
    CopyText(f.InsertDate, Day);
    CopyText(f.InsertTime, now.Time);
    CopyText(f.UpdateTime, now.Time);
    f.SequenceNo = sysID;
    f.BrokerOrderSeq = sysID;
    f.FrontID = owner.FrontID;
    f.SessionID = owner.SessionID;
    BySysID[orderSysID] = &order;
    ByRef[refKey] = &order;

    MatchIncoming(order);
    return Refusal::None;
}

int Exchange::Fillable(const Order& order) const {
    const bool buy = order.Field.Direction == THOST_FTDC_D_Buy;
    const bool market = order.Field.OrderPriceType == THOST_FTDC_OPT_AnyPrice;
    const double limit = order.Field.LimitPrice;
    const auto reaches = [&](double price) {
        return market || (buy ? price <= limit + PriceEpsilon : price >= limit - PriceEpsilon);
    };
    int volume = 0;
    const Book& book = Books[order.Instrument];
    for (const Order* resting : buy ? book.Asks : book.Bids) {
        if (!reaches(resting->Field.LimitPrice)) {
            break;
        }
        volume += resting->Field.VolumeTotal;
    }
    const CThostFtdcDepthMarketDataField& quote = Model.Quote(order.Instrument);
    if (reaches(buy ? quote.AskPrice1 : quote.BidPrice1)) {
        volume += buy ? quote.AskVolume1 : quote.BidVolume1;
    }
    return volume;
}

void Exchange::MatchIncoming(Order& order) {
    CThostFtdcOrderField& f = order.Field;
    const bool buy = f.Direction == THOST_FTDC_D_Buy;
    const bool market = f.OrderPriceType == THOST_FTDC_OPT_AnyPrice;
    const int needed = f.VolumeCondition == THOST_FTDC_VC_CV   ? f.VolumeTotalOriginal
                       : f.VolumeCondition == THOST_FTDC_VC_MV ? f.MinVolume
                                                               : 0;
    if (needed > 0 && Fillable(order) < needed) {
        Finish(order, THOST_FTDC_OST_Canceled);
        return;
    }
    const auto reaches = [&](double price) {
        return market || (buy ? price <= f.LimitPrice + PriceEpsilon : price >= f.LimitPrice - PriceEpsilon);
    };

    // The book first: every fill at the resting order's price.
    std::vector<Order*>& opposite = buy ? Books[order.Instrument].Asks : Books[order.Instrument].Bids;
    while (f.VolumeTotal > 0 && !opposite.empty() && reaches(opposite.front()->Field.LimitPrice)) {
        Order& resting = *opposite.front();
        const double price = resting.Field.LimitPrice;
        const int volume = std::min(f.VolumeTotal, resting.Field.VolumeTotal);
        Fill(resting, price, volume);
        Fill(order, price, volume);
        if (resting.Field.VolumeTotal == 0) {
            opposite.erase(opposite.begin());
        }
    }

    // Then the simulated market at its opposite best, as far as that level's volume goes.
    CThostFtdcDepthMarketDataField& quote = Model.Quote(order.Instrument);
    double& price = buy ? quote.AskPrice1 : quote.BidPrice1;
    int& available = buy ? quote.AskVolume1 : quote.BidVolume1;
    if (f.VolumeTotal > 0 && available > 0 && reaches(price)) {
        const int volume = std::min(f.VolumeTotal, available);
        available -= volume;
        Fill(order, price, volume);
    }

    if (f.VolumeTotal == 0) {
        return;
    }
    if (!order.Rests) {
        Finish(order, THOST_FTDC_OST_Canceled);
        return;
    }
    AddToBook(order);
    if (f.VolumeTraded == 0) {
        Emit(order, THOST_FTDC_OST_NoTradeQueueing);
    }
}

void Exchange::Fill(Order& order, double price, int volume) {
    CThostFtdcOrderField& f = order.Field;
    const InstrumentListing& listing = Listings[order.Instrument];
    Account& account = *FindAccount(order.AccountKey);
    const std::string instrumentID = listing.Field.InstrumentID;
    const double amount = price * listing.Field.VolumeMultiple * volume;

    account.FrozenMargin -= order.FrozenMarginPerLot * volume;
    account.FrozenCommission -= order.FrozenCommissionPerLot * volume;
    if (f.CombOffsetFlag[0] == THOST_FTDC_OF_Open) {
        const char side = f.Direction == THOST_FTDC_D_Buy ? LongSide : ShortSide;
        Holding& holding = HoldingRow(order.AccountKey, instrumentID, side, TodayRow);
        const double margin = Margin(listing, f.Direction, price, volume);
        const double commission = Commission(listing, Fee::Open, price, volume);
        holding.Position += volume;
        holding.OpenVolume += volume;
        holding.OpenAmount += amount;
        holding.OpenCost += amount;
        holding.UseMargin += margin;
        holding.Commission += commission;
        account.CurrMargin += margin;
        account.Commission += commission;
    } else {
        // Yesterday's lots go first, as a plain close takes them first.
        const int fromHistory = std::min(volume, order.FrozenYd);
        if (fromHistory > 0) {
            Close(account, order, HistoryRow, price, fromHistory);
            order.FrozenYd -= fromHistory;
        }
        if (volume > fromHistory) {
            Close(account, order, TodayRow, price, volume - fromHistory);
            order.FrozenToday -= volume - fromHistory;
        }
    }

    const WallTime now = Now();
    f.VolumeTraded += volume;
    f.VolumeTotal -= volume;
    CThostFtdcTradeField trade{};
    std::memcpy(trade.BrokerID, f.BrokerID, sizeof trade.BrokerID);
    std::memcpy(trade.InvestorID, f.InvestorID, sizeof trade.InvestorID);
    std::memcpy(trade.InstrumentID, f.InstrumentID, sizeof trade.InstrumentID);
    std::memcpy(trade.OrderRef, f.OrderRef, sizeof trade.OrderRef);
    std::memcpy(trade.UserID, f.UserID, sizeof trade.UserID);
    std::memcpy(trade.ExchangeID, f.ExchangeID, sizeof trade.ExchangeID);
    CopyText(trade.TradeID, std::to_string(NextTradeID++));
    trade.Direction = f.Direction;
    std::memcpy(trade.OrderSysID, f.OrderSysID, sizeof trade.OrderSysID);
    std::memcpy(trade.ClientID, f.ClientID, sizeof trade.ClientID);
    std::memcpy(trade.ExchangeInstID, f.ExchangeInstID, sizeof trade.ExchangeInstID);
    trade.OffsetFlag = f.CombOffsetFlag[0];
    trade.HedgeFlag = f.CombHedgeFlag[0];
    trade.Price = price;
    trade.Volume = volume;
    CopyText(trade.TradeDate, Day);
    CopyText(trade.TradeTime, now.Time);
    trade.TradeType = '0';
    std::memcpy(trade.OrderLocalID, f.OrderLocalID, sizeof trade.OrderLocalID);
    trade.SequenceNo = NextSequence++;
    CopyText(trade.TradingDay, Day);
    trade.BrokerOrderSeq = f.BrokerOrderSeq;
    Trades.push_back(trade);

    CopyText(f.UpdateTime, now.Time);
    const char status = f.VolumeTotal == 0 ? THOST_FTDC_OST_AllTraded
                        : order.Rests      ? THOST_FTDC_OST_PartTradedQueueing
                                           : THOST_FTDC_OST_PartTradedNotQueueing;
    Emit(order, status);
    Listener.OnTrade(trade);
}

void Exchange::Close(Account& account, Order& order, char date, double price, int volume) {
    const InstrumentListing& listing = Listings[order.Instrument];
    const char side = order.Field.Direction == THOST_FTDC_D_Buy ? ShortSide : LongSide;
    Holding& holding = *FindHolding(order.AccountKey, listing.Field.InstrumentID, side, date);
    const double multiple = listing.Field.VolumeMultiple;
    const double costPerLot = holding.OpenCost / holding.Position;
    const double value = price * multiple * volume;
    const double profit = side == LongSide ? value - costPerLot * volume : costPerLot * volume - value;
    const double margin = holding.UseMargin * volume / holding.Position;
    const double commission =
        Commission(listing, date == TodayRow ? Fee::CloseToday : Fee::Close, price, volume);
    holding.Position -= volume;
    holding.Frozen -= volume;
    holding.CloseVolume += volume;
    holding.CloseAmount += value;
    holding.CloseProfit += profit;
    holding.Commission += commission;
    holding.OpenCost -= costPerLot * volume;
    holding.UseMargin -= margin;
    if (holding.Position == 0) {
        // Nothing held carries neither cost nor margin, whatever the rounding left.
        holding.OpenCost = 0;
        holding.UseMargin = 0;
    }
    account.CloseProfit += profit;
    account.CurrMargin -= margin;
    account.Commission += commission;
}

void Exchange::Finish(Order& order, char status) {
    CThostFtdcOrderField& f = order.Field;
    const int rest = f.VolumeTotal;
    Account& account = *FindAccount(order.AccountKey);
    account.FrozenMargin -= order.FrozenMarginPerLot * rest;
    account.FrozenCommission -= order.FrozenCommissionPerLot * rest;
    const std::string instrumentID = Listings[order.Instrument].Field.InstrumentID;
    const char side = f.Direction == THOST_FTDC_D_Buy ? ShortSide : LongSide;
    if (order.FrozenYd > 0) {
        FindHolding(order.AccountKey, instrumentID, side, HistoryRow)->Frozen -= order.FrozenYd;
        order.FrozenYd = 0;
    }
    if (order.FrozenToday > 0) {
        FindHolding(order.AccountKey, instrumentID, side, TodayRow)->Frozen -= order.FrozenToday;
        order.FrozenToday = 0;
    }
    const WallTime now = Now();
    CopyText(f.UpdateTime, now.Time);
    if (status == THOST_FTDC_OST_Canceled) {
        CopyText(f.CancelTime, now.Time);
    }
    Emit(order, status);
}

void Exchange::Emit(Order& order, char status) {
    order.Field.OrderStatus = status;
    CopyText(order.Field.StatusMsg, StatusMessage(status));
    Listener.OnOrder(order.Field);
}

void Exchange::AddToBook(Order& order) {
    const bool buy = order.Field.Direction == THOST_FTDC_D_Buy;
    std::vector<Order*>& side = buy ? Books[order.Instrument].Bids : Books[order.Instrument].Asks;
    // After every order at an equal or better price: price first, then time.
    const auto position =
        std::upper_bound(side.begin(), side.end(), &order, [buy](const Order* a, const Order* b) {
            return buy ? a->Field.LimitPrice > b->Field.LimitPrice + PriceEpsilon
                       : a->Field.LimitPrice < b->Field.LimitPrice - PriceEpsilon;
        });
    side.insert(position, &order);
}

void Exchange::RemoveFromBook(Order& order) {
    Book& book = Books[order.Instrument];
    for (std::vector<Order*>* side : {&book.Bids, &book.Asks}) {
        side->erase(std::remove(side->begin(), side->end(), &order), side->end());
    }
}

Refusal Exchange::CancelOrder(const OrderOwner& owner, const CThostFtdcInputOrderActionField& action,
                              std::string& orderSysID) {
    if (action.ActionFlag == THOST_FTDC_AF_Modify) {
        return Refusal::Unsupported;
    }
    if (action.ActionFlag != THOST_FTDC_AF_Delete) {
        return Refusal::BadField;
    }
    Order* order = nullptr;
    const std::string sysID = Trimmed(FieldText(action.OrderSysID));
    if (!sysID.empty()) {
        const auto found = BySysID.find(sysID);
        order = found != BySysID.end() ? found->second : nullptr;
    } else {
        const int frontID = action.FrontID != 0 ? action.FrontID : owner.FrontID;
        const int sessionID = action.SessionID != 0 ? action.SessionID : owner.SessionID;
        const auto found = ByRef.find(RefKey(frontID, sessionID, FieldText(action.OrderRef)));
        order = found != ByRef.end() ? found->second : nullptr;
    }
    // Another investor's order is as unknown to this one as an order that never was.
    if (order == nullptr || order->AccountKey != KeyOf(owner.BrokerID, owner.UserID)) {
        return Refusal::OrderNotFound;
    }
    orderSysID = FieldText(order->Field.OrderSysID);
    if (IsFinished(order->Field.OrderStatus)) {
        return Refusal::OrderFinished;
    }
    RemoveFromBook(*order);
    Finish(*order, THOST_FTDC_OST_Canceled);
    return Refusal::None;
}

// ---------------------------------------------------------------- market

void Exchange::Tick(const WallTime& now) {
    Model.Step(now.Time, now.Millisec);
    for (size_t index = 0; index < Listings.size(); ++index) {
        CThostFtdcDepthMarketDataField& quote = Model.Quote(index);
        // Resting orders the quote now reaches trade at their own price, first level only.
        std::vector<Order*>& bids = Books[index].Bids;
        while (!bids.empty() && quote.AskVolume1 > 0 &&
               quote.AskPrice1 <= bids.front()->Field.LimitPrice + PriceEpsilon) {
            Order& order = *bids.front();
            const int volume = std::min(order.Field.VolumeTotal, quote.AskVolume1);
            quote.AskVolume1 -= volume;
            Fill(order, order.Field.LimitPrice, volume);
            if (order.Field.VolumeTotal == 0) {
                bids.erase(bids.begin());
            }
        }
        std::vector<Order*>& asks = Books[index].Asks;
        while (!asks.empty() && quote.BidVolume1 > 0 &&
               quote.BidPrice1 >= asks.front()->Field.LimitPrice - PriceEpsilon) {
            Order& order = *asks.front();
            const int volume = std::min(order.Field.VolumeTotal, quote.BidVolume1);
            quote.BidVolume1 -= volume;
            Fill(order, order.Field.LimitPrice, volume);
            if (order.Field.VolumeTotal == 0) {
                asks.erase(asks.begin());
            }
        }
    }
}

const CThostFtdcDepthMarketDataField* Exchange::FindQuote(const std::string& instrumentID) const {
    const int index = FindInstrument(instrumentID);
    return index >= 0 ? &Model.Quote(size_t(index)) : nullptr;
}

// ---------------------------------------------------------------- queries

std::vector<CThostFtdcOrderField> Exchange::QueryOrders(const OrderOwner& owner,
                                                        const CThostFtdcQryOrderField& filter) const {
    const std::string key = KeyOf(owner.BrokerID, owner.UserID);
    const std::string instrumentID = FieldText(filter.InstrumentID);
    const std::string exchangeID = FieldText(filter.ExchangeID);
    const std::string sysID = Trimmed(FieldText(filter.OrderSysID));
    std::vector<CThostFtdcOrderField> orders;
    for (const Order& order : Orders) {
        if (order.AccountKey == key && Matches(instrumentID, order.Field.InstrumentID) &&
            Matches(exchangeID, order.Field.ExchangeID) && Matches(sysID, order.Field.OrderSysID)) {
            orders.push_back(order.Field);
        }
    }
    return orders;
}

std::vector<CThostFtdcTradeField> Exchange::QueryTrades(const OrderOwner& owner,
                                                        const CThostFtdcQryTradeField& filter) const {
    const std::string instrumentID = FieldText(filter.InstrumentID);
    const std::string exchangeID = FieldText(filter.ExchangeID);
    const std::string tradeID = Trimmed(FieldText(filter.TradeID));
    std::vector<CThostFtdcTradeField> trades;
    for (const CThostFtdcTradeField& trade : Trades) {
        if (owner.BrokerID == trade.BrokerID && owner.UserID == trade.InvestorID &&
            Matches(instrumentID, trade.InstrumentID) && Matches(exchangeID, trade.ExchangeID) &&
            Matches(tradeID, trade.TradeID)) {
            trades.push_back(trade);
        }
    }
    return trades;
}

std::vector<CThostFtdcInvestorPositionField>
Exchange::QueryPositions(const OrderOwner& owner, const CThostFtdcQryInvestorPositionField& filter) const {
    const std::string key = KeyOf(owner.BrokerID, owner.UserID);
    const std::string instrumentID = FieldText(filter.InstrumentID);
    const std::string exchangeID = FieldText(filter.ExchangeID);
    std::vector<CThostFtdcInvestorPositionField> rows;
    for (const auto& entry : Holdings) {
        if (std::get<0>(entry.first) != key) {
            continue;
        }
        const size_t index = size_t(FindInstrument(std::get<1>(entry.first)));
        const InstrumentListing& listing = Listings[index];
        if (!Matches(instrumentID, listing.Field.InstrumentID) ||
            !Matches(exchangeID, listing.Field.ExchangeID)) {
            continue;
        }
        const Holding& holding = entry.second;
        const char side = std::get<2>(entry.first);
        const char date = std::get<3>(entry.first);
        const double last = Model.Quote(index).LastPrice;
        const double value = last * listing.Field.VolumeMultiple * holding.Position;

        CThostFtdcInvestorPositionField row{};
        std::memcpy(row.InstrumentID, listing.Field.InstrumentID, sizeof row.InstrumentID);
        CopyText(row.BrokerID, owner.BrokerID);
        CopyText(row.InvestorID, owner.UserID);
        row.PosiDirection = side;
        row.HedgeFlag = THOST_FTDC_HF_Speculation;
        row.PositionDate = date;
        row.YdPosition = holding.YdPosition;
        row.Position = holding.Position;
        row.TodayPosition = date == TodayRow ? holding.Position : 0;
        // Working closing orders show on the side that would trade them.
        (side == LongSide ? row.ShortFrozen : row.LongFrozen) = holding.Frozen;
        row.OpenVolume = holding.OpenVolume;
        row.CloseVolume = holding.CloseVolume;
        row.OpenAmount = holding.OpenAmount;
        row.CloseAmount = holding.CloseAmount;
        row.PositionCost = holding.OpenCost;
        row.OpenCost = holding.OpenCost;
        row.UseMargin = holding.UseMargin;
        row.ExchangeMargin = holding.UseMargin;
        row.Commission = holding.Commission;
        row.CloseProfit = holding.CloseProfit;
        row.CloseProfitByDate = holding.CloseProfit;
        row.CloseProfitByTrade = holding.CloseProfit;
        row.PositionProfit = side == LongSide ? value - holding.OpenCost : holding.OpenCost - value;
        row.PreSettlementPrice = listing.PreSettlementPrice;
        row.SettlementPrice = last;
        CopyText(row.TradingDay, Day);
        row.MarginRateByMoney = side == LongSide ? listing.MarginRate.LongMarginRatioByMoney
                                                 : listing.MarginRate.ShortMarginRatioByMoney;
        row.MarginRateByVolume = side == LongSide ? listing.MarginRate.LongMarginRatioByVolume
                                                  : listing.MarginRate.ShortMarginRatioByVolume;
        rows.push_back(row);
    }
    return rows;
}

CThostFtdcTradingAccountField Exchange::QueryAccount(const OrderOwner& owner) const {
    const std::string key = KeyOf(owner.BrokerID, owner.UserID);
    CThostFtdcTradingAccountField field{};
    const Account* account = FindAccount(key);
    if (account == nullptr) {
        return field;
    }
    CopyText(field.BrokerID, owner.BrokerID);
    CopyText(field.AccountID, owner.UserID);
    field.PreBalance = account->Config.Balance;
    field.FrozenMargin = account->FrozenMargin;
    field.FrozenCommission = account->FrozenCommission;
    field.CurrMargin = account->CurrMargin;
    field.ExchangeMargin = account->CurrMargin;
    field.Commission = account->Commission;
    field.CloseProfit = account->CloseProfit;
    field.PositionProfit = PositionProfit(key);
    field.Balance = field.PreBalance + field.Deposit - field.Withdraw + field.CloseProfit +
                    field.PositionProfit - field.Commission;
    field.Available = Available(*account, key);
    field.WithdrawQuota = std::max(0.0, field.Available);
    CopyText(field.TradingDay, Day);
    CopyText(field.CurrencyID, "CNY");
    return field;
}

std::vector<CThostFtdcInstrumentField>
Exchange::QueryInstruments(const CThostFtdcQryInstrumentField& filter) const {
    const std::string instrumentID = FieldText(filter.InstrumentID);
    const std::string exchangeID = FieldText(filter.ExchangeID);
    const std::string exchangeInstID = FieldText(filter.ExchangeInstID);
    const std::string productID = FieldText(filter.ProductID);
    std::vector<CThostFtdcInstrumentField> instruments;
    for (const InstrumentListing& listing : Listings) {
        const CThostFtdcInstrumentField& f = listing.Field;
        if (Matches(instrumentID, f.InstrumentID) && Matches(exchangeID, f.ExchangeID) &&
            Matches(exchangeInstID, f.ExchangeInstID) && Matches(productID, f.ProductID)) {
            instruments.push_back(f);
        }
    }
    return instruments;
}

std::vector<CThostFtdcInstrumentMarginRateField>
Exchange::QueryMarginRates(const OrderOwner& owner,
                           const CThostFtdcQryInstrumentMarginRateField& filter) const {
    const std::string instrumentID = FieldText(filter.InstrumentID);
    std::vector<CThostFtdcInstrumentMarginRateField> rates;
    // Only speculation rates exist.
    if (filter.HedgeFlag != '\0' && filter.HedgeFlag != THOST_FTDC_HF_Speculation) {
        return rates;
    }
    for (const InstrumentListing& listing : Listings) {
        if (Matches(instrumentID, listing.Field.InstrumentID)) {
            CThostFtdcInstrumentMarginRateField rate = listing.MarginRate;
            CopyText(rate.BrokerID, owner.BrokerID);
            CopyText(rate.InvestorID, owner.UserID);
            rates.push_back(rate);
        }
    }
    return rates;
}

std::vector<CThostFtdcInstrumentCommissionRateField>
Exchange::QueryCommissionRates(const OrderOwner& owner,
                               const CThostFtdcQryInstrumentCommissionRateField& filter) const {
    const std::string instrumentID = FieldText(filter.InstrumentID);
    const std::string exchangeID = FieldText(filter.ExchangeID);
    std::vector<CThostFtdcInstrumentCommissionRateField> rates;
    for (const InstrumentListing& listing : Listings) {
        if (Matches(instrumentID, listing.Field.InstrumentID) &&
            Matches(exchangeID, listing.Field.ExchangeID)) {
            CThostFtdcInstrumentCommissionRateField rate = listing.CommissionRate;
            CopyText(rate.BrokerID, owner.BrokerID);
            CopyText(rate.InvestorID, owner.UserID);
            rates.push_back(rate);
        }
    }
    return rates;
}

} // namespace Sim
} // namespace Tesmora

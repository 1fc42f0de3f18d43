#include "TradeApi/CTP/CTPConversions.h"
#include "FTD/CTPCodes.h"
#include "TradeApi/TradeFixture.h"

#include <cmath>

using namespace Tesmora::TradeApi;
using namespace Tesmora::Testing;
namespace Codes = Tesmora::FTD::CTPCodes;

namespace {

struct ReadCase {
    const char* Table;
    int32_t (*Read)(char);
    char Character;
    int32_t Value;
};

struct WriteCase {
    const char* Table;
    char (*Write)(int32_t);
    int32_t Value;
    unsigned char Character;
};

} // namespace

TEST(CTPCodesTest, ReadingCharacters) {
    const ReadCase cases[] = {
        {"direction", Codes::ReadDirection, '0', DirectionType::Buy},
        {"direction", Codes::ReadDirection, '1', DirectionType::Sell},
        {"offset", Codes::ReadOffsetFlag, '0', OpenCloseType::Open},
        {"offset", Codes::ReadOffsetFlag, '1', OpenCloseType::Close},
        {"offset", Codes::ReadOffsetFlag, '2', OpenCloseType::ForceClose},
        {"offset", Codes::ReadOffsetFlag, '3', OpenCloseType::CloseToday},
        {"offset", Codes::ReadOffsetFlag, '4', OpenCloseType::CloseYesterday},
        {"offset", Codes::ReadOffsetFlag, '5', OpenCloseType::ForceOff},
        {"offset", Codes::ReadOffsetFlag, '6', OpenCloseType::LocalForceClose},
        {"offset", Codes::ReadOffsetFlag, 'z', OpenCloseType::Open},
        {"price", Codes::ReadPriceType, '1', PriceCond::MarketPrice},
        {"price", Codes::ReadPriceType, '2', PriceCond::LimitPrice},
        {"price", Codes::ReadPriceType, '3', PriceCond::LimitPrice},
        {"time", Codes::ReadTimeCondition, '1', TimeCond::IOC},
        {"time", Codes::ReadTimeCondition, '2', TimeCond::GFS},
        {"time", Codes::ReadTimeCondition, '3', TimeCond::GFD},
        {"time", Codes::ReadTimeCondition, '4', TimeCond::GTD},
        {"time", Codes::ReadTimeCondition, '5', TimeCond::GTC},
        {"time", Codes::ReadTimeCondition, '6', TimeCond::GFA},
        {"time", Codes::ReadTimeCondition, '9', TimeCond::GFD},
        {"volume", Codes::ReadVolumeCondition, '1', VolumeCond::AnyVolume},
        {"volume", Codes::ReadVolumeCondition, '2', VolumeCond::MinimumVolume},
        {"volume", Codes::ReadVolumeCondition, '3', VolumeCond::AllVolume},
        {"volume", Codes::ReadVolumeCondition, 'x', VolumeCond::AnyVolume},
        {"hedge", Codes::ReadHedgeFlag, '1', HedgeType::Speculation},
        {"hedge", Codes::ReadHedgeFlag, '2', HedgeType::Arbitrage},
        {"hedge", Codes::ReadHedgeFlag, '3', HedgeType::Hedge},
        {"hedge", Codes::ReadHedgeFlag, '4', HedgeType::Speculation},
        {"hedge", Codes::ReadHedgeFlag, '5', HedgeType::MarketMaker},
        {"status", Codes::ReadOrderStatus, '0', OrderStatus::AllTraded},
        {"status", Codes::ReadOrderStatus, '1', OrderStatus::PartTradedQueueing},
        {"status", Codes::ReadOrderStatus, '2', OrderStatus::PartTradedNotQueueing},
        {"status", Codes::ReadOrderStatus, '3', OrderStatus::NoTradeQueueing},
        {"status", Codes::ReadOrderStatus, '4', OrderStatus::NoTradeNotQueueing},
        {"status", Codes::ReadOrderStatus, '5', OrderStatus::Canceled},
        {"status", Codes::ReadOrderStatus, 'a', OrderStatus::Unknown},
        {"status", Codes::ReadOrderStatus, 'b', OrderStatus::NotTouched},
        {"status", Codes::ReadOrderStatus, 'c', OrderStatus::Touched},
        {"status", Codes::ReadOrderStatus, 'q', OrderStatus::Unknown},
        {"action", Codes::ReadActionFlag, '0', ActionType::Cancel},
        {"action", Codes::ReadActionFlag, '3', ActionType::Modify},
        {"action", Codes::ReadActionFlag, '1', ActionType::Insert},
        {"exec", Codes::ReadExecResult, 'n', ExecResult::NoExec},
        {"exec", Codes::ReadExecResult, 'c', ExecResult::Canceled},
        {"exec", Codes::ReadExecResult, '0', ExecResult::OK},
        {"exec", Codes::ReadExecResult, '1', ExecResult::NoPosition},
        {"exec", Codes::ReadExecResult, '2', ExecResult::NoDeposit},
        {"exec", Codes::ReadExecResult, '3', ExecResult::NoParticipant},
        {"exec", Codes::ReadExecResult, '4', ExecResult::NoClient},
        {"exec", Codes::ReadExecResult, '5', ExecResult::Unknown},
        {"exec", Codes::ReadExecResult, '6', ExecResult::NoInstrument},
        {"exec", Codes::ReadExecResult, '7', ExecResult::NoRight},
        {"exec", Codes::ReadExecResult, '8', ExecResult::InvalidVolume},
        {"exec", Codes::ReadExecResult, '9', ExecResult::NoEnoughHistoryTrade},
        {"product", Codes::ReadProductClass, '2', ProductType::Options},
        {"product", Codes::ReadProductClass, '1', ProductType::Futures},
        {"product", Codes::ReadProductClass, '5', ProductType::Futures},
        {"options", Codes::ReadOptionsType, '1', OptionsType::Call},
        {"options", Codes::ReadOptionsType, '2', OptionsType::Put},
        {"options", Codes::ReadOptionsType, '0', UnsetInt32},
        {"position", Codes::ReadPosiDirection, '2', DirectionType::Buy},
        {"position", Codes::ReadPosiDirection, '3', DirectionType::Sell},
        {"position", Codes::ReadPosiDirection, '1', DirectionType::Sell},
        {"instrument status", Codes::ReadInstrumentStatus, '5', InstrumentStatus::AuctionMatch},
        {"instrument status", Codes::ReadInstrumentStatus, '6', InstrumentStatus::Closed},
        {"instrument status", Codes::ReadInstrumentStatus, 'x', InstrumentStatus::Unknown},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(c.Read(c.Character), c.Value) << c.Table << " '" << c.Character << "'";
    }
}

TEST(CTPCodesTest, WritingValues) {
    const WriteCase cases[] = {
        {"direction", Codes::WriteDirection, DirectionType::Buy, '0'},
        {"direction", Codes::WriteDirection, DirectionType::Sell, '1'},
        {"direction", Codes::WriteDirection, 5, 0x00},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::Open, '0'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::Close, '1'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::ForceClose, '2'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::CloseToday, '3'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::CloseYesterday, '4'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::LocalForceClose, '6'},
        {"offset", Codes::WriteOffsetFlag, OpenCloseType::ForceOff, '5'},
        {"offset", Codes::WriteOffsetFlag, 7, 0xFF},
        {"price", Codes::WritePriceType, PriceCond::MarketPrice, '1'},
        {"price", Codes::WritePriceType, PriceCond::LimitPrice, '2'},
        {"price", Codes::WritePriceType, 2, 0xFF},
        {"time", Codes::WriteTimeCondition, TimeCond::IOC, '1'},
        {"time", Codes::WriteTimeCondition, 1, 0xFF},
        {"time", Codes::WriteTimeCondition, 2, 0xFF},
        {"time", Codes::WriteTimeCondition, TimeCond::GFD, '3'},
        {"time", Codes::WriteTimeCondition, TimeCond::GFS, '2'},
        {"time", Codes::WriteTimeCondition, TimeCond::GTD, '4'},
        {"time", Codes::WriteTimeCondition, TimeCond::GTC, '5'},
        {"time", Codes::WriteTimeCondition, TimeCond::GFA, '6'},
        {"time", Codes::WriteTimeCondition, 8, 0xFF},
        {"volume", Codes::WriteVolumeCondition, VolumeCond::AnyVolume, '1'},
        {"volume", Codes::WriteVolumeCondition, VolumeCond::MinimumVolume, '2'},
        {"volume", Codes::WriteVolumeCondition, VolumeCond::AllVolume, '3'},
        {"volume", Codes::WriteVolumeCondition, 3, 0xFF},
        {"hedge", Codes::WriteHedgeFlag, HedgeType::Speculation, '1'},
        {"hedge", Codes::WriteHedgeFlag, HedgeType::Arbitrage, '2'},
        {"hedge", Codes::WriteHedgeFlag, HedgeType::Hedge, '3'},
        {"hedge", Codes::WriteHedgeFlag, HedgeType::MarketMaker, '5'},
        {"hedge", Codes::WriteHedgeFlag, 4, 0xFF},
        {"status", Codes::WriteOrderStatus, OrderStatus::AllTraded, '0'},
        {"status", Codes::WriteOrderStatus, OrderStatus::NoTradeNotQueueing, '4'},
        {"status", Codes::WriteOrderStatus, 6, 'a'},
        {"status", Codes::WriteOrderStatus, OrderStatus::Canceled, '5'},
        {"status", Codes::WriteOrderStatus, OrderStatus::NotTouched, 'b'},
        {"status", Codes::WriteOrderStatus, OrderStatus::Touched, 'c'},
        {"status", Codes::WriteOrderStatus, OrderStatus::Unknown, 'a'},
        {"status", Codes::WriteOrderStatus, OrderStatus::Rejected, 'a'},
        {"status", Codes::WriteOrderStatus, 12, 'a'},
        {"action", Codes::WriteActionFlag, ActionType::Cancel, '0'},
        {"action", Codes::WriteActionFlag, ActionType::Modify, '3'},
        {"position", Codes::WritePosiDirection, DirectionType::Buy, '2'},
        {"position", Codes::WritePosiDirection, DirectionType::Sell, '3'},
        {"product", Codes::WriteProductClass, ProductType::Futures, '1'},
        {"product", Codes::WriteProductClass, ProductType::Options, '2'},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(static_cast<unsigned char>(c.Write(c.Value)), c.Character) << c.Table << " " << c.Value;
    }
    EXPECT_EQ(Codes::WriteBool(true), '1');
    EXPECT_EQ(Codes::WriteBool(false), '0');
}

TEST(CTPConversionsTest, OrderReportKeepsItsCodesThroughARoundTrip) {
    CThostFtdcOrderField field{};
    field.CombOffsetFlag[0] = '5';
    field.CombHedgeFlag[0] = '4';
    field.TimeCondition = '2';
    field.OrderStatus = 'a';
    field.Direction = '0';
    Order order = ConvertOrder(field, false);
    EXPECT_EQ(order.OpenCloseType, OpenCloseType::ForceOff);
    EXPECT_EQ(order.HedgeType, HedgeType::Speculation);
    EXPECT_EQ(order.TimeCond, TimeCond::GFS);
    EXPECT_EQ(order.OrderStatus, OrderStatus::Unknown);
    EXPECT_EQ(Codes::WriteOffsetFlag(order.OpenCloseType), '5');
    field.CombOffsetFlag[0] = '6';
    order = ConvertOrder(field, false);
    EXPECT_EQ(order.OpenCloseType, OpenCloseType::LocalForceClose);
    EXPECT_EQ(Codes::WriteOffsetFlag(order.OpenCloseType), '6');
    EXPECT_EQ(Codes::WriteTimeCondition(order.TimeCond), '2');
}

TEST(CTPConversionsTest, FreeTextsAreConvertedOnlyWhenAskedFor) {
    const char gbk[] = "\xB3\xC9\xB9\xA6"; // 成功
    CThostFtdcOrderField order{};
    std::strcpy(order.StatusMsg, gbk);
    EXPECT_EQ(ConvertOrder(order, true).StatusMsg, "\xE6\x88\x90\xE5\x8A\x9F");
    EXPECT_EQ(ConvertOrder(order, false).StatusMsg, gbk);
    CThostFtdcInstrumentField instrument{};
    std::strcpy(instrument.InstrumentName, gbk);
    SetText(instrument.InstrumentID, "rb2105"); // identifiers are never converted
    EXPECT_EQ(ConvertInstrument(instrument, true).InstrumentName, "\xE6\x88\x90\xE5\x8A\x9F");
    EXPECT_EQ(ConvertInstrument(instrument, true).InstrumentID, "rb2105");
    // A text filling its whole field is read without running past it.
    std::memset(order.StatusMsg, 'x', sizeof order.StatusMsg);
    EXPECT_EQ(ConvertOrder(order, false).StatusMsg, std::string(sizeof order.StatusMsg, 'x'));
}

TEST(CTPConversionsTest, PositionVolumesFollowThePositionDate) {
    struct Case {
        char PositionDate;
        int Position, Today, Yesterday;
        int64_t TodayVolume, YesterdayVolume;
    };
    for (const Case& c : {Case{'1', 10, 4, 3, 4, 6}, Case{'2', 10, 4, 3, 0, 10}, Case{'1', 0, 0, 0, 0, 0}}) {
        CThostFtdcInvestorPositionField field{};
        field.PositionDate = c.PositionDate;
        field.Position = c.Position;
        field.TodayPosition = c.Today;
        field.YdPosition = c.Yesterday;
        field.PosiDirection = '1';
        const Position position = ConvertPosition(field);
        EXPECT_EQ(position.TodayVolume, c.TodayVolume);
        EXPECT_EQ(position.YesterdayVolume, c.YesterdayVolume);
        EXPECT_EQ(position.InitialYesterdayVolume, c.Yesterday);
        EXPECT_EQ(position.Direction, DirectionType::Sell); // net
        EXPECT_EQ(position.InvestorID, "");
    }
}

TEST(CTPConversionsTest, InstrumentAndAccountMembers) {
    CThostFtdcInstrumentField field{};
    field.DeliveryMonth = 5;
    field.DeliveryYear = 0;
    field.ProductClass = '2';
    field.OptionsType = '2';
    field.IsTrading = 1;
    field.MaxMarginSideAlgorithm = '1';
    field.MaxLimitOrderVolume = 500;
    field.StrikePrice = 3000;
    const Instrument instrument = ConvertInstrument(field, false);
    EXPECT_EQ(instrument.DeliveryMonth, "5");
    EXPECT_EQ(instrument.DeliveryYear, "0");
    EXPECT_EQ(instrument.ProductType, ProductType::Options);
    EXPECT_EQ(instrument.OptionsType, OptionsType::Put);
    EXPECT_TRUE(instrument.IsTrading);
    EXPECT_TRUE(instrument.MaxMarginSideAlgorithm);
    EXPECT_EQ(instrument.MaxLimitOrderVolume, 500);
    EXPECT_EQ(instrument.StrikePrice, 3000);
    EXPECT_TRUE(std::isnan(instrument.OpenRatioByMoney));
    EXPECT_TRUE(std::isnan(instrument.SpeculationMargin.LongRatioByMoney));

    CThostFtdcTradingAccountField account{};
    account.PreBalance = 1;
    account.PreCredit = 2;
    account.PreMortgage = 3;
    account.Mortgage = 4;
    account.Withdraw = 5;
    account.Deposit = 6;
    account.CloseProfit = 7;
    account.PositionProfit = 8;
    account.Commission = 9;
    account.Balance = 10;
    account.CurrMargin = 11;
    account.DeliveryMargin = 12;
    account.FrozenMargin = 13;
    account.FrozenCommission = 14;
    account.FrozenCash = 15;
    account.Available = 16;
    account.PreDeposit = 99; // not carried
    const Account converted = ConvertAccount(account);
    const double values[] = {
        converted.PreBalance,   converted.PreCredit,        converted.PreMortgage, converted.Mortgage,
        converted.Withdraw,     converted.Deposit,          converted.CloseProfit, converted.PositionProfit,
        converted.Commission,   converted.Balance,          converted.CurrMargin,  converted.DeliveryMargin,
        converted.FrozenMargin, converted.FrozenCommission, converted.FrozenCash,  converted.Available};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(values[i], i + 1.0);
    }
    EXPECT_EQ(converted.ReservedDouble1, 0.0);
}

TEST(CTPConversionsTest, RatesFillOnlyUnsetMembers) {
    Instrument instrument;
    CThostFtdcInstrumentMarginRateField margin{};
    margin.HedgeFlag = '2';
    margin.LongMarginRatioByMoney = 0.12;
    MergeMarginRate(instrument, margin);
    margin.LongMarginRatioByMoney = 0.5;
    MergeMarginRate(instrument, margin);
    EXPECT_EQ(instrument.ArbitrageMargin.LongRatioByMoney, 0.12);
    EXPECT_TRUE(std::isnan(instrument.SpeculationMargin.LongRatioByMoney));
    margin.HedgeFlag = '5';
    MergeMarginRate(instrument, margin);
    EXPECT_TRUE(std::isnan(instrument.HedgeMargin.LongRatioByMoney));

    CThostFtdcInstrumentCommissionRateField commission{};
    commission.CloseTodayRatioByVolume = 3;
    MergeCommissionRate(instrument, commission);
    commission.CloseTodayRatioByVolume = 4;
    MergeCommissionRate(instrument, commission);
    EXPECT_EQ(instrument.CloseTodayRatioByVolume, 3);
}

TEST(CTPConversionsTest, TickUpdateTimeCarriesHundredths) {
    struct Case {
        int Millisec;
        const char* UpdateTime;
    };
    for (const Case& c : {Case{500, "09:30:01.50"}, Case{0, "09:30:01.00"}, Case{999, "09:30:01.00"},
                          Case{123, "09:30:01.12"}}) {
        CThostFtdcDepthMarketDataField field{};
        SetText(field.UpdateTime, "09:30:01");
        field.UpdateMillisec = c.Millisec;
        EXPECT_EQ(ConvertDepthMarketData(field).UpdateTime, c.UpdateTime) << c.Millisec;
    }
}

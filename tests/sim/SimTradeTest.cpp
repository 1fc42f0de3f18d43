#include "sim/SimClients.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <thread>

using namespace Tesmora;
using namespace Tesmora::Testing;

namespace {

const std::map<std::string, std::string> Passwords = {
    {"1001", "123456"}, {"1002", "pass2"}, {"1003", "pass3"}};

constexpr char Buy = THOST_FTDC_D_Buy;
constexpr char Sell = THOST_FTDC_D_Sell;
constexpr char Open = THOST_FTDC_OF_Open;

class SimTrade : public ::testing::Test {
protected:
    SimTrade() : Front(TestConfig()) {}
    void SetUp() override { ASSERT_TRUE(Front.Start()); }

    std::unique_ptr<TraderClient> Trader(const std::string& user = "1001") {
        auto client = std::make_unique<TraderClient>(Front.TradePort());
        client->LoginOrFail(user, Passwords.at(user));
        return client;
    }

    CThostFtdcDepthMarketDataField Quote(const char* instrument) {
        CThostFtdcDepthMarketDataField quote{};
        EXPECT_TRUE(Front.CurrentQuote(instrument, quote));
        return quote;
    }

    // Moves the market until the first ask level of each instrument holds at least `volume`.
    void AskVolumeAtLeast(std::initializer_list<const char*> instruments, int volume) {
        for (int step = 0; step < 1000; ++step) {
            bool enough = true;
            for (const char* instrument : instruments) {
                enough = enough && Quote(instrument).AskVolume1 >= volume;
            }
            if (enough) {
                return;
            }
            Front.Tick();
        }
        FAIL() << "the market never offered " << volume;
    }

    Sim::SimFront Front;
};

// Cancels an order. A refusal is answered; a cancel that succeeds is not, so
// it shows as the order's canceled return. Gives the refusal, or a call with
// ErrorID 0 for a success.
SpiCall Cancel(TraderClient& client, const std::string& orderSysID, const std::string& orderRef = "",
               int frontID = 0, int sessionID = 0) {
    const auto canceledReturns = [&] {
        size_t count = 0;
        for (const SpiCall& call : client.Spi.Named("OnRtnOrder")) {
            count += call.As<CThostFtdcOrderField>().OrderStatus == THOST_FTDC_OST_Canceled;
        }
        return count;
    };
    const size_t before = canceledReturns();
    CThostFtdcInputOrderActionField action{};
    Utils::CopyText(action.BrokerID, "9999");
    Utils::CopyText(action.InvestorID, client.User);
    Utils::CopyText(action.UserID, client.User);
    Utils::CopyText(action.OrderSysID, orderSysID);
    Utils::CopyText(action.ExchangeID, "SHFE");
    Utils::CopyText(action.OrderRef, orderRef);
    action.FrontID = frontID;
    action.SessionID = sessionID;
    action.ActionFlag = THOST_FTDC_AF_Delete;
    const int id = ++client.RequestID;
    EXPECT_EQ(client.Api->ReqOrderAction(&action, id), 0);
    SpiCall answer;
    EXPECT_TRUE(Eventually([&] {
        for (const SpiCall& call : client.Spi.Named("OnRspOrderAction")) {
            if (call.RequestID == id) {
                answer = call;
                return true;
            }
        }
        return canceledReturns() > before;
    }));
    return answer;
}

// Every refusal of one request, or none.
std::vector<SpiCall> InsertAnswers(TraderClient& client, int requestID) {
    std::vector<SpiCall> answers;
    for (const SpiCall& call : client.Spi.Named("OnRspOrderInsert")) {
        if (call.RequestID == requestID) {
            answers.push_back(call);
        }
    }
    return answers;
}

int TradedVolume(const std::vector<CThostFtdcTradeField>& trades) {
    int volume = 0;
    for (const auto& trade : trades) {
        volume += trade.Volume;
    }
    return volume;
}

} // namespace

TEST_F(SimTrade, LoginChecksTheCredentialsAndEveryLoginGetsItsOwnSession) {
    struct Case {
        const char* User;
        const char* Password;
        int ErrorID;
    };
    for (const Case& c : {Case{"1001", "123456", 0}, Case{"1001", "12345", 3}, Case{"4242", "123456", 3}}) {
        SCOPED_TRACE(std::string(c.User) + "/" + c.Password);
        TraderClient client(Front.TradePort());
        const SpiCall answer = client.Login(c.User, c.Password);
        EXPECT_EQ(answer.ErrorID, c.ErrorID);
        if (c.ErrorID != 0) {
            EXPECT_EQ(Utf8(answer.ErrorMsg), u8"CTP:不合法的登录");
            EXPECT_FALSE(answer.HasData);
            // Nothing but a login is served before one succeeds.
            const auto refused =
                client.Query("OnRspQryTradingAccount", &CThostFtdcTraderApi::ReqQryTradingAccount,
                             CThostFtdcQryTradingAccountField{});
            ASSERT_EQ(refused.size(), 1u);
            EXPECT_EQ(refused[0].ErrorID, 4);
            EXPECT_FALSE(refused[0].HasData);
            continue;
        }
        const auto login = answer.As<CThostFtdcRspUserLoginField>();
        EXPECT_EQ(std::string(login.TradingDay).size(), 8u);
        EXPECT_EQ(std::string(login.LoginTime).size(), 8u);
        EXPECT_STREQ(login.SystemName, "Tesmora SimFront");
        EXPECT_STREQ(login.BrokerID, "9999");
        EXPECT_STREQ(login.UserID, "1001");
        EXPECT_EQ(login.FrontID, 1);
        EXPECT_NE(login.SessionID, 0);
        EXPECT_STREQ(login.MaxOrderRef, "0");
    }

    // A second login of the same investor: its own session, the highest reference so far, and the
    // returns of the investor's orders from any session.
    auto first = Trader("1001");
    first->OrderRef = 40;
    const auto quote = Quote("rb2105");
    first->Insert(first->Order("rb2105", Buy, Open, quote.BidPrice1 - 2, 1));
    const auto resting = first->WaitForStatus("41", THOST_FTDC_OST_NoTradeQueueing);
    auto second = Trader("1001");
    EXPECT_NE(second->Session.SessionID, first->Session.SessionID);
    EXPECT_STREQ(second->Session.MaxOrderRef, "41");
    EXPECT_EQ(Cancel(*second, resting.OrderSysID).ErrorID, 0);
    first->WaitForStatus("41", THOST_FTDC_OST_Canceled);
    second->WaitForStatus("41", THOST_FTDC_OST_Canceled);
}

TEST_F(SimTrade, SessionRequestsAreAnsweredAndLogoutEndsTheSession) {
    TraderClient client(Front.TradePort());
    CThostFtdcReqAuthenticateField authenticate{};
    Utils::CopyText(authenticate.BrokerID, "9999");
    Utils::CopyText(authenticate.UserID, "1001");
    Utils::CopyText(authenticate.AppID, "any_app");
    Utils::CopyText(authenticate.AuthCode, "anything");
    ASSERT_EQ(client.Api->ReqAuthenticate(&authenticate, 90), 0);
    const SpiCall authenticated = client.Last("OnRspAuthenticate", 90);
    EXPECT_EQ(authenticated.ErrorID, 0);
    EXPECT_STREQ(authenticated.As<CThostFtdcRspAuthenticateField>().AppID, "any_app");

    client.LoginOrFail();
    CThostFtdcSettlementInfoConfirmField confirm{};
    Utils::CopyText(confirm.BrokerID, "9999");
    Utils::CopyText(confirm.InvestorID, "1001");
    Utils::CopyText(confirm.ConfirmDate, "20210104");
    ASSERT_EQ(client.Api->ReqSettlementInfoConfirm(&confirm, 91), 0);
    const SpiCall confirmed = client.Last("OnRspSettlementInfoConfirm", 91);
    EXPECT_EQ(confirmed.ErrorID, 0);
    EXPECT_STREQ(confirmed.As<CThostFtdcSettlementInfoConfirmField>().ConfirmDate, "20210104");

    const auto investor =
        client.Query("OnRspQryInvestor", &CThostFtdcTraderApi::ReqQryInvestor, CThostFtdcQryInvestorField{});
    ASSERT_EQ(investor.size(), 1u);
    EXPECT_STREQ(investor[0].As<CThostFtdcInvestorField>().InvestorID, "1001");
    EXPECT_EQ(Utf8(investor[0].As<CThostFtdcInvestorField>().InvestorName), u8"模拟投资者 1001");

    CThostFtdcUserLogoutField logout{};
    Utils::CopyText(logout.BrokerID, "9999");
    Utils::CopyText(logout.UserID, "1001");
    ASSERT_EQ(client.Api->ReqUserLogout(&logout, 92), 0);
    const SpiCall loggedOut = client.Last("OnRspUserLogout", 92);
    EXPECT_EQ(loggedOut.ErrorID, 0);
    EXPECT_STREQ(loggedOut.As<CThostFtdcUserLogoutField>().UserID, "1001");
    const auto refused = client.Query("OnRspQryTradingAccount", &CThostFtdcTraderApi::ReqQryTradingAccount,
                                      CThostFtdcQryTradingAccountField{});
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].ErrorID, 4);
}

TEST_F(SimTrade, AFilledOrderChargesTheAccountAndClosingItRealisesTheProfit) {
    auto client = Trader();
    const auto before = Quote("rb2105");
    const double ask = before.AskPrice1;
    const int volume = std::min(3, before.AskVolume1);
    client->Insert(client->Order("rb2105", Buy, Open, ask, volume));

    const auto filled = client->WaitForStatus("1", THOST_FTDC_OST_AllTraded);
    EXPECT_EQ(client->OrderReturns("1").size(), 1u) << "one fill, one return";
    EXPECT_EQ(filled.VolumeTraded, volume);
    EXPECT_EQ(filled.VolumeTotal, 0);
    EXPECT_NE(std::string(filled.OrderSysID), "");
    EXPECT_EQ(filled.FrontID, client->Session.FrontID);
    EXPECT_EQ(filled.SessionID, client->Session.SessionID);
    EXPECT_EQ(Utf8(filled.StatusMsg), u8"全部成交");
    ASSERT_TRUE(Eventually([&] { return client->TradeReturns("1").size() == 1; }));
    const auto trade = client->TradeReturns("1")[0];
    EXPECT_EQ(trade.Price, ask);
    EXPECT_EQ(trade.Volume, volume);
    EXPECT_EQ(trade.Direction, Buy);
    EXPECT_EQ(trade.OffsetFlag, Open);
    EXPECT_STREQ(trade.OrderSysID, filled.OrderSysID);
    EXPECT_NE(std::string(trade.TradeID), "");
    EXPECT_STREQ(trade.TradingDay, client->Session.TradingDay);
    EXPECT_EQ(std::string(trade.TradeTime).size(), 8u);
    EXPECT_EQ(Quote("rb2105").AskVolume1, before.AskVolume1 - volume) << "the fill takes the quote's volume";

    // rb2105: multiple 10, margin 10% of the value, commission 0.01% of it.
    const double last = before.LastPrice;
    const double margin = ask * 10 * volume * 0.10;
    const double openCommission = ask * 10 * volume * 1e-4;
    const double floating = (last - ask) * 10 * volume;
    auto account = client->Account();
    EXPECT_DOUBLE_EQ(account.PreBalance, 1000000.0);
    EXPECT_NEAR(account.CurrMargin, margin, 1e-6);
    EXPECT_NEAR(account.Commission, openCommission, 1e-6);
    EXPECT_NEAR(account.FrozenMargin, 0, 1e-6);
    EXPECT_NEAR(account.FrozenCommission, 0, 1e-6);
    EXPECT_NEAR(account.PositionProfit, floating, 1e-6);
    EXPECT_NEAR(account.Balance, 1000000.0 + floating - openCommission, 1e-6);
    EXPECT_NEAR(account.Available, account.Balance - margin, 1e-6);
    auto positions = client->Positions();
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_STREQ(positions[0].InstrumentID, "rb2105");
    EXPECT_EQ(positions[0].PosiDirection, THOST_FTDC_PD_Long);
    EXPECT_EQ(positions[0].PositionDate, THOST_FTDC_PSD_Today);
    EXPECT_EQ(positions[0].Position, volume);
    EXPECT_EQ(positions[0].TodayPosition, volume);
    EXPECT_EQ(positions[0].YdPosition, 0);
    EXPECT_NEAR(positions[0].UseMargin, margin, 1e-6);
    EXPECT_DOUBLE_EQ(positions[0].PreSettlementPrice, 3500.0);

    const auto now = Quote("rb2105");
    const double bid = now.BidPrice1;
    const int closing = std::min(volume, now.BidVolume1);
    client->Insert(client->Order("rb2105", Sell, THOST_FTDC_OF_CloseToday, bid, closing));
    client->WaitForStatus("2", THOST_FTDC_OST_AllTraded);
    const double closeProfit = (bid - ask) * 10 * closing;
    const double closeCommission = bid * 10 * closing * 1e-4;
    const int left = volume - closing;
    account = client->Account();
    EXPECT_NEAR(account.CloseProfit, closeProfit, 1e-6);
    EXPECT_NEAR(account.Commission, openCommission + closeCommission, 1e-6);
    EXPECT_NEAR(account.CurrMargin, margin * left / volume, 1e-6);
    EXPECT_NEAR(account.Balance,
                1000000.0 + closeProfit + (last - ask) * 10 * left - openCommission - closeCommission, 1e-6);
    positions = client->Positions("rb2105");
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0].Position, left);
    EXPECT_EQ(positions[0].CloseVolume, closing);
    EXPECT_NEAR(positions[0].CloseProfit, closeProfit, 1e-6);
}

TEST_F(SimTrade, ARestingOrderHoldsFundsUntilItIsCanceled) {
    auto client = Trader();
    auto other = Trader("1002");
    const double price = Quote("rb2105").BidPrice1 - 2;
    client->Insert(client->Order("rb2105", Buy, Open, price, 2));
    const auto resting = client->WaitForStatus("1", THOST_FTDC_OST_NoTradeQueueing);
    EXPECT_EQ(Utf8(resting.StatusMsg), u8"未成交还在队列中");
    auto account = client->Account();
    EXPECT_NEAR(account.FrozenMargin, price * 10 * 2 * 0.10, 1e-6);
    EXPECT_NEAR(account.FrozenCommission, price * 10 * 2 * 1e-4, 1e-6);
    EXPECT_NEAR(account.Available, 1000000.0 - account.FrozenMargin - account.FrozenCommission, 1e-6);

    EXPECT_EQ(Cancel(*other, resting.OrderSysID).ErrorID, 25) << "another investor's order is unknown to him";
    EXPECT_EQ(Cancel(*client, resting.OrderSysID).ErrorID, 0);
    const auto canceled = client->WaitForStatus("1", THOST_FTDC_OST_Canceled);
    EXPECT_EQ(Utf8(canceled.StatusMsg), u8"已撤单");
    EXPECT_EQ(canceled.VolumeTraded, 0);
    account = client->Account();
    EXPECT_NEAR(account.FrozenMargin, 0, 1e-6);
    EXPECT_NEAR(account.FrozenCommission, 0, 1e-6);
    EXPECT_NEAR(account.Available, 1000000.0, 1e-6);

    const SpiCall again = Cancel(*client, resting.OrderSysID);
    EXPECT_EQ(again.ErrorID, 26);
    EXPECT_EQ(Utf8(again.ErrorMsg), u8"CTP:报单已全成交或已撤销，不能再撤");
    EXPECT_STREQ(again.As<CThostFtdcInputOrderActionField>().OrderSysID, resting.OrderSysID);
    const SpiCall unknown = Cancel(*client, "987654");
    EXPECT_EQ(unknown.ErrorID, 25);
    EXPECT_EQ(Utf8(unknown.ErrorMsg), u8"CTP:撤单找不到相应报单");

    // Without an OrderSysID the reference of the inserting session finds the order.
    client->Insert(client->Order("rb2105", Buy, Open, price, 1));
    client->WaitForStatus("2", THOST_FTDC_OST_NoTradeQueueing);
    EXPECT_EQ(Cancel(*client, "", "2", client->Session.FrontID, client->Session.SessionID + 1000).ErrorID,
              25);
    EXPECT_EQ(Cancel(*client, "", "2", client->Session.FrontID, client->Session.SessionID).ErrorID, 0);
    client->WaitForStatus("2", THOST_FTDC_OST_Canceled);
}

TEST_F(SimTrade, APartFilledOrderRestsAndFillsWhenTheMarketComesToIt) {
    auto client = Trader();
    const auto quote = Quote("rb2105");
    const int available = quote.AskVolume1;
    client->Insert(client->Order("rb2105", Buy, Open, quote.AskPrice1, available + 3));
    const auto part = client->WaitForStatus("1", THOST_FTDC_OST_PartTradedQueueing);
    EXPECT_EQ(part.VolumeTraded, available);
    EXPECT_EQ(part.VolumeTotal, 3);
    // The trade returns follow the order return.
    EXPECT_TRUE(Eventually([&] { return TradedVolume(client->TradeReturns("1")) == available; }));
    EXPECT_NEAR(client->Account().FrozenMargin, quote.AskPrice1 * 10 * 3 * 0.10, 1e-6);

    // The walk comes back to the order's price sooner or later; it then trades there.
    for (int step = 0; step < 2000; ++step) {
        Front.Tick();
    }
    client->WaitForStatus("1", THOST_FTDC_OST_AllTraded);
    ASSERT_TRUE(Eventually([&] { return TradedVolume(client->TradeReturns("1")) == available + 3; }));
    for (const auto& trade : client->TradeReturns("1")) {
        EXPECT_EQ(trade.Price, quote.AskPrice1);
    }
    EXPECT_NEAR(client->Account().FrozenMargin, 0, 1e-6);
    const auto positions = client->Positions("rb2105");
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_EQ(positions[0].Position, available + 3);
}

namespace {

struct ImmediateCase {
    const char* Name;
    char PriceType;
    double TicksFromAsk; // limit orders
    char TimeCondition;
    char VolumeCondition;
    int ExtraVolume;    // beyond the quote's first level
    bool TakesTheLevel; // else nothing trades
    char FinalStatus;
};

void PrintTo(const ImmediateCase& c, std::ostream* out) {
    *out << c.Name;
}

class SimImmediateOrders : public SimTrade, public ::testing::WithParamInterface<ImmediateCase> {};

} // namespace

TEST_P(SimImmediateOrders, TradeWhatTheyMayAndCancelTheRest) {
    const ImmediateCase& c = GetParam();
    auto client = Trader();
    const auto quote = Quote("m2109");
    auto order =
        client->Order("m2109", Buy, Open, quote.AskPrice1 + c.TicksFromAsk, quote.AskVolume1 + c.ExtraVolume);
    order.OrderPriceType = c.PriceType;
    if (c.PriceType == THOST_FTDC_OPT_AnyPrice) {
        order.LimitPrice = 0;
    }
    order.TimeCondition = c.TimeCondition;
    order.VolumeCondition = c.VolumeCondition;
    client->Insert(order);

    const auto last = client->WaitForStatus("1", c.FinalStatus);
    const int traded = c.TakesTheLevel ? quote.AskVolume1 : 0;
    EXPECT_EQ(last.VolumeTraded, traded);
    EXPECT_EQ(last.VolumeTotal, order.VolumeTotalOriginal - traded);
    EXPECT_EQ(client->OrderReturns("1").back().OrderStatus, c.FinalStatus)
        << "nothing follows the final state";
    ASSERT_TRUE(Eventually([&] { return TradedVolume(client->TradeReturns("1")) == traded; }));
    for (const auto& trade : client->TradeReturns("1")) {
        EXPECT_EQ(trade.Price, quote.AskPrice1);
    }
    const auto account = client->Account();
    EXPECT_NEAR(account.FrozenMargin, 0, 1e-6) << "nothing of the order is left working";
    // m2109: multiple 10, margin 8% of the value.
    EXPECT_NEAR(account.CurrMargin, quote.AskPrice1 * 10 * traded * 0.08, 1e-6);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, SimImmediateOrders, ::testing::Values(
    ImmediateCase{"IocTakesTheLevel",       '2', 0,  '1', '1', 2, true,  '5'},
    ImmediateCase{"IocBelowTheMarket",      '2', -1, '1', '1', 0, false, '5'},
    ImmediateCase{"FokShortOfVolume",       '2', 0,  '1', '3', 1, false, '5'},
    ImmediateCase{"FokWithEnoughVolume",    '2', 0,  '1', '3', 0, true,  '0'},
    ImmediateCase{"FokAsGfdNeverRests",     '2', 0,  '3', '3', 1, false, '5'},
    ImmediateCase{"MarketOrderTakesTheLevel", '1', 0, '1', '1', 4, true,  '5'},
    ImmediateCase{"MarketOrderWithinVolume",  '1', 0, '1', '1', 0, true,  '0'}),
    [](const ::testing::TestParamInfo<ImmediateCase>& info) { return std::string(info.param.Name); });
// clang-format on

TEST_F(SimTrade, RefusedOrdersAreAnsweredWithTheReasonAndLeaveNoTrace) {
    auto client = Trader();
    const auto quote = Quote("rb2105");
    // Margin 10% and commission 0.01% of price * 10 per lot: the most lots the funds hold.
    const int affordableLots = int(1000000.0 / (quote.BidPrice1 * 10 * (0.10 + 1e-4)));
    struct Case {
        const char* Name;
        std::function<void(CThostFtdcInputOrderField&)> Change;
        int ErrorID;
        const char* Message;
    };
    const Case cases[] = {
        {"unknown instrument", [](auto& o) { Utils::CopyText(o.InstrumentID, "xx0000"); }, 16,
         u8"CTP:找不到合约"},
        {"no volume", [](auto& o) { o.VolumeTotalOriginal = 0; }, 15, u8"CTP:报单字段有误"},
        {"negative volume", [](auto& o) { o.VolumeTotalOriginal = -3; }, 15, u8"CTP:报单字段有误"},
        {"no direction", [](auto& o) { o.Direction = 'x'; }, 15, u8"CTP:报单字段有误"},
        {"force close", [](auto& o) { o.CombOffsetFlag[0] = THOST_FTDC_OF_ForceClose; }, 15,
         u8"CTP:报单字段有误"},
        {"price between ticks", [](auto& o) { o.LimitPrice += 0.5; }, 17,
         u8"CTP:报单价格不是最小变动价位的整数倍"},
        {"price between index ticks",
         [](auto& o) {
             Utils::CopyText(o.InstrumentID, "IF2106");
             o.LimitPrice = 5000.1;
         },
         17, u8"CTP:报单价格不是最小变动价位的整数倍"},
        {"above the upper limit", [](auto& o) { o.LimitPrice = 3746; }, 18, u8"CTP:报单价格超出涨跌停板"},
        {"below the lower limit", [](auto& o) { o.LimitPrice = 3254; }, 18, u8"CTP:报单价格超出涨跌停板"},
        {"more than the funds", [&](auto& o) { o.VolumeTotalOriginal = affordableLots + 1; }, 31,
         u8"CTP:资金不足"},
        {"closing nothing", [](auto& o) { o.CombOffsetFlag[0] = THOST_FTDC_OF_CloseToday; }, 30,
         u8"CTP:平仓量超过持仓量"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto order = client->Order("rb2105", Buy, Open, quote.BidPrice1, 1);
        c.Change(order);
        const int id = client->Insert(order);
        const SpiCall answer = client->Last("OnRspOrderInsert", id);
        EXPECT_EQ(answer.ErrorID, c.ErrorID);
        EXPECT_EQ(Utf8(answer.ErrorMsg), c.Message);
        EXPECT_STREQ(answer.As<CThostFtdcInputOrderField>().InstrumentID, order.InstrumentID);
        EXPECT_STREQ(answer.As<CThostFtdcInputOrderField>().OrderRef, order.OrderRef);
        EXPECT_TRUE(client->OrderReturns(order.OrderRef).empty());
    }
    auto affordable = client->Order("rb2105", Buy, Open, quote.BidPrice1, affordableLots);
    const int id = client->Insert(affordable);
    client->WaitForStatus(affordable.OrderRef, THOST_FTDC_OST_NoTradeQueueing);
    EXPECT_TRUE(InsertAnswers(*client, id).empty());
    // One order reference per session: a second order under it could not be canceled apart.
    auto duplicate = client->Order("rb2105", Buy, Open, quote.BidPrice1 - 5, 1);
    Utils::CopyText(duplicate.OrderRef, affordable.OrderRef);
    EXPECT_EQ(client->Last("OnRspOrderInsert", client->Insert(duplicate)).ErrorID, 22);
    EXPECT_EQ(client->OrderReturns(affordable.OrderRef).size(), 1u);
}

TEST_F(SimTrade, ClosingOrdersFollowTheExchangeAndHoldBackWhatTheyClose) {
    auto client = Trader();
    AskVolumeAtLeast({"rb2105", "m2109"}, 2);
    for (const char* instrument : {"rb2105", "m2109"}) {
        client->Insert(client->Order(instrument, Buy, Open, Quote(instrument).AskPrice1, 2));
    }
    client->WaitForStatus("1", THOST_FTDC_OST_AllTraded);
    client->WaitForStatus("2", THOST_FTDC_OST_AllTraded);

    struct Case {
        const char* Name;
        const char* Instrument;
        char Offset;
        int Volume;
        int ErrorID; // 0: accepted, and resting above the market
    };
    const Case cases[] = {
        {"a plain close on SHFE takes yesterday's lots only", "rb2105", THOST_FTDC_OF_Close, 1, 30},
        {"nothing from yesterday", "rb2105", THOST_FTDC_OF_CloseYesterday, 1, 30},
        {"close today", "rb2105", THOST_FTDC_OF_CloseToday, 1, 0},
        {"the working close holds its lot back", "rb2105", THOST_FTDC_OF_CloseToday, 2, 30},
        {"elsewhere a plain close takes today's lots", "m2109", THOST_FTDC_OF_Close, 2, 0},
        {"and holds them back too", "m2109", THOST_FTDC_OF_Close, 1, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto order = client->Order(c.Instrument, Sell, c.Offset, Quote(c.Instrument).AskPrice1 + 5, c.Volume);
        const int id = client->Insert(order);
        if (c.ErrorID != 0) {
            EXPECT_EQ(client->Last("OnRspOrderInsert", id).ErrorID, c.ErrorID);
        } else {
            client->WaitForStatus(order.OrderRef, THOST_FTDC_OST_NoTradeQueueing);
        }
    }
    const auto rb = client->Positions("rb2105");
    ASSERT_EQ(rb.size(), 1u);
    EXPECT_EQ(rb[0].Position, 2);
    EXPECT_EQ(rb[0].ShortFrozen, 1);
    const auto m = client->Positions("m2109");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].ShortFrozen, 2);

    // Canceling the close gives its lot back.
    EXPECT_EQ(Cancel(*client, "", "5", client->Session.FrontID, client->Session.SessionID).ErrorID, 0);
    client->WaitForStatus("5", THOST_FTDC_OST_Canceled);
    auto order = client->Order("rb2105", Sell, THOST_FTDC_OF_CloseToday, Quote("rb2105").AskPrice1 + 5, 2);
    client->Insert(order);
    client->WaitForStatus(order.OrderRef, THOST_FTDC_OST_NoTradeQueueing);
}

TEST_F(SimTrade, InvestorsTradeWithEachOtherByPriceThenTime) {
    auto seller = Trader("1001");
    auto slower = Trader("1002");
    auto buyer = Trader("1003");
    const double price = Quote("rb2105").AskPrice1 + 3;
    seller->Insert(seller->Order("rb2105", Sell, Open, price, 1));
    seller->WaitForStatus("1", THOST_FTDC_OST_NoTradeQueueing);
    slower->Insert(slower->Order("rb2105", Sell, Open, price, 1));
    slower->WaitForStatus("1", THOST_FTDC_OST_NoTradeQueueing);
    seller->Insert(seller->Order("rb2105", Sell, Open, price - 1, 1));
    seller->WaitForStatus("2", THOST_FTDC_OST_NoTradeQueueing);

    buyer->Insert(buyer->Order("rb2105", Buy, Open, price, 2));
    buyer->WaitForStatus("1", THOST_FTDC_OST_AllTraded);
    ASSERT_TRUE(Eventually([&] { return buyer->TradeReturns("1").size() == 2; }));
    EXPECT_EQ(buyer->TradeReturns("1")[0].Price, price - 1) << "the better price first";
    EXPECT_EQ(buyer->TradeReturns("1")[1].Price, price) << "then the earlier order";
    seller->WaitForStatus("2", THOST_FTDC_OST_AllTraded);
    seller->WaitForStatus("1", THOST_FTDC_OST_AllTraded);
    ASSERT_TRUE(Eventually([&] { return seller->Spi.Named("OnRtnTrade").size() == 2; }));
    EXPECT_EQ(seller->TradeReturns("1")[0].Direction, Sell);

    EXPECT_EQ(slower->Positions().size(), 0u);
    EXPECT_EQ(slower->OrderReturns("1").size(), 1u);
    EXPECT_TRUE(slower->Spi.Named("OnRtnTrade").empty());
    for (const SpiCall& call : buyer->Spi.Named("OnRtnOrder")) {
        EXPECT_STREQ(call.As<CThostFtdcOrderField>().InvestorID, "1003") << "each sees only his own orders";
    }
    const auto shortSide = seller->Positions("rb2105");
    ASSERT_EQ(shortSide.size(), 1u);
    EXPECT_EQ(shortSide[0].PosiDirection, THOST_FTDC_PD_Short);
    EXPECT_EQ(shortSide[0].Position, 2);
    const auto longSide = buyer->Positions("rb2105");
    ASSERT_EQ(longSide.size(), 1u);
    EXPECT_EQ(longSide[0].Position, 2);
}

TEST_F(SimTrade, QueriesAnswerWithTheRecordsTheirFiltersSelect) {
    auto client = Trader();
    const auto instruments = [&](const char* instrument, const char* exchange) {
        CThostFtdcQryInstrumentField query{};
        Utils::CopyText(query.InstrumentID, instrument);
        Utils::CopyText(query.ExchangeID, exchange);
        std::vector<std::string> ids;
        const auto answer =
            client->Query("OnRspQryInstrument", &CThostFtdcTraderApi::ReqQryInstrument, query);
        for (const SpiCall& call : answer) {
            if (call.HasData) {
                ids.push_back(call.As<CThostFtdcInstrumentField>().InstrumentID);
            }
        }
        EXPECT_TRUE(answer.back().IsLast);
        return ids;
    };
    EXPECT_EQ(instruments("", "").size(), 5u);
    EXPECT_EQ(instruments("", "SHFE"), (std::vector<std::string>{"rb2105", "cu2106"}));
    EXPECT_EQ(instruments("IF2106", ""), (std::vector<std::string>{"IF2106"}));
    EXPECT_TRUE(instruments("zz9999", "").empty());

    CThostFtdcQryInstrumentField optionQuery{};
    Utils::CopyText(optionQuery.InstrumentID, "m2109-C-3000");
    const auto option =
        client->Query("OnRspQryInstrument", &CThostFtdcTraderApi::ReqQryInstrument, optionQuery)[0]
            .As<CThostFtdcInstrumentField>();
    EXPECT_EQ(option.ProductClass, THOST_FTDC_PC_Options);
    EXPECT_EQ(option.OptionsType, THOST_FTDC_CP_CallOptions);
    EXPECT_EQ(option.StrikePrice, 3000.0);
    EXPECT_STREQ(option.UnderlyingInstrID, "m2109");
    EXPECT_STREQ(option.ExchangeID, "DCE");

    CThostFtdcQryInstrumentMarginRateField marginQuery{};
    Utils::CopyText(marginQuery.InstrumentID, "rb2105");
    const auto margin = client->Query("OnRspQryInstrumentMarginRate",
                                      &CThostFtdcTraderApi::ReqQryInstrumentMarginRate, marginQuery);
    ASSERT_EQ(margin.size(), 1u);
    EXPECT_EQ(margin[0].As<CThostFtdcInstrumentMarginRateField>().HedgeFlag, THOST_FTDC_HF_Speculation);
    EXPECT_EQ(margin[0].As<CThostFtdcInstrumentMarginRateField>().LongMarginRatioByMoney, 0.10);
    EXPECT_STREQ(margin[0].As<CThostFtdcInstrumentMarginRateField>().InvestorID, "1001");
    CThostFtdcQryInstrumentCommissionRateField commissionQuery{};
    Utils::CopyText(commissionQuery.InstrumentID, "cu2106");
    const auto commission =
        client->Query("OnRspQryInstrumentCommissionRate",
                      &CThostFtdcTraderApi::ReqQryInstrumentCommissionRate, commissionQuery);
    ASSERT_EQ(commission.size(), 1u);
    EXPECT_EQ(commission[0].As<CThostFtdcInstrumentCommissionRateField>().OpenRatioByVolume, 3.0);
    EXPECT_EQ(client
                  ->Query("OnRspQryInstrumentCommissionRate",
                          &CThostFtdcTraderApi::ReqQryInstrumentCommissionRate,
                          CThostFtdcQryInstrumentCommissionRateField{})
                  .size(),
              5u);

    // Seven working orders in rb2105 and one filled in cu2106: more than one package of five.
    const double low = Quote("rb2105").BidPrice1 - 3;
    for (int i = 0; i < 7; ++i) {
        client->Insert(client->Order("rb2105", Buy, Open, low - i, 1));
    }
    const auto cu = Quote("cu2106");
    client->Insert(client->Order("cu2106", Buy, Open, cu.AskPrice1, 1));
    client->WaitForStatus("8", THOST_FTDC_OST_AllTraded);
    const auto orders = [&](const char* instrument) {
        CThostFtdcQryOrderField query{};
        Utils::CopyText(query.InstrumentID, instrument);
        return client->Query("OnRspQryOrder", &CThostFtdcTraderApi::ReqQryOrder, query);
    };
    const auto all = orders("");
    ASSERT_EQ(all.size(), 8u);
    for (size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].IsLast, i + 1 == all.size()) << i;
    }
    EXPECT_EQ(all[7].As<CThostFtdcOrderField>().OrderStatus, THOST_FTDC_OST_AllTraded);
    EXPECT_EQ(orders("rb2105").size(), 7u);

    const auto trades = [&](const char* instrument) {
        CThostFtdcQryTradeField query{};
        Utils::CopyText(query.InstrumentID, instrument);
        return client->Query("OnRspQryTrade", &CThostFtdcTraderApi::ReqQryTrade, query);
    };
    const auto cuTrades = trades("cu2106");
    ASSERT_EQ(cuTrades.size(), 1u);
    EXPECT_EQ(cuTrades[0].As<CThostFtdcTradeField>().Price, cu.AskPrice1);
    const auto none = trades("rb2105");
    ASSERT_EQ(none.size(), 1u) << "an empty answer is one callback without a record";
    EXPECT_FALSE(none[0].HasData);
    EXPECT_TRUE(none[0].IsLast);
    EXPECT_EQ(client->Positions("cu2106").size(), 1u);
    EXPECT_TRUE(client->Positions("rb2105").empty());
    const auto exec = client->Query("OnRspQryExecOrder", &CThostFtdcTraderApi::ReqQryExecOrder,
                                    CThostFtdcQryExecOrderField{});
    ASSERT_EQ(exec.size(), 1u);
    EXPECT_FALSE(exec[0].HasData);
}

TEST_F(SimTrade, ConcurrentInvestorsKeepConsistentBooksWhileTheMarketMoves) {
    TraderClient buyer(Front.TradePort());
    buyer.LoginOrFail("1001", "123456");
    TraderClient seller(Front.TradePort());
    seller.LoginOrFail("1002", "pass2");
    const double last = Quote("rb2105").LastPrice;
    constexpr int Orders = 25;
    const auto place = [&](TraderClient& client, char direction) {
        for (int i = 0; i < Orders; ++i) {
            client.Insert(client.Order("rb2105", direction, Open, last + (i % 5) - 2, 1 + i % 3));
        }
    };
    std::atomic<bool> placing{true};
    std::thread market([&] {
        while (placing.load()) {
            Front.Tick();
        }
    });
    std::thread buying([&] { place(buyer, Buy); });
    std::thread selling([&] { place(seller, Sell); });
    buying.join();
    selling.join();
    // Every order has been handled once each has a return; only then is the market stopped.
    for (TraderClient* client : {&buyer, &seller}) {
        EXPECT_TRUE(Eventually([&] {
            std::set<std::string> seen;
            for (const SpiCall& call : client->Spi.Named("OnRtnOrder")) {
                seen.insert(call.As<CThostFtdcOrderField>().OrderRef);
            }
            return seen.size() == size_t(Orders);
        }));
    }
    placing.store(false);
    market.join();

    std::set<std::string> sysIDs;
    for (TraderClient* client : {&buyer, &seller}) {
        SCOPED_TRACE(client->User);
        const auto orders =
            client->Query("OnRspQryOrder", &CThostFtdcTraderApi::ReqQryOrder, CThostFtdcQryOrderField{});
        ASSERT_EQ(orders.size(), size_t(Orders));
        int traded = 0;
        for (const SpiCall& call : orders) {
            traded += call.As<CThostFtdcOrderField>().VolumeTraded;
            sysIDs.insert(call.As<CThostFtdcOrderField>().OrderSysID);
        }
        int inTrades = 0;
        for (const SpiCall& call :
             client->Query("OnRspQryTrade", &CThostFtdcTraderApi::ReqQryTrade, CThostFtdcQryTradeField{})) {
            inTrades += call.HasData ? call.As<CThostFtdcTradeField>().Volume : 0;
        }
        EXPECT_EQ(inTrades, traded);
        int held = 0;
        for (const auto& row : client->Positions()) {
            held += row.Position;
        }
        EXPECT_EQ(held, traded) << "every lot traded is held";
    }
    EXPECT_EQ(sysIDs.size(), size_t(2 * Orders)) << "no OrderSysID is given twice";
}

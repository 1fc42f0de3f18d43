#include "TradeApi/CTP/CTPConversions.h"
#include "TradeApi/TradeFixture.h"

#include <set>
#include <thread>

using namespace Tesmora::TradeApi;
using namespace Tesmora::Testing;

namespace {

using N = NotifyType;
using R = NotifyResult;

Order LimitOrder() {
    Order order;
    order.InstrumentID = "rb2105";
    order.ExchangeID = "SHFE";
    order.Price = 3500.5;
    order.Volume = 3;
    order.Direction = DirectionType::Buy;
    order.OpenCloseType = OpenCloseType::CloseToday;
    order.HedgeType = HedgeType::Hedge;
    order.TimeCond = TimeCond::GFD;
    order.VolumeCond = VolumeCond::MinimumVolume;
    order.MinVolume = 2;
    return order;
}

} // namespace

using CTPTradeOrder = TradeFixture;

TEST_F(CTPTradeOrder, ValidationCollectsEveryFailedCheck) {
    struct Case {
        const char* Name;
        std::function<void(Order&)> Change;
        std::vector<std::string> Codes;
    };
    const std::vector<Case> cases = {
        {"order type", [](Order& o) { o.OrderType = 1; }, {"ErrOrderType"}},
        {"action type", [](Order& o) { o.ActionType = 3; }, {"ErrActionType"}},
        {"default insert", [](Order& o) { o = Order(); }, {"ErrInstrumentID", "ErrPrice"}},
        {"unset volume", [](Order& o) { o.Volume = UnsetInt64; }, {"ErrVolume"}},
        {"largest double is unset", [](Order& o) { o.Price = 1.7976931348623157e308; }, {"ErrPrice"}},
        {"bare cancel",
         [](Order& o) {
             o = Order();
             o.ActionType = ActionType::Cancel;
         },
         {"ErrInstrumentID", "ErrOrderRef", "ErrOrderID", "ErrPrice", "ErrFrontID", "ErrSessionID"}},
        {"cancel without session",
         [](Order& o) {
             o.ActionType = ActionType::Cancel;
             o.OrderRef = "5";
             o.OrderID = "123";
             o.FrontID = 1;
         },
         {"ErrSessionID"}},
    };
    OpenAndLogin();
    for (const Case& c : cases) {
        Listener.Clear();
        Order order = LimitOrder();
        c.Change(order);
        Trade->OrderAction(order);
        EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::OrderAction, R::Failed, c.Codes}})) << c.Name;
    }
    EXPECT_EQ(Api().Count("ReqOrderInsert"), 0u);
    EXPECT_EQ(Api().Count("ReqOrderAction"), 0u);
    Trade->Close();
    Listener.Clear();
    Order order = LimitOrder();
    Trade->OrderAction(order);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::OrderAction, R::Failed, {"ErrNotOpened"}}}));
}

TEST_F(CTPTradeOrder, InsertionAssignsTheReferenceBeforeReturning) {
    OpenAndLogin("12");
    Listener.Clear();
    Order order = LimitOrder();
    Trade->OrderAction(order);
    EXPECT_EQ(order.OrderRef, "13");
    EXPECT_EQ(order.FrontID, 7);
    EXPECT_EQ(order.SessionID, 99);
    EXPECT_EQ(order.NoTradedVolume, 3);
    ASSERT_EQ(Listener.OrderUpdates.size(), 1u); // before OrderAction returned, on this thread
    EXPECT_EQ(Listener.OrderUpdates[0].OrderRef, "13");
    EXPECT_EQ(Listener.OrderUpdates[0].OrderStatus, OrderStatus::Unknown);
    EXPECT_TRUE(Listener.Notes().empty());

    const auto request = Api().Last("ReqOrderInsert").As<CThostFtdcInputOrderField>();
    EXPECT_STREQ(request.BrokerID, "9999");
    EXPECT_STREQ(request.InvestorID, "1001");
    EXPECT_STREQ(request.InstrumentID, "rb2105");
    EXPECT_STREQ(request.OrderRef, "13");
    EXPECT_STREQ(request.ExchangeID, "SHFE");
    EXPECT_STREQ(request.UserID, "");
    EXPECT_EQ(request.OrderPriceType, '2');
    EXPECT_EQ(request.Direction, '0');
    EXPECT_EQ(request.CombOffsetFlag[0], '3');
    EXPECT_EQ(request.CombOffsetFlag[1], '\0');
    EXPECT_EQ(request.CombHedgeFlag[0], '3');
    EXPECT_EQ(request.LimitPrice, 3500.5);
    EXPECT_EQ(request.VolumeTotalOriginal, 3);
    EXPECT_EQ(request.TimeCondition, '3');
    EXPECT_EQ(request.VolumeCondition, '2');
    EXPECT_EQ(request.MinVolume, 2);
    EXPECT_EQ(request.ContingentCondition, '1');
    EXPECT_EQ(request.ForceCloseReason, '0');
    EXPECT_EQ(request.IsAutoSuspend, 0);
    EXPECT_EQ(request.UserForceClose, 0);
    EXPECT_EQ(request.StopPrice, 0.0);
}

TEST_F(CTPTradeOrder, RefusedInsertionKeepsItsReference) {
    OpenAndLogin("12");
    Listener.Clear();
    Api().QueueResult("ReqOrderInsert", -3);
    Order refused = LimitOrder();
    Trade->OrderAction(refused);
    EXPECT_EQ(refused.OrderRef, "13");
    const auto notifications = Listener.Notifications();
    ASSERT_EQ(notifications.size(), 1u);
    EXPECT_EQ(ToNote(notifications[0]), (Note{N::OrderAction, R::Failed, {"ErrTooManyRequests"}}));
    EXPECT_EQ(notifications[0].Errors[0].ProviderCode, "-3");
    EXPECT_TRUE(Listener.OrderUpdates.empty());
    Order next = LimitOrder();
    Trade->OrderAction(next);
    EXPECT_EQ(next.OrderRef, "14");
}

TEST_F(CTPTradeOrder, TimeConditionWithoutCtpCodeIsSentAs0xFFAndTheRefusalComesBack) {
    OpenAndLogin();
    Order order = LimitOrder();
    order.TimeCond = 1;
    Trade->OrderAction(order);
    auto request = Api().Last("ReqOrderInsert").As<CThostFtdcInputOrderField>();
    EXPECT_EQ(static_cast<unsigned char>(request.TimeCondition), 0xFF);
    Listener.Clear();

    auto error = RspInfo(15, "\xB1\xA8\xB5\xA5\xD7\xD6\xB6\xCE\xD3\xD0\xCE\xF3"); // GBK: 报单字段有误
    Trade->OnRspOrderInsert(&request, &error, 5, false);                          // not last: ignored
    EXPECT_TRUE(Listener.Notes().empty());
    Trade->OnRspOrderInsert(&request, &error, 5, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::OrderAction, R::Failed, {"ErrUndefined"}}}));
    ASSERT_EQ(Listener.OrderUpdates.size(), 1u);
    const Order& echo = Listener.OrderUpdates[0];
    EXPECT_EQ(echo.OrderStatus, OrderStatus::Rejected);
    EXPECT_EQ(echo.OrderRef, order.OrderRef);
    EXPECT_EQ(echo.FrontID, 7);
    EXPECT_EQ(echo.SessionID, 99);
    EXPECT_EQ(echo.StatusMsg, error.ErrorMsg); // IsUTF8 is off: the front's bytes unchanged
    EXPECT_EQ(echo.Volume, 3);
    EXPECT_EQ(echo.NoTradedVolume, 3);

    Trade->OnRspOrderInsert(nullptr, nullptr, 6, true);
    EXPECT_EQ(Listener.Notes().back(), (Note{N::OrderAction, R::Failed, {"ErrNullResponce"}}));
}

TEST_F(CTPTradeOrder, CancelBuiltFromAQueriedOrderPassesEveryCheck) {
    OpenAndLogin();
    CThostFtdcOrderField reported{};
    SetText(reported.InstrumentID, "rb2105");
    SetText(reported.ExchangeID, "SHFE");
    SetText(reported.OrderRef, "13");
    SetText(reported.OrderSysID, "      4567");
    reported.FrontID = 7;
    reported.SessionID = 99;
    reported.LimitPrice = 3500;
    reported.VolumeTotalOriginal = 3;
    reported.OrderStatus = '3';
    Trade->OnRspQryOrder(&reported, nullptr, 1, false);
    Trade->OnRspQryOrder(nullptr, nullptr, 1, true);
    ASSERT_EQ(Listener.OrderLists.size(), 1u);
    Order cancel = Listener.OrderLists[0][0];
    cancel.ActionType = ActionType::Cancel;
    Listener.Clear();
    Trade->OrderAction(cancel);
    EXPECT_TRUE(Listener.Notes().empty());
    const auto request = Api().Last("ReqOrderAction").As<CThostFtdcInputOrderActionField>();
    EXPECT_EQ(request.ActionFlag, '0');
    EXPECT_STREQ(request.OrderRef, "13");
    EXPECT_STREQ(request.OrderSysID, "      4567");
    EXPECT_STREQ(request.ExchangeID, "SHFE");
    EXPECT_STREQ(request.InstrumentID, "rb2105");
    EXPECT_EQ(request.FrontID, 7);
    EXPECT_EQ(request.SessionID, 99);
    EXPECT_EQ(request.LimitPrice, 3500);
    EXPECT_EQ(request.VolumeChange, 3);
    EXPECT_EQ(request.OrderActionRef, 0);
    EXPECT_STREQ(request.InvestorID, "1001");

    cancel.ActionType = ActionType::Modify;
    Trade->OrderAction(cancel);
    EXPECT_EQ(Api().Last("ReqOrderAction").As<CThostFtdcInputOrderActionField>().ActionFlag, '3');

    // The front refuses the cancel.
    auto error = RspInfo(26, "already traded");
    Trade->OnRspOrderAction(const_cast<CThostFtdcInputOrderActionField*>(&request), &error, 9, true);
    ASSERT_EQ(Listener.OrderUpdates.size(), 1u);
    EXPECT_EQ(Listener.OrderUpdates[0].OrderStatus, OrderStatus::Rejected);
    EXPECT_EQ(Listener.OrderUpdates[0].ActionType, ActionType::Cancel);
    EXPECT_EQ(Listener.OrderUpdates[0].StatusMsg, "already traded");
    EXPECT_EQ(Listener.OrderUpdates[0].OrderID, "      4567");
}

TEST_F(CTPTradeOrder, ReturnsReachTheListenerOnceEach) {
    OpenAndLogin();
    Listener.Clear();
    CThostFtdcOrderField order{};
    order.OrderStatus = '3';
    SetText(order.OrderRef, "13");
    Trade->OnRtnOrder(&order);
    CThostFtdcTradeField trade{};
    trade.Direction = '1';
    trade.OffsetFlag = '1';
    trade.Price = 3501;
    trade.Volume = 2;
    SetText(trade.TradeID, "T9");
    SetText(trade.OrderSysID, "4567");
    Trade->OnRtnTrade(&trade);
    CThostFtdcExecOrderField exercise{};
    exercise.ExecResult = '5'; // not in the table
    Trade->OnRtnExecOrder(&exercise);
    Trade->OnRtnOrder(nullptr);
    Trade->OnRtnTrade(nullptr);
    Trade->OnRtnExecOrder(nullptr);

    ASSERT_EQ(Listener.OrderUpdates.size(), 2u);
    EXPECT_EQ(Listener.OrderUpdates[0].OrderStatus, OrderStatus::NoTradeQueueing);
    EXPECT_EQ(Listener.OrderUpdates[1].OrderKind, OrderKind::Exercise);
    EXPECT_EQ(Listener.OrderUpdates[1].ExecResult, ExecResult::Unknown);
    EXPECT_EQ(Listener.OrderUpdates[1].OrderStatus, OrderStatus::Unknown);
    ASSERT_EQ(Listener.TradeUpdates.size(), 1u);
    const TradeOrder& fill = Listener.TradeUpdates[0];
    EXPECT_EQ(fill.Direction, DirectionType::Sell);
    EXPECT_EQ(fill.OpenCloseType, OpenCloseType::Close);
    EXPECT_EQ(fill.Price, 3501);
    EXPECT_EQ(fill.Volume, 2);
    EXPECT_EQ(fill.TradeID, "T9");
    EXPECT_EQ(fill.OrderID, "4567");
    EXPECT_EQ(fill.ReservedInt1, 0);
    EXPECT_TRUE(Listener.Notes().empty());
}

TEST_F(CTPTradeOrder, InstrumentStatusBecomesNotification102) {
    struct Case {
        char Status;
        const char* Mapped;
    };
    for (const Case& c : {Case{'6', "7"}, Case{'2', "2"}, Case{'x', "14"}}) {
        Listener.Clear();
        CThostFtdcInstrumentStatusField status{};
        SetText(status.InstrumentID, "rb2105");
        status.InstrumentStatus = c.Status;
        Trade->OnRtnInstrumentStatus(&status);
        const auto notifications = Listener.Notifications();
        ASSERT_EQ(notifications.size(), 1u);
        EXPECT_EQ(notifications[0].Type, 102);
        EXPECT_EQ(notifications[0].Result, 1);
        ASSERT_EQ(notifications[0].Errors.size(), 1u);
        EXPECT_EQ(notifications[0].Errors[0].Code, "rb2105");
        EXPECT_EQ(notifications[0].Errors[0].ProviderCode, c.Mapped);
        EXPECT_EQ(notifications[0].Errors[0].ProviderMessage, "");
    }
    Listener.Clear();
    Trade->OnRtnInstrumentStatus(nullptr);
    Trade->SetListener(nullptr);
    CThostFtdcInstrumentStatusField status{};
    Trade->OnRtnInstrumentStatus(&status);
    EXPECT_TRUE(Listener.Notes().empty());
}

TEST_F(CTPTradeOrder, ExerciseRefusalIsReportedWithoutEntries) {
    OpenAndLogin();
    Listener.Clear();
    CThostFtdcInputExecOrderField exercise{};
    SetText(exercise.ExecOrderRef, "3");
    exercise.Volume = 1;
    Trade->OnRspExecOrderInsert(&exercise, nullptr, 1, true);
    EXPECT_EQ(Listener.Notes(), (std::vector<Note>{{N::OrderAction, R::Failed, {}}}));
    ASSERT_EQ(Listener.OrderUpdates.size(), 1u);
    EXPECT_EQ(Listener.OrderUpdates[0].OrderKind, OrderKind::Exercise);
    EXPECT_EQ(Listener.OrderUpdates[0].OrderStatus, OrderStatus::Rejected);
    EXPECT_EQ(Listener.OrderUpdates[0].FrontID, UnsetInt64);
}

TEST_F(CTPTradeOrder, ConcurrentInsertionsNeverShareAReferenceOrRequestID) {
    OpenAndLogin("0");
    Trade->SetListener(nullptr);
    constexpr int PerThread = 10000;
    std::vector<std::string> refs[2];
    auto insert = [&](int t) {
        for (int i = 0; i < PerThread; ++i) {
            Order order = LimitOrder();
            Trade->OrderAction(order);
            refs[t].push_back(order.OrderRef);
        }
    };
    std::thread first(insert, 0);
    std::thread second(insert, 1);
    first.join();
    second.join();
    std::set<std::string> references(refs[0].begin(), refs[0].end());
    references.insert(refs[1].begin(), refs[1].end());
    EXPECT_EQ(references.size(), size_t(2 * PerThread));
    std::set<int> requestIDs;
    std::set<std::string> sentRefs;
    for (const auto& request : Api().Requests()) {
        if (request.Name == "ReqOrderInsert") {
            requestIDs.insert(request.RequestID);
            sentRefs.insert(request.As<CThostFtdcInputOrderField>().OrderRef);
        }
    }
    EXPECT_EQ(requestIDs.size(), size_t(2 * PerThread));
    EXPECT_EQ(sentRefs, references);
}

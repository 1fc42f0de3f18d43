// The adapters over the stand-in CTP API, against a scripted front on loopback.
#include "ctpapi/StandInFixture.h"

#include "TradeApi/CTP/BasePath.h"
#include "TradeApi/CTP/CTPMarket.h"
#include "TradeApi/CTP/CTPTrade.h"
#include "support/RecordingListeners.h"
#include "support/TempFolder.h"

#include <fstream>

using namespace Tesmora;
using namespace Tesmora::FTD;
using namespace Tesmora::Testing;
using namespace Tesmora::TradeApi;

namespace {

class AdapterOverStandIn : public ::testing::Test {
protected:
    void SetUp() override {
        ShortTiming();
        BasePath::Trade().Set((Folder.Path() + "/").c_str());
        BasePath::Market().Set((Folder.Path() + "/").c_str());
    }

    OpenParams Params() {
        OpenParams params;
        params.HostAddress = Front.Address();
        params.BrokerID = "9999";
        params.UserID = "1001";
        params.Password = "secret";
        return params;
    }

    SentPackage Expect(uint32_t transID) {
        SentPackage package;
        EXPECT_TRUE(Front.WaitForPackage(transID, package, Seen)) << std::hex << transID;
        Seen = Front.PackageCount();
        return package;
    }

    void AnswerLogin(const SentPackage& request, const char* maxOrderRef) {
        CThostFtdcRspUserLoginField login{};
        Utils::CopyText(login.TradingDay, "20261211");
        Utils::CopyText(login.MaxOrderRef, maxOrderRef);
        login.FrontID = 5;
        login.SessionID = 678;
        auto answer = Answer(TransId::LoginAnswer, request.ReqID, Series::Session);
        answer.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
        answer.AddRecord(Fid::RspUserLogin, RspUserLoginLayout(), login);
        Front.Send(answer);
    }

    TempFolder Folder;
    ScriptedFront Front;
    size_t Seen = 0;
};

} // namespace

TEST_F(AdapterOverStandIn, TradeAdapterOpensAndReceivesAnOrderReturn) {
    RecordingTradeListener listener;
    CTPTrade trade;
    trade.SetListener(&listener);
    trade.Open(Params());

    AnswerLogin(Expect(TransId::LoginRequest), "41");
    const SentPackage confirm = Expect(TransId::SettlementConfirmRequest);
    auto confirmed = Answer(TransId::SettlementConfirmAnswer, confirm.ReqID);
    confirmed.AddField(Fid::SettlementInfoConfirm, confirm.Field(Fid::SettlementInfoConfirm)->data(),
                       uint32_t(confirm.Field(Fid::SettlementInfoConfirm)->size()));
    Front.Send(confirmed);
    const SentPackage investorQuery = Expect(TransId::QryInvestorRequest);
    EXPECT_EQ(WireText(*investorQuery.Field(Fid::QryInvestor), 11, 13), "1001");
    CThostFtdcInvestorField investor{};
    Utils::CopyText(investor.InvestorName, "Investor One");
    auto answer = Answer(TransId::QryInvestorAnswer, investorQuery.ReqID, Series::Query);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
    answer.AddRecord(Fid::Investor, InvestorLayout(), investor);
    Front.Send(answer);

    ASSERT_TRUE(listener.WaitForNotification(NotifyType::Open, NotifyResult::Success));
    EXPECT_TRUE(trade.IsOpened());
    EXPECT_EQ(listener.Notes(), (std::vector<Note>{{NotifyType::Connect, NotifyResult::Success, {}},
                                                   {NotifyType::Login, NotifyResult::Success, {}},
                                                   {NotifyType::Open, NotifyResult::Success, {}}}));
    EXPECT_EQ(trade.GetOpenParams().Configs.at("UserName"), "Investor One");
    // The API keeps its connection file in the flow folder the adapter created.
    std::ifstream connection(Folder.Path() + "/Cache/1001_trade/Connection.txt");
    EXPECT_TRUE(connection.good());

    Order order;
    order.InstrumentID = "rb2105";
    order.Price = 3500;
    order.Volume = 1;
    order.Direction = DirectionType::Buy;
    trade.OrderAction(order);
    EXPECT_EQ(order.OrderRef, "42");
    const SentPackage insert = Expect(TransId::OrderInsertRequest);
    EXPECT_EQ(WireText(*insert.Field(Fid::InputOrder), 55, 13), "42");
    EXPECT_EQ((*insert.Field(Fid::InputOrder))[85], '0');

    CThostFtdcOrderField accepted{};
    Utils::CopyText(accepted.InstrumentID, "rb2105");
    Utils::CopyText(accepted.OrderRef, "42");
    Utils::CopyText(accepted.OrderSysID, "1");
    accepted.FrontID = 5;
    accepted.SessionID = 678;
    accepted.OrderStatus = '3';
    accepted.Direction = '0';
    auto push = Answer(TransId::OrderReturn, 0, Series::PrivateFlow);
    push.AddRecord(Fid::Order, OrderLayout(), accepted);
    Front.Send(push);
    ASSERT_TRUE(listener.WaitFor([&] { return listener.OrderUpdates.size() == 2; }));
    std::lock_guard<std::mutex> guard(listener.Mutex);
    EXPECT_EQ(listener.OrderUpdates[1].OrderStatus, OrderStatus::NoTradeQueueing);
    EXPECT_EQ(listener.OrderUpdates[1].OrderID, "1");
    EXPECT_EQ(listener.OrderUpdates[1].SessionID, 678);
}

TEST_F(AdapterOverStandIn, MarketAdapterLogsInSubscribesAndDeliversTicks) {
    RecordingMarketListener listener;
    CTPMarket market;
    market.SetListener(&listener);
    market.Open(Params());
    AnswerLogin(Expect(TransId::LoginRequest), "");
    ASSERT_TRUE(listener.WaitForNotification(NotifyType::Open, NotifyResult::Success));

    QueryParams params;
    params.InstrumentID = "rb2105";
    market.Subscribe(params);
    const SentPackage subscribe = Expect(TransId::SubscribeRequest);
    EXPECT_EQ(WireText(*subscribe.Field(Fid::SpecificInstrument), 0, 31), "rb2105");
    auto confirmed = Answer(TransId::SubscribeAnswer, 0, Series::Session);
    confirmed.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
    CThostFtdcSpecificInstrumentField instrument{};
    Utils::CopyText(instrument.InstrumentID, "rb2105");
    confirmed.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), instrument);
    Front.Send(confirmed);
    ASSERT_TRUE(listener.WaitForNotification(NotifyType::Subscribe, NotifyResult::Success));

    for (int volume : {100, 130}) {
        CThostFtdcDepthMarketDataField depth{};
        Utils::CopyText(depth.InstrumentID, "rb2105");
        Utils::CopyText(depth.UpdateTime, "09:30:01");
        depth.UpdateMillisec = 500;
        depth.Volume = volume;
        depth.LastPrice = 3500;
        auto push = Answer(TransId::DepthMarketDataPush, 0, Series::Session);
        push.AddRecord(Fid::DepthMarketData, DepthMarketDataLayout(), depth);
        Front.Send(push);
    }
    ASSERT_TRUE(listener.WaitFor([&] { return listener.Ticks.size() == 2; }));
    std::lock_guard<std::mutex> guard(listener.Mutex);
    ASSERT_EQ(listener.Subscribed.size(), 1u);
    EXPECT_EQ(listener.Ticks[1].InstrumentID, "rb2105");
    EXPECT_EQ(listener.Ticks[1].UpdateTime, "09:30:01.50");
    EXPECT_EQ(listener.Ticks[1].LastVolume, 30);
}

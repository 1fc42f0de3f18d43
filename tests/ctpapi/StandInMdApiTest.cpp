#include "ctpapi/StandInFixture.h"

#include "ThostFtdcMdApi.h"

using namespace Tesmora;
using namespace Tesmora::Testing;
using namespace Tesmora::FTD;

namespace {

class StandInMd : public ::testing::Test {
protected:
    void SetUp() override {
        ShortTiming();
        Api = CThostFtdcMdApi::CreateFtdcMdApi("", false, false);
        Api->RegisterSpi(&Spi);
        Api->Init();
        std::string address = Front.Address();
        Api->RegisterFront(&address[0]);
        ASSERT_TRUE(Spi.WaitForCount("OnFrontConnected", 1));
        ASSERT_TRUE(Front.WaitFor([&] { return Front.Connections == 1; }));
    }
    void TearDown() override { Api->Release(); }

    ScriptedFront Front;
    RecordingMdSpi Spi;
    CThostFtdcMdApi* Api = nullptr;
};

} // namespace

TEST_F(StandInMd, SubscriptionsGoOutAsSpecificInstrumentsAndComeBackConfirmed) {
    char first[] = "rb2105";
    char second[] = "cu2106";
    char* instruments[] = {first, second};
    ASSERT_EQ(Api->SubscribeMarketData(instruments, 2), 0);
    SentPackage sent;
    ASSERT_TRUE(Front.WaitForPackage(TransId::SubscribeRequest, sent));
    ASSERT_NE(sent.Field(Fid::SpecificInstrument, 1), nullptr);
    EXPECT_EQ(sent.Field(Fid::SpecificInstrument, 0)->size(), 31u);
    EXPECT_EQ(WireText(*sent.Field(Fid::SpecificInstrument, 0), 0, 31), "rb2105");
    EXPECT_EQ(WireText(*sent.Field(Fid::SpecificInstrument, 1), 0, 31), "cu2106");
    EXPECT_EQ(Api->SubscribeMarketData(nullptr, 1), -1);
    EXPECT_EQ(Api->SubscribeMarketData(instruments, 0), -1);

    auto answer = Answer(TransId::SubscribeAnswer, 0, Series::Session);
    answer.AddRecord(Fid::RspInfo, RspInfoLayout(), SuccessRspInfo());
    for (const char* id : {"rb2105", "cu2106"}) {
        CThostFtdcSpecificInstrumentField field{};
        Utils::CopyText(field.InstrumentID, id);
        answer.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), field);
    }
    Front.Send(answer);
    ASSERT_TRUE(Spi.WaitForCount("OnRspSubMarketData", 2));
    const auto confirmed = Spi.Named("OnRspSubMarketData");
    EXPECT_STREQ(confirmed[0].As<CThostFtdcSpecificInstrumentField>().InstrumentID, "rb2105");
    EXPECT_FALSE(confirmed[0].IsLast);
    EXPECT_TRUE(confirmed[1].IsLast);
    EXPECT_EQ(confirmed[1].ErrorID, 0);

    char* one[] = {first};
    ASSERT_EQ(Api->UnSubscribeMarketData(one, 1), 0);
    ASSERT_TRUE(Front.WaitForPackage(TransId::UnsubscribeRequest, sent));
    auto unsubscribed = Answer(TransId::UnsubscribeAnswer, 0, Series::Session);
    CThostFtdcSpecificInstrumentField field{};
    Utils::CopyText(field.InstrumentID, "rb2105");
    unsubscribed.AddRecord(Fid::SpecificInstrument, SpecificInstrumentLayout(), field);
    Front.Send(unsubscribed);
    ASSERT_TRUE(Spi.WaitForCount("OnRspUnSubMarketData", 1));
    EXPECT_TRUE(Spi.Named("OnRspUnSubMarketData")[0].IsLast);
}

TEST_F(StandInMd, DepthMarketDataArrivesWithEveryMember) {
    CThostFtdcDepthMarketDataField data{};
    Utils::CopyText(data.TradingDay, "20261211");
    Utils::CopyText(data.InstrumentID, "rb2105");
    Utils::CopyText(data.ExchangeID, "SHFE");
    Utils::CopyText(data.UpdateTime, "09:30:01");
    data.UpdateMillisec = 500;
    data.LastPrice = 3500;
    data.Volume = 120;
    data.BidPrice1 = 3499;
    data.BidVolume1 = 10;
    data.AskPrice5 = 3505;
    data.AskVolume5 = 50;
    data.AveragePrice = 3498.25;
    Utils::CopyText(data.ActionDay, "20261211");
    auto push = Answer(TransId::DepthMarketDataPush, 0, Series::Session);
    push.AddRecord(Fid::DepthMarketData, DepthMarketDataLayout(), data);
    Front.Send(push);
    ASSERT_TRUE(Spi.WaitForCount("OnRtnDepthMarketData", 1));
    const auto got = Spi.Named("OnRtnDepthMarketData")[0].As<CThostFtdcDepthMarketDataField>();
    EXPECT_STREQ(got.InstrumentID, "rb2105");
    EXPECT_STREQ(got.ExchangeID, "SHFE");
    EXPECT_STREQ(got.UpdateTime, "09:30:01");
    EXPECT_EQ(got.UpdateMillisec, 500);
    EXPECT_EQ(got.LastPrice, 3500);
    EXPECT_EQ(got.Volume, 120);
    EXPECT_EQ(got.BidPrice1, 3499);
    EXPECT_EQ(got.BidVolume1, 10);
    EXPECT_EQ(got.AskPrice5, 3505);
    EXPECT_EQ(got.AskVolume5, 50);
    EXPECT_EQ(got.AveragePrice, 3498.25);
    EXPECT_STREQ(got.ActionDay, "20261211");
}

#include "FTD/FTDLoginRecords.h"

#include "FtdTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace Tesmora::FTD;
using FtdTest::Bytes;
using FtdTest::RecordingParser;

namespace {

// A ReqUserLogin field as a client sends it, built byte by byte.
Bytes LoginRequest(const char* tradingDay, const char* broker, const char* user, size_t length = 188) {
    Bytes field(188, 0);
    std::memcpy(field.data() + 0, tradingDay, std::min<size_t>(std::strlen(tradingDay), 9));
    std::memcpy(field.data() + 9, broker, std::min<size_t>(std::strlen(broker), 11));
    std::memcpy(field.data() + 20, user, std::min<size_t>(std::strlen(user), 16));
    std::memcpy(field.data() + 36, "any password", 12);
    field.resize(length);
    return field;
}

Bytes At(size_t size, std::initializer_list<std::pair<size_t, const char*>> texts) {
    Bytes bytes(size, 0);
    for (const auto& text : texts) {
        std::memcpy(bytes.data() + text.first, text.second, std::strlen(text.second));
    }
    return bytes;
}

struct Answer {
    std::vector<std::string> Events;
    std::vector<Bytes> Fields;
};

Answer Answered(const Bytes& request, uint32_t reqID, uint32_t counter) {
    // Exactly the request's bytes on the heap, so a read past them shows.
    std::unique_ptr<char[]> copy(new char[request.size() == 0 ? 1 : request.size()]);
    std::copy(request.begin(), request.end(), copy.get());
    const FTDPackage package = LoginAnswer(copy.get(), request.size(), reqID, counter);
    RecordingParser parser;
    parser.Decompress = true;
    parser.Feed(FtdTest::OutputOf(package));
    return {parser.Events, parser.FieldData};
}

} // namespace

TEST(FTDLoginRecords, AnswerEchoesTheRequestAtTheRecordOffsets) {
    const Bytes successInfo = At(85, {{4, "CTP:No Error"}});
    struct Case {
        const char* Name;
        Bytes Request;
        Bytes RspUserLogin;
    };
    const Case cases[] = {
        {"broker 9999, user 1001", LoginRequest("20240105", "9999", "1001"),
         At(152, {{0, "20240105"}, {18, "9999"}, {29, "1001"}})},
        // Eleven characters fill the array without a terminating zero.
        {"broker of eleven characters", LoginRequest("20240105", "12345678901", "1001"),
         At(152, {{0, "20240105"}, {18, "1234567890"}, {29, "1001"}})},
        {"texts filling their arrays", LoginRequest("202401051", "9999", "1234567890123456"),
         At(152, {{0, "20240105"}, {18, "9999"}, {29, "123456789012345"}})},
        // A request cut inside its user reads as if padded with zeros.
        {"short request", LoginRequest("20240105", "9999", "1001", 22),
         At(152, {{0, "20240105"}, {18, "9999"}, {29, "10"}})},
        {"empty request", {}, Bytes(152, 0)},
    };
    for (const Case& c : cases) {
        const Answer answer = Answered(c.Request, 77, 5);
        const std::vector<std::string> expected = {
            "package series=0 trans=0x3001 req=77 counter=5 fields=2",
            "field 0x0000 RspInfo 85",
            "field 0x1003 RspUserLogin 152",
            "end 03 L",
        };
        EXPECT_EQ(answer.Events, expected) << c.Name;
        ASSERT_EQ(answer.Fields.size(), 2u) << c.Name;
        EXPECT_EQ(answer.Fields[0], successInfo) << c.Name;
        EXPECT_EQ(answer.Fields[1], c.RspUserLogin) << c.Name;
    }
}

TEST(FTDLoginRecords, RecordsRoundTripThroughTheirLayouts) {
    CThostFtdcRspUserLoginField login;
    std::memset(&login, 0, sizeof login);
    std::strcpy(login.TradingDay, "20240105");
    std::strcpy(login.SystemName, "Tesmora");
    std::strcpy(login.MaxOrderRef, "000000000012");
    std::strcpy(login.INETime, "09:00:01");
    login.FrontID = 3;
    login.SessionID = -123456;
    const Bytes wire = RspUserLoginLayout().Encode(login);
    ASSERT_EQ(wire.size(), 152u);
    EXPECT_EQ(Bytes(wire.begin() + 86, wire.begin() + 94), Bytes({0, 0, 0, 3, 0xFF, 0xFE, 0x1D, 0xC0}));
    const CThostFtdcRspUserLoginField back = RspUserLoginLayout().Decode(wire.data(), wire.size());
    EXPECT_EQ(std::memcmp(&back, &login, sizeof login), 0);

    CThostFtdcRspInfoField info;
    std::memset(&info, 0, sizeof info);
    info.ErrorID = -3;
    std::strcpy(info.ErrorMsg, "\xB3\xC9\xB9\xA6"); // GBK travels unchanged
    const Bytes infoWire = RspInfoLayout().Encode(info);
    EXPECT_EQ(Bytes(infoWire.begin(), infoWire.begin() + 8),
              Bytes({0xFF, 0xFF, 0xFF, 0xFD, 0xB3, 0xC9, 0xB9, 0xA6}));
    const CThostFtdcRspInfoField infoBack = RspInfoLayout().Decode(infoWire.data(), infoWire.size());
    EXPECT_EQ(std::memcmp(&infoBack, &info, sizeof info), 0);
}

#include "FTD/FTDPackage.h"

#include "FtdTestSupport.h"

#include <gtest/gtest.h>

using namespace Tesmora::FTD;
using FtdTest::Bytes;
using FtdTest::Concat;
using FtdTest::OutputOf;
using FtdTest::RecordingParser;

TEST(FTDPackage, WritesFrameHeaderPackageHeaderAndFieldsBigEndian) {
    // 01 03 0C, chain mark, series, transID, counter; then count and fields length; then reqID.
    const Bytes head = {0x01, 0x03, 0x0C, 'L', 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};
    const Bytes reqID = {0x0B, 0x0C, 0x0D, 0x0E};
    struct Case {
        const char* Name;
        bool Compress;
        bool WithField;
        Bytes Expected;
    };
    const Case cases[] = {
        {"empty package", false, false,
         Concat({{0x02, 0x00, 0x00, 22}, head, {0x00, 0x00, 0x00, 0x00}, reqID})},
        {"one field", false, true,
         Concat({{0x02, 0x00, 0x00, 29},
                 head,
                 {0x00, 0x01, 0x00, 0x07},
                 reqID,
                 {0x12, 0x34, 0x00, 0x03, 'a', 0xE5, 0x00}})},
        {"one field, compressed", true, true,
         Concat({{0x02, 0x00, 0x00, 30},
                 head,
                 {0xE1, 0x01, 0xE1, 0x07},
                 reqID,
                 {0x12, 0x34, 0xE1, 0x03, 'a', 0xE0, 0xE5, 0xE1}})},
    };
    for (const Case& c : cases) {
        FTDPackage package;
        package.Compress = c.Compress;
        package.Series = 0x0102;
        package.TransID = 0x03040506;
        package.Counter = 0x0708090A;
        package.ReqID = 0x0B0C0D0E;
        if (c.WithField) {
            const unsigned char data[] = {'a', 0xE5, 0x00};
            ASSERT_TRUE(package.AddField(0x1234, data, sizeof data));
        }
        ASSERT_TRUE(package.Encode(true)) << c.Name;
        EXPECT_EQ(OutputOf(package), c.Expected) << c.Name;
        EXPECT_EQ(package.FieldCount(), 0u) << c.Name;
    }

    FTDPackage zeros;
    ASSERT_TRUE(zeros.Encode(true));
    EXPECT_EQ(OutputOf(zeros), Bytes({0x02, 0x00, 0x00, 0x06, 0x01, 0x03, 0x0C, 'L', 0xEF, 0xE3}));
}

TEST(FTDPackage, PackagesOfOneResponseFollowEachOtherInTheOutput) {
    FTDPackage package;
    package.Series = 4;
    package.TransID = 0x8003;
    package.ReqID = 9;
    package.Counter = 1;
    const Bytes first(300, 0xE7), second = {1, 2, 3};
    ASSERT_TRUE(package.AddField(0x0409, first.data(), uint32_t(first.size())));
    ASSERT_TRUE(package.AddField(0x0409, second.data(), uint32_t(second.size())));
    ASSERT_TRUE(package.Encode(false));
    package.Counter = 2;
    ASSERT_TRUE(package.AddField(0x0409, second.data(), uint32_t(second.size())));
    ASSERT_TRUE(package.Encode(true));

    RecordingParser parser;
    parser.Decompress = true;
    parser.Feed(OutputOf(package));
    const std::vector<std::string> expected = {
        "package series=4 trans=0x8003 req=9 counter=1 fields=2",
        "field 0x0409 Trade 300",
        "field 0x0409 Trade 3",
        "end 03 C",
        "package series=4 trans=0x8003 req=9 counter=2 fields=1",
        "field 0x0409 Trade 3",
        "end 03 L",
    };
    EXPECT_EQ(parser.Events, expected);
    EXPECT_EQ(parser.FieldData, std::vector<Bytes>({first, second, second}));
}

// Every length on the wire is 16 bits: what does not fit is refused whole,
// never cut into a frame that the peer would misread.
TEST(FTDPackage, RefusesWhatSixteenBitLengthsCannotCarry) {
    struct Case {
        const char* Name;
        bool Compress;
        std::vector<Bytes> Fields;
        bool Encodes;
    };
    const Case cases[] = {
        {"fields together over 65535 bytes", true, {Bytes(40000, 0), Bytes(40000, 0)}, false},
        {"compressed content over 65535 bytes", true, {Bytes(40000, 0xE5)}, false},
        {"plain content over 65535 bytes", false, {Bytes(65531, 'x')}, false},
        {"the same package compressed fits", true, {Bytes(65531, 0)}, true},
        {"plain content of exactly 65535 bytes", false, {Bytes(65509, 'x')}, true},
    };
    for (const Case& c : cases) {
        FTDPackage package;
        package.Compress = c.Compress;
        package.TransID = 0x8001;
        ASSERT_TRUE(package.AddField(0x0001, "ab", 2));
        ASSERT_TRUE(package.Encode(false));
        const Bytes before = OutputOf(package);
        for (const Bytes& field : c.Fields) {
            ASSERT_TRUE(package.AddField(0x0401, field.data(), uint32_t(field.size())));
        }

        ASSERT_EQ(package.Encode(true), c.Encodes) << c.Name;
        if (!c.Encodes) {
            EXPECT_EQ(OutputOf(package), before) << c.Name;
            EXPECT_EQ(package.FieldCount(), c.Fields.size()) << c.Name;
            continue;
        }
        RecordingParser parser;
        parser.Decompress = c.Compress;
        parser.Feed(OutputOf(package));
        ASSERT_EQ(parser.FieldData.size(), 2u) << c.Name;
        EXPECT_EQ(parser.FieldData[1], c.Fields[0]) << c.Name;
        EXPECT_EQ(parser.Events.back(), "end 03 L") << c.Name;
    }

    FTDPackage package;
    const Bytes tooLong(65536, 'x');
    EXPECT_FALSE(package.AddField(0x0401, tooLong.data(), uint32_t(tooLong.size())));
    EXPECT_EQ(package.FieldCount(), 0u);
    EXPECT_TRUE(package.AddField(0x0401, tooLong.data(), 65535));
}

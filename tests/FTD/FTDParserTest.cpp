#include "FTD/FTDParser.h"
#include "FTD/FTDFieldCatalogue.h"
#include "FTD/ZeroRunCodec.h"

#include "FtdTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace Tesmora::FTD;
using FtdTest::Bytes;
using FtdTest::Concat;
using FtdTest::Frame;
using FtdTest::PutBigEndian16;
using FtdTest::RecordingParser;
using FtdTest::UncompressedFrame;

namespace {

// Offsets inside a frame of UncompressedFrame: the 4-byte frame header first.
constexpr size_t FieldCountAt = 4 + 14;
constexpr size_t FieldsLengthAt = 4 + 16;
constexpr size_t FirstFieldLengthAt = 4 + 22 + 2;

const Bytes Heartbeat(KeepAliveFrame, KeepAliveFrame + sizeof KeepAliveFrame);

// A reply package: two fields, the second an identifier nobody registered.
const Bytes& GoodFrame() {
    static const Bytes frame =
        UncompressedFrame(0x3001, {{0x0000, Bytes(85, 'r')}, {0x7777, {1, 2, 3}}}, true, 42);
    return frame;
}

const std::vector<std::string> GoodEvents = {
    "package series=0 trans=0x3001 req=42 counter=0 fields=2",
    "field 0x0000 RspInfo 85",
    "field 0x7777 Undefined 3",
    "end 03 L",
};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes WithBigEndian16(Bytes frame, size_t offset, int delta) {
    PutBigEndian16(frame, offset, uint16_t(((frame[offset] << 8) | frame[offset + 1]) + delta));
    return frame;
}

// Feeds from an exact-size heap copy, so that any read past the chunk shows
// under AddressSanitizer.
void FeedExact(FTDParser& parser, const Bytes& chunk) {
    std::unique_ptr<unsigned char[]> copy(new unsigned char[chunk.size() == 0 ? 1 : chunk.size()]);
    std::copy(chunk.begin(), chunk.end(), copy.get());
    parser.Feed(copy.get(), chunk.size());
}

} // namespace

TEST(FTDParser, DecodesAFrameOnlyOnceItIsComplete) {
    // 103 bytes: frame header, package header, one field of 73 bytes.
    const Bytes frame = UncompressedFrame(0xF101, {{0x0012, Bytes(73, 'd')}});
    ASSERT_EQ(frame.size(), 103u);

    RecordingParser parser;
    FeedExact(parser, Bytes(frame.begin(), frame.begin() + 3));
    EXPECT_TRUE(parser.Events.empty());
    EXPECT_EQ(parser.BufferedBytes(), 3u);

    FeedExact(parser, Bytes(frame.begin() + 3, frame.end()));
    const std::vector<std::string> expected = {
        "package series=0 trans=0xf101 req=0 counter=0 fields=1",
        "field 0x0012 DepthMarketData 73",
        "end 03 L",
    };
    EXPECT_EQ(parser.Events, expected);
    EXPECT_EQ(parser.FieldData[0], Bytes(73, 'd'));
    EXPECT_EQ(parser.BufferedBytes(), 0u);
}

TEST(FTDParser, AnySplitOfTheStreamGivesTheSameEventsInOrder) {
    const Bytes withExtension =
        Frame(2, Bytes(GoodFrame().begin() + 4, GoodFrame().end()), {0x05, 0x00, 0x07});
    const Bytes stream = Concat({GoodFrame(), Heartbeat, Frame(1, {9, 9, 9}), withExtension,
                                 UncompressedFrame(0x8003, {}, false, 7)});
    const std::vector<std::string> expected = Join({
        GoodEvents,
        {"heartbeat"},
        GoodEvents,
        {"package series=0 trans=0x8003 req=7 counter=0 fields=0", "end 03 C"},
    });

    RecordingParser whole;
    FeedExact(whole, stream);
    EXPECT_EQ(whole.Events, expected);

    for (size_t split = 0; split <= stream.size(); ++split) {
        RecordingParser parser;
        FeedExact(parser, Bytes(stream.begin(), stream.begin() + split));
        FeedExact(parser, Bytes(stream.begin() + split, stream.end()));
        ASSERT_EQ(parser.Events, expected) << "split at " << split;
    }

    RecordingParser byByte;
    for (unsigned char b : stream) {
        FeedExact(byByte, {b});
    }
    EXPECT_EQ(byByte.Events, expected);
    EXPECT_EQ(byByte.FieldData, whole.FieldData);
}

TEST(FTDParser, FieldsReachOnFieldDataWithTheirCatalogueEntry) {
    RecordingParser parser;
    parser.Feed(GoodFrame());
    ASSERT_EQ(parser.FieldInfos.size(), 2u);
    EXPECT_EQ(parser.FieldInfos[0], &FindField(0x0000));
    EXPECT_EQ(parser.FieldInfos[1], &FTDFieldCatalogue::Fallback());
    EXPECT_EQ(parser.FieldData[1], Bytes({1, 2, 3}));
}

// Each malformed frame comes between two good ones in one chunk: the error is
// reported, nothing more of the bad package, and the frames around it are
// still decoded.
TEST(FTDParser, ReportsMalformedFramesAndKeepsDecodingTheChunk) {
    const Bytes twoFields = UncompressedFrame(0x3001, {{0x0012, {1, 2, 3, 4}}, {0x0401, {5, 6}}});
    Bytes strayBytes = UncompressedFrame(0x3001, {{0x0012, {1, 2, 3, 4}}});
    strayBytes.insert(strayBytes.end(), {0xAA, 0xBB});
    strayBytes = WithBigEndian16(WithBigEndian16(WithBigEndian16(strayBytes, 2, 2), FieldsLengthAt, 2),
                                 FieldCountAt, 1);
    const Bytes header21(GoodFrame().begin() + 4, GoodFrame().begin() + 4 + 21);
    const std::string firstOfTwo = "package series=0 trans=0x3001 req=0 counter=0 fields=2";

    struct Case {
        const char* Name;
        Bytes Frame;
        std::vector<std::string> Events;
        bool Resync;
    };
    const Case cases[] = {
        {"fields length one too large", WithBigEndian16(GoodFrame(), FieldsLengthAt, 1), {"fatal 1"}, true},
        {"fields length one too small", WithBigEndian16(GoodFrame(), FieldsLengthAt, -1), {"fatal 1"}, true},
        {"second field runs past the package",
         WithBigEndian16(twoFields, FirstFieldLengthAt + 8, 1),
         {firstOfTwo, "field 0x0012 DepthMarketData 4", "fatal 2"},
         true},
        {"first field runs past the package",
         WithBigEndian16(twoFields, FirstFieldLengthAt, 100),
         {firstOfTwo, "fatal 2"},
         true},
        {"package ends inside a field header",
         strayBytes,
         {firstOfTwo, "field 0x0012 DepthMarketData 4", "fatal 3"},
         true},
        {"more fields announced than present",
         WithBigEndian16(twoFields, FieldCountAt, 1),
         {"package series=0 trans=0x3001 req=0 counter=0 fields=3", "field 0x0012 DepthMarketData 4",
          "field 0x0401 Order 2", "fatal 3"},
         true},
        {"package shorter than its header", Frame(2, header21), {"fatal 4"}, true},
        {"empty package", Frame(2, {}), {"fatal 4"}, true},
        {"frame type 7, skipped by its own lengths", Frame(7, {1, 2, 3, 4, 5}, {0, 2}), {"fatal 0"}, true},
        {"frame type 3", Frame(3, GoodFrame()), {"fatal 0"}, true},
        {"plain frame type 1 is skipped silently", Frame(1, GoodFrame()), {}, false},
        {"control frame with content", Frame(0, {1, 2, 3}, {5, 0}), {"heartbeat"}, false},
    };
    for (const Case& c : cases) {
        RecordingParser parser;
        FeedExact(parser, Concat({GoodFrame(), c.Frame, GoodFrame()}));
        EXPECT_EQ(parser.Events, Join({GoodEvents, c.Events, GoodEvents})) << c.Name;
        EXPECT_EQ(parser.Resynchronising(), c.Resync) << c.Name;
    }
}

TEST(FTDParser, AfterAnErrorTheNextChunkStartsANewFrame) {
    const Bytes good = GoodFrame();
    const Bytes head(good.begin(), good.begin() + 10);
    const Bytes rest(good.begin() + 10, good.end());
    struct Case {
        const char* Name;
        Bytes First;
        Bytes Second;
        std::vector<std::string> Events;
    };
    const Case cases[] = {
        // Without an error a frame's start waits for its rest.
        {"no error", Concat({good, head}), rest, Join({GoodEvents, GoodEvents})},
        // After one, the buffered start is dropped: the next chunk begins a frame.
        {"decoding error", Concat({WithBigEndian16(good, FieldsLengthAt, 1), head}), good,
         Join({{"fatal 1"}, GoodEvents})},
        // An invalid frame is not waited for, however long it claims to be.
        {"invalid type, incomplete", {9, 0, 0xFF, 0xFF, 1, 2}, good, Join({{"fatal 0"}, GoodEvents})},
    };
    for (const Case& c : cases) {
        RecordingParser parser;
        FeedExact(parser, c.First);
        FeedExact(parser, c.Second);
        EXPECT_EQ(parser.Events, c.Events) << c.Name;
        EXPECT_FALSE(parser.Resynchronising()) << c.Name;
        EXPECT_EQ(parser.BufferedBytes(), 0u) << c.Name;
    }
}

TEST(FTDParser, ExpandsCompressedPackagesAndRejectsBrokenCompression) {
    FTDPackage package;
    package.TransID = 0xF101;
    const Bytes data = Concat({Bytes(40, 0), {0xE0, 0xEF, 0xF0, 0x01}, Bytes(17, 0)});
    package.AddField(0x0012, data.data(), uint32_t(data.size()));
    ASSERT_TRUE(package.Encode(true));
    const Bytes compressed = FtdTest::OutputOf(package);
    const Bytes content(compressed.begin() + 4, compressed.end());

    RecordingParser parser;
    parser.Decompress = true;
    FeedExact(parser, compressed);
    ASSERT_EQ(parser.FieldData.size(), 1u);
    EXPECT_EQ(parser.FieldData[0], data);
    EXPECT_EQ(parser.Events.back(), "end 03 L");

    struct Case {
        const char* Name;
        Bytes Frame;
        std::vector<std::string> Events;
    };
    const Case cases[] = {
        // Last in the chunk, so a read past the escape would leave the heap copy.
        {"escape byte at the very end", Frame(2, Concat({content, {0xE0}})), {"fatal 4"}},
        {"escape byte alone", Frame(2, {0xE0}), {"fatal 4"}},
        // 65535 bytes of 0xEF expand beyond any package a header can describe.
        {"expansion longer than any package", Frame(2, Bytes(65535, 0xEF)), {"fatal 1"}},
        {"expansion shorter than a header", Frame(2, {0x01, 0x03, 0xEF}), {"fatal 4"}},
    };
    for (const Case& c : cases) {
        RecordingParser broken;
        broken.Decompress = true;
        FeedExact(broken, c.Frame);
        EXPECT_EQ(broken.Events, c.Events) << c.Name;
        EXPECT_TRUE(broken.Resynchronising()) << c.Name;
    }
}

TEST(FTDParser, BufferHoldsAtMostOneIncompleteFrame) {
    // Garbage in chunks of every size: what is held never exceeds one frame.
    std::mt19937 random(7);
    RecordingParser garbage;
    for (int i = 0; i < 2000; ++i) {
        Bytes chunk(1 + random() % 8192);
        for (unsigned char& b : chunk) {
            // Mostly valid frame types, so that long frames are announced and waited for.
            b = static_cast<unsigned char>(random() % 4 == 0 ? random() % 3 : random());
        }
        garbage.Feed(chunk);
        ASSERT_LE(garbage.BufferedBytes(), MaxFrameLength);
        ASSERT_LE(garbage.BufferCapacity(), MaxFrameLength);
    }

    // A peer far ahead of the parser: one chunk of many frames keeps only the tail.
    Bytes burst;
    for (int i = 0; i < 3000; ++i) {
        burst.insert(burst.end(), GoodFrame().begin(), GoodFrame().end());
    }
    burst.insert(burst.end(), GoodFrame().begin(), GoodFrame().begin() + 10);
    RecordingParser fast;
    fast.Feed(burst);
    EXPECT_EQ(fast.Events.size(), 3000u * GoodEvents.size());
    EXPECT_EQ(fast.BufferedBytes(), 10u);
    EXPECT_LT(fast.BufferCapacity(), GoodFrame().size());

    // The longest frame there is, trickled in: held whole, then decoded and gone.
    const Bytes longest = Frame(0, Bytes(MaxWireLength, 1), Bytes(255, 2));
    ASSERT_EQ(longest.size(), MaxFrameLength);
    RecordingParser slow;
    for (size_t pos = 0; pos < longest.size(); pos += 1000) {
        slow.Feed(Bytes(longest.begin() + pos, longest.begin() + std::min(pos + 1000, longest.size())));
        ASSERT_LE(slow.BufferCapacity(), MaxFrameLength);
    }
    EXPECT_EQ(slow.Events, std::vector<std::string>({"heartbeat"}));
    EXPECT_EQ(slow.BufferedBytes(), 0u);
}

TEST(FTDParser, BaseOperationsCallTheHandlersThatAreSet) {
    FTDParser parser;
    const Bytes good = GoodFrame();
    // No handler set: every event is dropped quietly.
    parser.Feed(good.data(), good.size());

    std::vector<std::string> events;
    parser.FatalErrorHandler = [&](int code) { events.push_back("fatal " + std::to_string(code)); };
    parser.HeartbeatHandler = [&] { events.push_back("heartbeat"); };
    parser.ReceiveFieldsHandler = [&](uint16_t series, uint32_t transID, uint32_t reqID, uint32_t counter,
                                      uint16_t count) {
        events.push_back("package " + std::to_string(series) + " " + std::to_string(transID) + " " +
                         std::to_string(reqID) + " " + std::to_string(counter) + " " + std::to_string(count));
    };
    parser.FieldDataHandler = [&](uint16_t fid, const FTDFieldInfo& info, const char*, size_t length) {
        events.push_back("field " + std::to_string(fid) + " " + info.Name + " " + std::to_string(length));
    };
    parser.PackageEndHandler = [&](bool byte1Is3, bool last) {
        events.push_back(std::string("end ") + (byte1Is3 ? "1" : "0") + (last ? "1" : "0"));
    };
    const Bytes stream = Concat({Heartbeat, good, Frame(5, {})});
    parser.Feed(stream.data(), stream.size());
    const std::vector<std::string> expected = {
        "heartbeat", "package 0 12289 42 0 2", "field 0 RspInfo 85", "field 30583 Undefined 3", "end 11",
        "fatal 0",
    };
    EXPECT_EQ(events, expected);
}

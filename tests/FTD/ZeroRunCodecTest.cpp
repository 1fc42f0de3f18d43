#include "FTD/ZeroRunCodec.h"

#include "FtdTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using namespace Tesmora::FTD;
using FtdTest::Bytes;

namespace {

Bytes Compressed(const Bytes& in) {
    Bytes out(MaxCompressedLength(in.size()));
    out.resize(CompressZeroRuns(in.data(), in.size(), out.data()));
    return out;
}

struct Expansion {
    ExpandResult Result;
    Bytes Out;
};

// Expands into exactly capacity bytes of heap, so that a write or read out of
// bounds shows under AddressSanitizer.
Expansion Expanded(const Bytes& in, size_t capacity) {
    std::unique_ptr<unsigned char[]> input(new unsigned char[in.size()]);
    std::copy(in.begin(), in.end(), input.get());
    std::unique_ptr<unsigned char[]> out(new unsigned char[capacity]);
    size_t length = 0;
    const ExpandResult result = ExpandZeroRuns(input.get(), in.size(), out.get(), capacity, length);
    return {result, Bytes(out.get(), out.get() + length)};
}

Bytes Zeros(size_t n) {
    return Bytes(n, 0);
}

} // namespace

TEST(ZeroRunCodec, CompressesZeroRunsAndEscapesReservedBytes) {
    struct Case {
        const char* Name;
        Bytes In;
        Bytes Out;
    };
    const Case cases[] = {
        {"one zero", Zeros(1), {0xE1}},
        {"15 zeros", Zeros(15), {0xEF}},
        {"16 zeros", Zeros(16), {0xEF, 0xE1}},
        {"30 zeros", Zeros(30), {0xEF, 0xEF}},
        {"31 zeros", Zeros(31), {0xEF, 0xEF, 0xE1}},
        {"0xE5 escaped", {0xE5}, {0xE0, 0xE5}},
        {"0xE0 escaped", {0xE0}, {0xE0, 0xE0}},
        {"0xEF escaped", {0xEF}, {0xE0, 0xEF}},
        {"0xF0 unchanged", {0xF0}, {0xF0}},
        {"0xDF unchanged", {0xDF}, {0xDF}},
        {"mixed", {'A', 0, 0, 'B', 0xE3, 0}, {'A', 0xE2, 'B', 0xE0, 0xE3, 0xE1}},
        {"reserved byte after a clean word",
         {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xE7, 'i'},
         {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0xE0, 0xE7, 'i'}},
        {"zero run across words", FtdTest::Concat({{'x'}, Zeros(20), {'y'}}), {'x', 0xEF, 0xE5, 'y'}},
        {"empty", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compressed(c.In), c.Out) << c.Name;
        const Expansion back = Expanded(c.Out, c.In.size());
        EXPECT_EQ(back.Result, ExpandResult::Ok) << c.Name;
        EXPECT_EQ(back.Out, c.In) << c.Name;
    }
}

TEST(ZeroRunCodec, ExpansionGivesBackExactlyWhatWasCompressed) {
    std::mt19937 random(20240105);
    // Byte mixes from typical records (many zeros, some 0xE_ bytes) to noise.
    for (int zeroPercent : {0, 10, 50, 90, 100}) {
        for (int reservedPercent : {0, 10, 50}) {
            for (size_t length : {size_t(0), size_t(1), size_t(7), size_t(8), size_t(9), size_t(63),
                                  size_t(354), size_t(3000)}) {
                Bytes in(length);
                for (unsigned char& b : in) {
                    const int roll = int(random() % 100);
                    if (roll < zeroPercent) {
                        b = 0;
                    } else if (roll < zeroPercent + reservedPercent) {
                        b = static_cast<unsigned char>(0xE0 + random() % 16);
                    } else {
                        b = static_cast<unsigned char>(random());
                    }
                }
                const Bytes packed = Compressed(in);
                ASSERT_LE(packed.size(), MaxCompressedLength(in.size()));
                const Expansion back = Expanded(packed, in.size());
                ASSERT_EQ(back.Result, ExpandResult::Ok);
                ASSERT_EQ(back.Out, in)
                    << "zeros " << zeroPercent << "%, reserved " << reservedPercent << "%, length " << length;
            }
        }
    }
}

TEST(ZeroRunCodec, ExpansionStopsAtTrailingEscapeAndAtCapacity) {
    struct Case {
        const char* Name;
        Bytes In;
        size_t Capacity;
        ExpandResult Result;
        Bytes Out;
    };
    const Case cases[] = {
        {"escape alone", {0xE0}, 16, ExpandResult::TrailingEscape, {}},
        {"escape at the end", {'A', 'B', 0xE0}, 16, ExpandResult::TrailingEscape, {'A', 'B'}},
        {"escape at the end of a long input", FtdTest::Concat({Bytes(9, 'z'), {0xE0}}), 16,
         ExpandResult::TrailingEscape, Bytes(9, 'z')},
        {"escaped escape is complete", {0xE0, 0xE0}, 16, ExpandResult::Ok, {0xE0}},
        {"run beyond capacity", {0xEF}, 14, ExpandResult::TooLong, {}},
        {"literal beyond capacity", {'A', 'B'}, 1, ExpandResult::TooLong, {'A'}},
        {"escaped byte beyond capacity", {'A', 0xE0, 0xE5}, 1, ExpandResult::TooLong, {'A'}},
        {"words beyond capacity", Bytes(20, 'q'), 10, ExpandResult::TooLong, Bytes(10, 'q')},
        {"exactly at capacity", {0xEF, 'A'}, 16, ExpandResult::Ok, FtdTest::Concat({Zeros(15), {'A'}})},
    };
    for (const Case& c : cases) {
        const Expansion back = Expanded(c.In, c.Capacity);
        EXPECT_EQ(back.Result, c.Result) << c.Name;
        EXPECT_EQ(back.Out, c.Out) << c.Name;
    }
}

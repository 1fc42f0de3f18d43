#include "FTD/FieldLayout.h"

#include "FtdTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

using namespace Tesmora::FTD;
using FtdTest::Bytes;

namespace {

// Member types and order of a CTP record, with wire sizes that differ from
// some members on purpose.
struct Sample {
    char Code[9];
    char Flag;
    int Volume;
    double Price;
    long long Sequence; // cut to four bytes on the wire
    unsigned short Port;
    char Tail[5];
};

const FieldLayout<Sample>& SampleLayout() {
    // clang-format off
    static const FieldLayout<Sample> layout(36, {
        {0,  9, &Sample::Code},
        {9,  1, &Sample::Flag},
        {10, 4, &Sample::Volume},
        {14, 8, &Sample::Price},
        // 22..23 left zero on purpose
        {24, 4, &Sample::Sequence},
        {28, 2, &Sample::Port},
        {30, 6, &Sample::Tail},
    });
    // clang-format on
    return layout;
}

Sample MakeSample() {
    Sample s;
    std::memset(&s, 0, sizeof s);
    std::strcpy(s.Code, "rb2405");
    s.Flag = '1';
    s.Volume = -2;
    s.Price = 3850.5; // 0x40AE 1500 0000 0000
    s.Sequence = -5;
    s.Port = 0xBEEF;
    std::strcpy(s.Tail, "wxyz");
    return s;
}

bool SameSample(const Sample& a, const Sample& b) {
    return std::strcmp(a.Code, b.Code) == 0 && a.Flag == b.Flag && a.Volume == b.Volume &&
           a.Price == b.Price && a.Sequence == b.Sequence && a.Port == b.Port &&
           std::strcmp(a.Tail, b.Tail) == 0;
}

} // namespace

TEST(FieldLayout, EncodesBigEndianAtTheTableOffsets) {
    const Bytes expected = {
        'r',  'b',  '2',  '4',  '0',  '5',  0,    0,    0, // Code
        '1',                                               // Flag
        0xFF, 0xFF, 0xFF, 0xFE,                            // Volume -2
        0x40, 0xAE, 0x15, 0x00, 0x00, 0x00, 0x00, 0x00,    // Price 3850.5
        0,    0,                                           // gap
        0xFF, 0xFF, 0xFF, 0xFB,                            // Sequence -5 in four bytes
        0xBE, 0xEF,                                        // Port
        'w',  'x',  'y',  'z',  0,    0,                   // Tail
    };
    EXPECT_EQ(SampleLayout().Encode(MakeSample()), expected);

    const Sample back = SampleLayout().Decode(expected.data(), expected.size());
    EXPECT_TRUE(SameSample(back, MakeSample()));
    EXPECT_EQ(back.Sequence, -5);
    EXPECT_EQ(back.Port, 0xBEEF);
}

TEST(FieldLayout, TextsKeepAtMostSizeMinusOneCharacters) {
    Sample s = MakeSample();
    // Member full to its last byte, no terminating zero: the wire keeps eight.
    std::memcpy(s.Code, "ABCDEFGHI", 9);
    const Bytes wire = SampleLayout().Encode(s);
    EXPECT_EQ(Bytes(wire.begin(), wire.begin() + 9), Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0}));

    // Wire array without a zero byte: read to its end, cut to what the member holds.
    Bytes full = wire;
    std::memcpy(full.data(), "123456789", 9);
    std::memcpy(full.data() + 30, "UVWXYZ", 6);
    const Sample back = SampleLayout().Decode(full.data(), full.size());
    EXPECT_STREQ(back.Code, "12345678");
    EXPECT_STREQ(back.Tail, "UVWX");
    EXPECT_EQ(back.Flag, '1'); // the neighbour is not taken into the text
}

TEST(FieldLayout, ShortFieldReadsAsZeroPaddedAndNothingBeyondIt) {
    const Bytes wire = SampleLayout().Encode(MakeSample());
    for (size_t length = 0; length <= wire.size(); ++length) {
        // Exactly length bytes of heap: a read past them shows under AddressSanitizer.
        std::unique_ptr<unsigned char[]> field(new unsigned char[length == 0 ? 1 : length]);
        std::memcpy(field.get(), wire.data(), length);
        Bytes padded(wire.size(), 0);
        std::memcpy(padded.data(), wire.data(), length);

        const Sample shortRead = SampleLayout().Decode(field.get(), length);
        const Sample paddedRead = SampleLayout().Decode(padded.data(), padded.size());
        EXPECT_TRUE(SameSample(shortRead, paddedRead)) << "length " << length;
    }
    // A number cut in the middle keeps its leading bytes.
    EXPECT_EQ(SampleLayout().Decode(wire.data(), 12).Volume, int(0xFFFF0000));
}

TEST(FieldLayout, RefusesTablesThatCannotBeRight) {
    struct Case {
        const char* Name;
        std::function<void()> Build;
    };
    const Case cases[] = {
        {"entry beyond the length",
         [] {
             FieldLayout<Sample>(8, {{0, 9, &Sample::Code}});
         }},
        {"overlapping entries",
         [] {
             FieldLayout<Sample>(20, {{0, 9, &Sample::Code}, {8, 1, &Sample::Flag}});
         }},
        {"double of four bytes",
         [] {
             FieldLayout<Sample>(20, {{0, 4, &Sample::Price}});
         }},
        {"char of two bytes",
         [] {
             FieldLayout<Sample>(20, {{0, 2, &Sample::Flag}});
         }},
        {"integer of three bytes",
         [] {
             FieldLayout<Sample>(20, {{0, 3, &Sample::Volume}});
         }},
        {"empty text",
         [] {
             FieldLayout<Sample>(20, {{0, 0, &Sample::Code}});
         }},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.Build(), std::invalid_argument) << c.Name;
    }
    EXPECT_NO_THROW(FieldLayout<Sample>(10, {{9, 1, &Sample::Flag}, {0, 9, &Sample::Code}}));
}

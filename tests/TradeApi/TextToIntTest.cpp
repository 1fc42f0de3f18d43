#include "TradeApi/TextToInt.h"

#include <gtest/gtest.h>

#include <climits>

using Tesmora::TradeApi::TextToInt;

TEST(TextToIntTest, ConvertsLenientlyFromTheFirstNumberCharacter) {
    struct Case {
        const char* Text;
        int Expected;
    };
    const Case cases[] = {
        {"", 0},   {"30222", 30222}, {"port=16801", 16801},   {"-12", -12},
        {".5", 0}, {"letters", 0},   {"000123", 123},         {"12abc", 12},
        {"+7", 7}, {"abc+", 0},      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToInt(c.Text), c.Expected) << '"' << c.Text << '"';
    }
}

TEST(TextToIntTest, OverflowGivesMinusOneOrOne) {
    EXPECT_EQ(TextToInt("99999999999999999999999"), -1);
    EXPECT_EQ(TextToInt("-99999999999999999999999"), 1);
    // Past the int range but inside 64 bits: reported as overflow, not wrapped.
    EXPECT_EQ(TextToInt("2147483648"), -1);
    EXPECT_EQ(TextToInt("-2147483649"), 1);
    EXPECT_EQ(TextToInt("4294967297"), -1);
}

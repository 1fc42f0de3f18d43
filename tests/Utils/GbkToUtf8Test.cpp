#include "Utils/GbkToUtf8.h"
#include "Utils/Utf16ToUtf8.h"

#include <gtest/gtest.h>

using Tesmora::Utils::GbkToUtf8;
using Tesmora::Utils::Utf16LeToUtf8;

TEST(GbkToUtf8Test, ConvertsWholeTextsOrNothing) {
    struct Case {
        const char* Gbk;
        const char* Utf8;
    };
    const Case cases[] = {
        {"", ""},
        {"CTP:No Error", "CTP:No Error"},
        {"\xC4\xE3", "\xE4\xBD\xA0"},                           // 你
        {"\xB3\xC9\xB9\xA6 ok", "\xE6\x88\x90\xE5\x8A\x9F ok"}, // 成功 ok
        {"\xC4", ""},                                           // first half of a character at the end
        {"abc\xFF", ""},                                        // a byte that starts no GBK character
        {"\xC4\xE3\xC4", ""},                                   // no partial text before the fault
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GbkToUtf8(c.Gbk), c.Utf8) << c.Gbk;
    }
}

TEST(GbkToUtf8Test, SurrogatesBecomeFourByteCharactersOrQuestionMarks) {
    struct Case {
        std::vector<unsigned char> Utf16Le;
        std::string Utf8;
    };
    const Case cases[] = {
        {{0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"}, // U+1F600 from D83D DE00
        {{0x00, 0xDC, 0x41, 0x00}, "?A"},               // lone low surrogate
        {{0x3D, 0xD8}, "?"},                            // high surrogate at the end
        {{0x3D, 0xD8, 0x41, 0x00}, "?A"},               // high surrogate not followed by a low one
        {{0x60, 0x4F, 0x41, 0x00},
         "\xE4\xBD\xA0"
         "A"},                      // U+4F60 then 'A'
        {{0xE9, 0x00}, "\xC3\xA9"}, // two-byte form
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16LeToUtf8(c.Utf16Le.data(), c.Utf16Le.size() / 2), c.Utf8);
    }
}

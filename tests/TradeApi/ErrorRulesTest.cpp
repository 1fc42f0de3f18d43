#include "TradeApi/ErrorRules.h"
#include "TradeApi/ErrorCodes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace Tesmora::TradeApi;

TEST(ErrorRules, RefusedRequestsMapThroughTheReturnCodeTable) {
    struct Case {
        int Value;
        const char* Code;
        const char* ProviderCode;
    };
    const Case cases[] = {
        {-1, "ErrNetwork", "-1"},         {-2, "ErrTooManyUnhandledReqs", "-2"},
        {-3, "ErrTooManyRequests", "-3"}, {-4, "ErrUndefined", "-4"},
        {7, "ErrUndefined", "7"},
    };
    for (const Case& c : cases) {
        const ErrorInfo error = RefusedRequestError(c.Value);
        EXPECT_EQ(error.Code, c.Code);
        EXPECT_EQ(error.ProviderCode, c.ProviderCode);
        EXPECT_EQ(error.ProviderMessage, "");
    }
}

TEST(ErrorRules, ResponseErrorKeepsNumberAndMessage) {
    const ErrorInfo error = ResponseError(3, "message");
    EXPECT_EQ(error.Code, "ErrUndefined");
    EXPECT_EQ(error.ProviderCode, "3");
    EXPECT_EQ(error.ProviderMessage, "message");
    EXPECT_EQ(ResponseError(-3, "").Code, "ErrTooManyRequests");
}

TEST(ErrorRules, LocalErrorHasOnlyTheCode) {
    const ErrorInfo error = LocalError(ErrorCode::ErrNotOpened);
    EXPECT_EQ(error.Code, "ErrNotOpened");
    EXPECT_EQ(error.ProviderCode, "");
    EXPECT_EQ(error.ProviderMessage, "");
}

TEST(ErrorRules, VocabularyIsCompleteUniqueAndInDeclaredOrder) {
    ASSERT_EQ(ErrorCodeCount, 74u);
    EXPECT_STREQ(AllErrorCodes[0], "ErrUndefined");
    EXPECT_STREQ(AllErrorCodes[1], "ErrNullResponce");
    EXPECT_STREQ(AllErrorCodes[8], "ErrNotOpened");
    EXPECT_STREQ(AllErrorCodes[ErrorCodeCount - 1], "ErrIncorrectAuthorizationInformation");
    std::set<std::string> unique(std::begin(AllErrorCodes), std::end(AllErrorCodes));
    EXPECT_EQ(unique.size(), ErrorCodeCount);
}

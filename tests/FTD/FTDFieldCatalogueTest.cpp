#include "FTD/FTDFieldCatalogue.h"

#include <gtest/gtest.h>

using namespace Tesmora::FTD;

TEST(FTDFieldCatalogue, FindsStandardRows) {
    struct Case {
        uint16_t Id;
        const char* Name;
        const char* Description;
        int16_t Size;
    };
    const Case cases[] = {
        {0x0012, "DepthMarketData", "深度行情", 408},
        {0x0000, "RspInfo", "响应信息", 88},
        {0x0401, "Order", "报单", 592},
        {0x1002, "ReqUserLogin", "用户登录请求", 188},
        {0x2441, "SpecificInstrument", "指定的合约", 31},
    };
    for (const Case& c : cases) {
        const FTDFieldInfo& info = FindField(c.Id);
        EXPECT_EQ(info.Name, c.Name) << c.Id;
        EXPECT_EQ(info.Description, c.Description) << c.Id;
        EXPECT_EQ(info.Size, c.Size) << c.Id;
    }
    // Every row present once, none lost to a duplicate identifier.
    EXPECT_EQ(FTDFieldCatalogue::Global().Count(), 342u);
}

TEST(FTDFieldCatalogue, UnknownIdentifiersGiveTheOneFallbackEntry) {
    const FTDFieldInfo& fallback = FTDFieldCatalogue::Fallback();
    EXPECT_EQ(fallback.Name, "Undefined");
    EXPECT_EQ(fallback.Description, "未定义");
    EXPECT_EQ(fallback.Size, 0);
    for (uint16_t id : {0x0010, 0x0011, 0x0802, 0x7777, 0xFFFF}) {
        EXPECT_EQ(&FindField(id), &fallback) << id;
        EXPECT_EQ(&FindField(id), &fallback) << id;
    }
    EXPECT_EQ(&FTDFieldCatalogue().FindField(0x0012), &fallback);
}

TEST(FTDFieldCatalogue, RegisteringAgainReplacesTheEntryInPlace) {
    FTDFieldCatalogue catalogue;
    catalogue.RegisterStandardFields();
    const FTDFieldInfo& before = catalogue.FindField(0x0012);

    catalogue.RegisterField(0x0012, 354, "DepthMarketDataV2", "深度行情二");
    catalogue.RegisterField(0x7001, 4, "Probe", nullptr);

    EXPECT_EQ(catalogue.Count(), 343u);
    const FTDFieldInfo& after = catalogue.FindField(0x0012);
    EXPECT_EQ(&after, &before);
    EXPECT_EQ(after.Name, "DepthMarketDataV2");
    EXPECT_EQ(after.Description, "深度行情二");
    EXPECT_EQ(after.Size, 354);
    EXPECT_EQ(catalogue.FindField(0x7001).Description, "");
    // The process-wide catalogue is another object and stays as it was.
    EXPECT_EQ(FindField(0x0012).Name, "DepthMarketData");
}

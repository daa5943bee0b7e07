#include <gtest/gtest.h>

#include "overlay/watermark_font.h"

namespace {

struct WatermarkFontTest : ::testing::Test {
    void TearDown() override { releaseWatermarkFont(); }
};

TEST_F(WatermarkFontTest, LoadsAFamilyOrItsMetricCompatibleStandIn)
{
    for (const char* name : {"Arial", "arial", "Liberation Sans"}) {
        ASSERT_TRUE(loadWatermarkFont(name, 14, 0, 0)) << name;
        ASSERT_NE(watermarkFont(), nullptr);
        EXPECT_EQ(watermarkFont()->family, "Liberation Sans") << name;
        EXPECT_EQ(watermarkFont()->pixelSize, 18);
    }
    ASSERT_TRUE(loadWatermarkFont("Arial", 24, 3, 2));  // BOLDITALIC, STRIKETHROUGHT
    const WatermarkFont* font = watermarkFont();
    EXPECT_EQ(font->pixelSize, 32);
    EXPECT_TRUE(font->bold && font->italic && font->strikeout);
    EXPECT_FALSE(font->underline);
}

TEST_F(WatermarkFontTest, RefusesWhatOnlyTheDefaultFontCouldServe)
{
    ASSERT_TRUE(loadWatermarkFont("Arial", 14, 0, 0));
    EXPECT_FALSE(loadWatermarkFont("NoSuchFont", 14, 0, 0));
    EXPECT_EQ(watermarkFont(), nullptr);
    EXPECT_FALSE(loadWatermarkFont("", 14, 0, 0));
    EXPECT_EQ(watermarkFont(), nullptr);
}

}  // namespace

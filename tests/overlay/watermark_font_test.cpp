#include <gtest/gtest.h>

#include "overlay/watermark_font.h"

namespace {

TEST(WatermarkFontTest, LoadsAFamilyOrItsMetricCompatibleStandIn)
{
    for (const char* name : {"Arial", "arial", "Liberation Sans"}) {
        const std::optional<WatermarkFont> font = loadWatermarkFont(name, 14, 0, 0);
        ASSERT_TRUE(font) << name;
        EXPECT_EQ(font->family, "Liberation Sans") << name;
        EXPECT_EQ(font->pixelSize, 18);
    }
    const std::optional<WatermarkFont> font = loadWatermarkFont("Arial", 24, 3, 2);  // BOLDITALIC, STRIKETHROUGHT
    ASSERT_TRUE(font);
    EXPECT_EQ(font->pixelSize, 32);
    EXPECT_TRUE(font->bold && font->italic && font->strikeout);
    EXPECT_FALSE(font->underline);
}

TEST(WatermarkFontTest, RefusesWhatOnlyTheDefaultFontCouldServe)
{
    EXPECT_FALSE(loadWatermarkFont("NoSuchFont", 14, 0, 0));
    EXPECT_FALSE(loadWatermarkFont("", 14, 0, 0));
}

}  // namespace

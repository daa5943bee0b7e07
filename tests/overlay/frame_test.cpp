#include <gtest/gtest.h>

#include <climits>

#include "overlay/frame.h"
#include "overlay/overlay_test_pictures.h"
#include "picture/colours.h"
#include "settings/conversion_settings.h"

namespace {

const Rgba kWhite{255, 255, 255};
const Rgba kRed{255, 0, 0};
const Rgba kBlue{0, 0, 255};

struct FrameTest : ::testing::Test {
    void SetUp() override
    {
        settings.frameType = kSolidFrame;
        settings.frameOpacity = 255;
    }

    void setBands(int left, int right, int top, int bottom, const std::string& colour)
    {
        settings.frameLeft = left;
        settings.frameRight = right;
        settings.frameTop = top;
        settings.frameBottom = bottom;
        settings.frameLeftColor = settings.frameRightColor = colour;
        settings.frameTopColor = settings.frameBottomColor = colour;
    }

    // Frames a white picture of the given size and depth.
    FIBITMAP* framedWhite(int width, int height, int bpp = 24)
    {
        picture =
            applyFrame(BitmapHandle(filledPicture(width, height, kWhite, bpp)), width, height, settings).release();
        return picture;
    }

    void TearDown() override
    {
        if (picture)
            FreeImage_Unload(picture);
    }

    ConversionSettings settings;
    FIBITMAP* picture = nullptr;
};

TEST(ColourFromHex, ReadsSixDigitsAndHoldsAlphaInRange)
{
    const RgbaColour orange = colourFromHex("FF8000", 300);
    EXPECT_EQ(orange.red, 255);
    EXPECT_EQ(orange.green, 128);
    EXPECT_EQ(orange.blue, 0);
    EXPECT_EQ(orange.alpha, 255);
    EXPECT_EQ(colourFromHex("FF8000", -4).alpha, 0);
    const RgbaColour shortText = colourFromHex("FFF", 7);
    EXPECT_EQ(shortText.red + shortText.green + shortText.blue, 0);
    EXPECT_EQ(shortText.alpha, 7);
}

TEST_F(FrameTest, EqualRedBandsCoverTheEdgesOnly)
{
    setBands(10, 10, 10, 10, "FF0000");
    framedWhite(100, 80);
    ASSERT_EQ(FreeImage_GetWidth(picture), 100u);
    ASSERT_EQ(FreeImage_GetHeight(picture), 80u);
    ASSERT_EQ(FreeImage_GetBPP(picture), 24u);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inBand = x < 10 || x >= 90 || y < 10 || y >= 70;
            ASSERT_EQ(pixelAt(picture, x, y), inBand ? kRed : kWhite) << x << "," << y;
        }
    }
}

TEST_F(FrameTest, NeighbouringBandsMeetOnTheCornerDiagonal)
{
    setBands(20, 0, 20, 0, "000000");
    settings.frameTopColor = "FF0000";
    settings.frameLeftColor = "0000FF";
    framedWhite(100, 80);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const Rgba p = pixelAt(picture, x, y);
            if (x - y >= 1)
                ASSERT_EQ(p, kRed) << x << "," << y;
            else if (y - x >= 1)
                ASSERT_EQ(p, kBlue) << x << "," << y;
            else {
                // The anti-aliased seam is shared about half and half.
                EXPECT_NEAR(p.red, 128, 16) << x;
                EXPECT_NEAR(p.red + p.blue, 255, 1) << x;
                EXPECT_EQ(p.green, 0);
            }
        }
    }
    EXPECT_EQ(pixelAt(picture, 20, 20), kWhite);
}

TEST_F(FrameTest, OpacityWeighsTheFrameAgainstThePicture)
{
    setBands(10, 10, 10, 10, "000000");
    settings.frameOpacity = 128;
    framedWhite(100, 80);
    const Rgba band = pixelAt(picture, 5, 40);
    EXPECT_GE(band.red, 127);
    EXPECT_LE(band.red, 128);
    EXPECT_EQ(band.green, band.red);
    EXPECT_EQ(band.blue, band.red);
    EXPECT_EQ(pixelAt(picture, 50, 40), kWhite);
}

TEST_F(FrameTest, NothingVisibleStillGives24Bits)
{
    setBands(10, 10, 10, 10, "000000");
    settings.frameOpacity = 0;
    framedWhite(100, 80, 32);
    ASSERT_EQ(FreeImage_GetBPP(picture), 24u);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(pixelAt(picture, x, y), kWhite);
    }
    FreeImage_Unload(picture);

    setBands(0, 0, 0, 0, "FF0000");
    settings.frameOpacity = 255;
    picture = applyFrame(BitmapHandle(FreeImage_Allocate(40, 30, 8)), 40, 30, settings).release();
    EXPECT_EQ(FreeImage_GetBPP(picture), 24u);
    settings.frameType = kNoFrame;
    EXPECT_EQ(applyFrame(BitmapHandle(picture), 40, 30, settings).release(), picture);
}

TEST_F(FrameTest, SingleBottomBandIsASquareBar)
{
    setBands(0, 0, 0, 30, "FF0000");
    framedWhite(100, 80);
    for (int x : {0, 1, 50, 98, 99}) {
        EXPECT_EQ(pixelAt(picture, x, 49), kWhite) << x;
        EXPECT_EQ(pixelAt(picture, x, 50), kRed) << x;
        EXPECT_EQ(pixelAt(picture, x, 79), kRed) << x;
    }
}

TEST_F(FrameTest, BandsWiderThanThePictureStayInside)
{
    setBands(70, 70, 50, 50, "FF0000");
    framedWhite(100, 80);
    EXPECT_EQ(pixelAt(picture, 50, 40), kRed);
    FreeImage_Unload(picture);

    setBands(INT_MAX, 0, 0, 0, "000000");
    settings.frameLeftColor = "0000FF";
    framedWhite(60, 40);
    for (int y : {0, 20, 39}) {
        for (int x : {0, 30, 59})
            EXPECT_EQ(pixelAt(picture, x, y), kBlue) << x << "," << y;
    }
    FreeImage_Unload(picture);

    setBands(-5, -5, INT_MIN, -1, "FF0000");
    framedWhite(60, 40);
    EXPECT_EQ(pixelAt(picture, 0, 0), kWhite);
    EXPECT_EQ(pixelAt(picture, 59, 39), kWhite);
}

TEST_F(FrameTest, WidePicturesAreFramedWithoutSeams)
{
    setBands(0, 0, 4, 0, "FF0000");
    framedWhite(5000, 12);
    for (int x = 2040; x < 2056; ++x) {
        EXPECT_EQ(pixelAt(picture, x, 3), kRed) << x;
        EXPECT_EQ(pixelAt(picture, x, 4), kWhite) << x;
    }
    EXPECT_EQ(pixelAt(picture, 4999, 0), kRed);
}

}  // namespace

#include <FreeImage.h>

#include <gtest/gtest.h>

#include <cstring>

#include "engine/synthetic_picture.h"
#include "engine/tone.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

class Tone : public ::testing::Test {
protected:
    ConversionSettings settings;
};

// Every pixel is palette entry 0, white; entry 1 is red.
Picture whiteOneBitPicture()
{
    Picture picture = makePicture(16, 8, 1, kBlack);
    RGBQUAD* palette = FreeImage_GetPalette(picture.get());
    palette[0].rgbRed = palette[0].rgbGreen = palette[0].rgbBlue = 255;
    palette[1].rgbRed = 255;
    return picture;
}

}  // namespace

TEST_F(Tone, GreyscaleThenThresholdGivesBlackAndWhite)
{
    Picture picture = makePicture(16, 8, 24, {60, 40, 20});
    for (unsigned y = 0; y < 8; ++y)
        for (unsigned x = 8; x < 16; ++x)
            setColourAt(picture.get(), x, y, {230, 200, 180});
    settings.greyscale = 1;
    settings.thresholdEnabled = 1;
    settings.threshold = 128;
    Picture grey = greyscalePicture(std::move(picture), settings);
    EXPECT_EQ(FreeImage_GetBPP(grey.get()), 8u);

    Picture blackAndWhite = thresholdPicture(std::move(grey), settings);
    ASSERT_NE(blackAndWhite, nullptr);
    EXPECT_EQ(FreeImage_GetBPP(blackAndWhite.get()), 1u);
    EXPECT_EQ(colourAt(blackAndWhite.get(), 2, 3), kBlack);
    EXPECT_EQ(colourAt(blackAndWhite.get(), 12, 3), kWhite);

    Picture deep = greyscalePicture(Picture(FreeImage_AllocateT(FIT_RGB16, 8, 8, 48)), settings);
    EXPECT_EQ(FreeImage_GetBPP(deep.get()), 8u);
}

TEST_F(Tone, OneBitPicturesAreReducedAgainFromTheirColours)
{
    // FreeImage alone would only swap the palette for black and white and
    // so turn the white picture black.
    settings.thresholdEnabled = 1;
    settings.threshold = 128;
    Picture thresholded = thresholdPicture(whiteOneBitPicture(), settings);
    ASSERT_NE(thresholded, nullptr);
    EXPECT_EQ(FreeImage_GetBPP(thresholded.get()), 1u);
    EXPECT_EQ(colourAt(thresholded.get(), 5, 5), kWhite);

    settings = ConversionSettings{};
    settings.ditherEnabled = 1;
    Picture dithered = ditherPicture(whiteOneBitPicture(), settings);
    ASSERT_NE(dithered, nullptr);
    EXPECT_EQ(FreeImage_GetBPP(dithered.get()), 1u);
    EXPECT_EQ(colourAt(dithered.get(), 5, 5), kWhite);
}

TEST_F(Tone, EightBitPicturesGoStraightToOneBit)
{
    settings.thresholdEnabled = 1;
    settings.threshold = 100;
    Picture thresholded = thresholdPicture(makePicture(16, 8, 8, {120, 120, 120}), settings);
    EXPECT_EQ(FreeImage_GetBPP(thresholded.get()), 1u);
    EXPECT_EQ(colourAt(thresholded.get(), 0, 0), kWhite);

    settings.ditherEnabled = 1;
    Picture dithered = ditherPicture(makePicture(16, 8, 8, kBlack), settings);
    EXPECT_EQ(FreeImage_GetBPP(dithered.get()), 1u);
    EXPECT_EQ(colourAt(dithered.get(), 3, 3), kBlack);
}

TEST_F(Tone, UnknownDitherCodesDitherLikeFloydSteinberg)
{
    settings.ditherEnabled = 1;
    auto ditheredGrey = [this](int algorithm) {
        settings.ditherAlgorithm = static_cast<int8_t>(algorithm);
        return ditherPicture(makePicture(32, 32, 24, {100, 100, 100}), settings);
    };
    Picture floydSteinberg = ditheredGrey(0);
    Picture unknown = ditheredGrey(42);
    Picture bayer = ditheredGrey(1);
    ASSERT_EQ(FreeImage_GetBPP(unknown.get()), 1u);
    const unsigned bytes = FreeImage_GetPitch(unknown.get()) * 32;
    EXPECT_EQ(0, memcmp(FreeImage_GetBits(unknown.get()), FreeImage_GetBits(floydSteinberg.get()), bytes));
    EXPECT_NE(0, memcmp(FreeImage_GetBits(bayer.get()), FreeImage_GetBits(floydSteinberg.get()), bytes));
}

TEST_F(Tone, AdjustmentWorksInPlaceAndWidensOneBitPictures)
{
    settings.adjustEnabled = 1;
    settings.invert = 1;
    Picture colour = makePicture(4, 4, 24, {10, 20, 30});
    FIBITMAP* const before = colour.get();
    Picture inverted = adjustPicture(std::move(colour), settings);
    EXPECT_EQ(inverted.get(), before);
    EXPECT_EQ(colourAt(inverted.get(), 1, 1), (Rgb{245, 235, 225}));

    Picture widened = adjustPicture(whiteOneBitPicture(), settings);
    EXPECT_EQ(FreeImage_GetBPP(widened.get()), 24u);
    EXPECT_EQ(colourAt(widened.get(), 1, 1), kBlack);
}

TEST(ToneConsole, GreyscaleOutputHasEqualChannels)
{
    ScratchFolder folder;
    runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path, "--greyscale"});
    Picture output(FreeImage_Load(FIF_JPEG, (folder.path + "kodim23.jpg").c_str(), 0));
    ASSERT_NE(output, nullptr);
    Picture rgb(FreeImage_ConvertTo24Bits(output.get()));
    int unequal = 0;
    for (unsigned y = 0; y < sizeOf(rgb).second; y += 7)
        for (unsigned x = 0; x < sizeOf(rgb).first; x += 7) {
            Rgb colour = colourAt(rgb.get(), x, y);
            unequal += colour.red != colour.green || colour.green != colour.blue;
        }
    EXPECT_EQ(unequal, 0);
}

#include <gtest/gtest.h>

#include <climits>

#include "overlay/naming.h"
#include "overlay/overlay_test_pictures.h"
#include "overlay/watermark.h"
#include "overlay/watermark_font.h"
#include "overlay/watermark_picture_layer.h"
#include "overlay/watermark_placement.h"
#include "overlay/watermark_text_box.h"
#include "overlay/watermark_text_layer.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

const Rgba kWhite{255, 255, 255};
const Rgba kBlack{0, 0, 0};
const Rgba kRed{255, 0, 0};
using Ints = std::vector<int>;

struct WatermarkTest : ::testing::Test {
    void TearDown() override
    {
        for (FIBITMAP* bitmap : owned)
            FreeImage_Unload(bitmap);
    }
    FIBITMAP* keep(FIBITMAP* bitmap)
    {
        if (bitmap)
            owned.push_back(bitmap);
        return bitmap;
    }
    std::string pictureFile(int width, int height, Rgba colour, int bpp = 24)
    {
        const std::string path = scratch.path + "mark" + std::to_string(owned.size()) + ".png";
        FIBITMAP* mark = keep(filledPicture(width, height, colour, bpp));
        FreeImage_Save(FIF_PNG, mark, path.c_str(), 0);
        return path;
    }
    void usePicture(const std::string& path, int position, int xOffset, int yOffset)
    {
        settings.watermarkType = kPictureWatermark;
        settings.wmImage = path;
        settings.wmImagePosition = static_cast<int8_t>(position);
        settings.wmImageXOffset = xOffset;
        settings.wmImageYOffset = yOffset;
    }
    // White text on an opaque black box, not anti-aliased.
    void useText(const std::string& text)
    {
        settings.watermarkType = kTextWatermark;
        settings.wmText = text;
        settings.wmBackOpacity = 255;
        font = loadWatermarkFont("Arial", 14, 0, 0);
        ASSERT_TRUE(font);
    }
    FIBITMAP* textLayer(const std::string& text) { return keep(buildTextLayer(text, *font, settings)); }
    FIBITMAP* watermarked(int width, int height, Rgba colour = kWhite, int bpp = 24)
    {
        BitmapHandle picture(filledPicture(width, height, colour, bpp));
        return keep(applyWatermark(std::move(picture), width, height, settings, facts, font).release());
    }

    ConversionSettings settings;
    NamingFacts facts;
    std::optional<WatermarkFont> font;
    ScratchFolder scratch;
    std::vector<FIBITMAP*> owned;
};

// First and last column of rows [top, bottom) holding the colour.
std::pair<int, int> inkColumns(FIBITMAP* layer, int top, int bottom, Rgba ink)
{
    int first = INT_MAX;
    int last = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < static_cast<int>(FreeImage_GetWidth(layer)); ++x) {
            if (pixelAt(layer, x, y) == ink) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

TEST(WatermarkText, LinesBreakAtEveryEolInAnyCase)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitWatermarkLines("a%EOL%b%Eol%c%eol%d"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitWatermarkLines("x%eol%"), (Lines{"x", ""}));
    EXPECT_EQ(splitWatermarkLines("100% eol"), (Lines{"100% eol"}));
}

TEST(WatermarkText, BoxPadsTheLinesAndAlignsThem)
{
    ConversionSettings settings;
    settings.wmTextPadding = 5;
    for (int alignment : {0, 1, 2}) {
        settings.wmTextAlignment = static_cast<int8_t>(alignment);
        const TextBox one = layOutTextBox({{31, 16, 30.6}}, false, settings);
        EXPECT_EQ(one.width, 41);
        EXPECT_EQ(one.height, 26);
        EXPECT_EQ(one.lineX, Ints{5});
        EXPECT_EQ(one.lineY, Ints{5});
    }
    settings.wmTextPadding = 4;
    settings.wmTextAlignment = kAlignRight;
    EXPECT_EQ(layOutTextBox({{11, 16, 11.0}, {60, 16, 60.0}}, false, settings).lineX, (Ints{53, 4}));
    // Anti-aliased lines align by their unrounded width.
    EXPECT_EQ(layOutTextBox({{11, 16, 9.6}, {60, 16, 60.0}}, true, settings).lineX, (Ints{54, 4}));
    settings.wmTextAlignment = kAlignCenter;  // (68 - 11) / 2 = 28.5, away from zero
    EXPECT_EQ(layOutTextBox({{11, 16, 11.0}, {60, 16, 60.0}}, false, settings).lineX, (Ints{29, 4}));
}

TEST(WatermarkText, LinesStepByTheTallestLinePlusLeading)
{
    ConversionSettings settings;
    settings.wmTextPadding = 3;
    settings.wmFontLeading = 2;
    const TextBox three = layOutTextBox({{20, 16, 20.0}, {30, 14, 30.0}, {25, 16, 25.0}}, false, settings);
    EXPECT_EQ(three.height, 16 + 2 * 18 + 6);
    EXPECT_EQ(three.lineY, (Ints{3, 21, 39}));
    // An empty last line (a trailing line break) still takes its step.
    EXPECT_EQ(layOutTextBox({{20, 16, 20.0}, {0, 16, 0.0}}, false, settings).height, 16 + 18 + 6);
    // Several lines are at least 10 by 10.
    settings.wmFontLeading = 0;
    const TextBox tiny = layOutTextBox({{3, 4, 3.0}, {2, 4, 2.0}}, false, settings);
    EXPECT_EQ(tiny.width, 10 + 6);
    EXPECT_EQ(tiny.height, 20 + 6);
}

TEST_F(WatermarkTest, DrawnTextFillsThePaddedBoxAtItsOpacities)
{
    useText("ABC");
    FIBITMAP* bare = textLayer("ABC");
    settings.wmTextPadding = 5;
    FIBITMAP* padded = textLayer("ABC");
    ASSERT_TRUE(bare && padded);
    const int width = static_cast<int>(FreeImage_GetWidth(padded));
    const int height = static_cast<int>(FreeImage_GetHeight(padded));
    EXPECT_EQ(width, static_cast<int>(FreeImage_GetWidth(bare)) + 10);
    EXPECT_EQ(height, static_cast<int>(FreeImage_GetHeight(bare)) + 10);
    const auto [first, last] = inkColumns(padded, 0, height, kWhite);
    EXPECT_GE(first, 5);
    EXPECT_LT(first, 8);
    EXPECT_LE(last, width - 6);
    // Without anti-aliasing every pixel is either text or box.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            ASSERT_TRUE(pixelAt(padded, x, y) == kWhite || pixelAt(padded, x, y) == kBlack) << x << "," << y;
    }

    // Anti-aliased, the text at its opacity is laid over the box at its own.
    settings.wmTextAntialiasing = 1;
    settings.wmTextOpacity = 200;
    settings.wmBackColor = "0000FF";
    settings.wmBackOpacity = 60;
    FIBITMAP* smooth = textLayer("H");
    ASSERT_NE(smooth, nullptr);
    EXPECT_EQ(pixelAt(smooth, 1, 1), (Rgba{0, 0, 255, 60}));
    int strongest = 0;
    for (int x = 0; x < static_cast<int>(FreeImage_GetWidth(smooth)); ++x)
        strongest = std::max(strongest, pixelAt(smooth, x, static_cast<int>(FreeImage_GetHeight(smooth)) / 2).alpha);
    EXPECT_NEAR(strongest, 200 + 60 * 55 / 255, 1);
}

TEST_F(WatermarkTest, DrawnLinesFollowTheAlignment)
{
    useText("");
    settings.wmTextPadding = 4;
    settings.wmTextAlignment = kAlignRight;
    FIBITMAP* right = textLayer("A%eol%BBBBBB");
    ASSERT_NE(right, nullptr);
    const int width = static_cast<int>(FreeImage_GetWidth(right));
    const int half = static_cast<int>(FreeImage_GetHeight(right)) / 2;
    const auto [firstA, lastA] = inkColumns(right, 0, half, kWhite);
    const auto [firstB, lastB] = inkColumns(right, half, half * 2, kWhite);
    EXPECT_NEAR(lastA, width - 5, 2);
    EXPECT_NEAR(lastB, width - 5, 2);
    EXPECT_GT(firstA, width / 2);
    EXPECT_NEAR(firstB, 4, 2);

    settings.wmTextAlignment = kAlignCenter;
    FIBITMAP* centred = textLayer("A%EOL%BBBBBB");
    const auto [firstC, lastC] = inkColumns(centred, 0, half, kWhite);
    EXPECT_NEAR((firstC + lastC) / 2.0, (width - 1) / 2.0, 2.0);
}

TEST_F(WatermarkTest, UnusableFontTextOrSettingsLeaveNoTextLayer)
{
    useText("ABC");
    EXPECT_EQ(textLayer(""), nullptr);
    settings.wmTextPadding = INT_MAX;
    EXPECT_EQ(textLayer("ABC"), nullptr);
    settings.wmTextPadding = 0;
    settings.wmFontLeading = -1000;
    EXPECT_EQ(textLayer("A%eol%B%eol%C"), nullptr);
    settings.wmFontLeading = 0;

    // A colour of the wrong length is black; opacities are held to 0..255.
    settings.wmFontColor = "FFF";
    settings.wmTextOpacity = 999;
    settings.wmBackColor = "FF0000";
    settings.wmBackOpacity = -20;
    FIBITMAP* layer = textLayer("ABC");
    ASSERT_NE(layer, nullptr);
    EXPECT_GE(inkColumns(layer, 0, static_cast<int>(FreeImage_GetHeight(layer)), kBlack).second, 0);
    EXPECT_EQ(pixelAt(layer, 0, 0), (Rgba{255, 0, 0, 0}));

    for (int size : {0, -3, 1000000}) {
        font = loadWatermarkFont("Arial", size, 0, 0);
        ASSERT_TRUE(font);
        EXPECT_EQ(textLayer("ABC"), nullptr) << size;
    }
    // Without a font the picture still leaves in 24 bits, unchanged.
    font.reset();
    FIBITMAP* picture = watermarked(40, 30, kRed, 32);
    EXPECT_EQ(FreeImage_GetBPP(picture), 24u);
    EXPECT_EQ(pixelAt(picture, 39, 29), kRed);
}

TEST_F(WatermarkTest, TextNamesTheSizeOfTheFileBeingConverted)
{
    useText("%width%x%height%");
    settings.wmTextPosition = kTopLeft;
    settings.wmTextXOffset = settings.wmTextYOffset = 0;
    FIBITMAP* placeholders = watermarked(321, 123, kRed);
    settings.wmText = "321x123";
    FIBITMAP* literal = watermarked(321, 123, kRed);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(pixelAt(placeholders, x, y), pixelAt(literal, x, y)) << x << "," << y;
    }
    EXPECT_NE(pixelAt(literal, 0, 0), kRed);
}

TEST_F(WatermarkTest, PlacementByPositionOffsetsAndFrame)
{
    settings.watermarkType = kPictureWatermark;
    settings.wmImageXOffset = 10;
    settings.wmImageYOffset = 20;
    const int expected[9][2] = {{10, 20},   {270, 20}, {530, 20},  {10, 225}, {270, 225},
                                {530, 225}, {10, 430}, {270, 430}, {530, 430}};
    for (int position = 0; position < 9; ++position) {
        settings.wmImagePosition = static_cast<int8_t>(position);
        const WatermarkPoint at = placeWatermark(640, 480, 100, 30, settings);
        EXPECT_EQ(at.x, expected[position][0]) << position;
        EXPECT_EQ(at.y, expected[position][1]) << position;
    }
    settings.wmImagePosition = kBottomRight;
    settings.wmImageYOffset = 10;
    settings.wmImageBoundary = kFrameBoundary;  // but no frame yet
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).x, 530);
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).y, 440);
    settings.frameType = kSolidFrame;
    settings.frameLeft = settings.frameRight = settings.frameTop = settings.frameBottom = 20;
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).x, 510);
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).y, 420);
    settings.wmImagePosition = 9;
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).x, 20);
    // A text watermark goes by the text placement.
    settings.watermarkType = kTextWatermark;
    settings.wmTextPosition = kTopLeft;
    settings.wmTextXOffset = 3;
    EXPECT_EQ(placeWatermark(640, 480, 100, 30, settings).x, 3);
}

TEST_F(WatermarkTest, FitCutsToTheAreaLessTheOffset)
{
    settings.watermarkType = kPictureWatermark;
    settings.wmImageXOffset = settings.wmImageYOffset = 10;
    FIBITMAP* wide = filledPicture(700, 40, kRed, 32);
    setPixel(wide, 629, 0, kWhite);
    FIBITMAP* cut = keep(fitWatermark(wide, 640, 480, 700, 40, settings));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(cut), 630u);
    EXPECT_EQ(FreeImage_GetHeight(cut), 40u);
    EXPECT_EQ(pixelAt(cut, 629, 0), kWhite);
    for (int offset : {640, INT_MAX}) {
        settings.wmImageXOffset = offset;
        EXPECT_EQ(fitWatermark(filledPicture(100, 30, kRed, 32), 640, 480, 100, 30, settings), nullptr) << offset;
    }
    // So the picture goes on without it; and one partly outside is not stamped.
    usePicture(pictureFile(10, 10, kRed), kTopLeft, 60, 0);
    EXPECT_EQ(pixelAt(watermarked(60, 60), 5, 5), kWhite);
    settings.wmImageXOffset = -5;
    EXPECT_EQ(pixelAt(watermarked(60, 60), 2, 2), kWhite);
}

TEST_F(WatermarkTest, MiddleCenterIgnoresOffsetsYetCuts)
{
    usePicture(pictureFile(700, 20, kRed), kMiddleCenter, 10, 10);
    FIBITMAP* picture = watermarked(640, 480);
    // Cut to 630, then centred: columns 5 to 634, rows 230 to 249.
    EXPECT_EQ(pixelAt(picture, 4, 240), kWhite);
    EXPECT_EQ(pixelAt(picture, 5, 240), kRed);
    EXPECT_EQ(pixelAt(picture, 634, 240), kRed);
    EXPECT_EQ(pixelAt(picture, 635, 240), kWhite);
    EXPECT_EQ(pixelAt(picture, 320, 229), kWhite);
    EXPECT_EQ(pixelAt(picture, 320, 230), kRed);
    EXPECT_EQ(pixelAt(picture, 320, 249), kRed);
    EXPECT_EQ(pixelAt(picture, 320, 250), kWhite);
}

TEST_F(WatermarkTest, OnlyAnglesInsideAFullTurnRotate)
{
    const std::string mark = pictureFile(100, 30, kRed);
    for (int angle : {90, 360, -45, 0}) {
        usePicture(mark, kTopLeft, 0, 0);
        settings.wmImageRotation = angle;
        FIBITMAP* picture = watermarked(200, 200);
        const bool turned = angle == 90;
        EXPECT_EQ(pixelAt(picture, turned ? 29 : 99, turned ? 99 : 29), kRed) << angle;
        EXPECT_EQ(pixelAt(picture, turned ? 30 : 100, 5), kWhite) << angle;
        EXPECT_EQ(pixelAt(picture, 5, turned ? 100 : 30), kWhite) << angle;
    }
}

TEST_F(WatermarkTest, GreyscalePictureWatermarkAtHalfOpacity)
{
    usePicture(pictureFile(8, 8, kRed, 32), kTopLeft, 0, 0);
    settings.wmImageGreyscale = 1;
    settings.wmImageOpacity = 128;
    EXPECT_EQ(pixelAt(keep(buildPictureLayer(settings)), 3, 3), (Rgba{76, 76, 76, 128}));
    // Laid over white: 76 × 128/255 + 255 × 127/255.
    FIBITMAP* picture = watermarked(20, 20, kWhite, 32);
    ASSERT_EQ(FreeImage_GetBPP(picture), 24u);
    EXPECT_NEAR(pixelAt(picture, 3, 3).red, 165, 1);
    EXPECT_EQ(pixelAt(picture, 10, 10), kWhite);

    settings.wmImageGreyscale = 0;
    settings.wmImageOpacity = 1000;
    EXPECT_EQ(pixelAt(keep(buildPictureLayer(settings)), 0, 0), kRed);
    settings.wmImageOpacity = -5;
    EXPECT_EQ(pixelAt(keep(buildPictureLayer(settings)), 0, 0).alpha, 0);
}

TEST_F(WatermarkTest, UnusablePictureFilesLeaveNoWatermark)
{
    const std::string content = readFile(pictureFile(50, 50, kRed));
    const std::string truncated = scratch.path + "truncated.png";
    writeFile(truncated, content.substr(0, content.size() / 2));
    const std::string corrupt = scratch.path + "corrupt.png";
    writeFile(corrupt, content.substr(0, 16) + std::string(content.size(), '\x5a'));
    const std::string text = scratch.path + "notes.png";
    writeFile(text, "just some words, not a picture\n");
    // A BMP header announcing 20000 by 20000 pixels with nothing behind it.
    std::string huge(54, '\0');
    for (auto [at, value] : {std::pair{2, 54}, {10, 54}, {14, 40}, {18, 20000}, {22, 20000}, {26, 1}, {28, 24}}) {
        for (int i = 0; i < 4; ++i)
            huge[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    huge[0] = 'B';
    huge[1] = 'M';
    const std::string hugePath = scratch.path + "huge.bmp";
    writeFile(hugePath, huge);

    for (const std::string& path : {truncated, corrupt, text, hugePath, scratch.path + "missing.png", std::string()}) {
        usePicture(path, kTopLeft, 0, 0);
        EXPECT_EQ(keep(buildPictureLayer(settings)), nullptr) << path;
        FIBITMAP* picture = watermarked(60, 60, kWhite, 32);
        EXPECT_EQ(FreeImage_GetBPP(picture), 24u);
        EXPECT_EQ(pixelAt(picture, 10, 10), kWhite) << path;
    }
    settings.watermarkType = kNoWatermark;
    FIBITMAP* untouched = keep(filledPicture(8, 8, kWhite, 32));
    EXPECT_EQ(applyWatermark(BitmapHandle(untouched), 8, 8, settings, facts, font).release(), untouched);
}

}  // namespace

#include <FreeImage.h>

#include <gtest/gtest.h>

#include <climits>

#include "engine/geometry.h"
#include "engine/resize.h"
#include "engine/synthetic_picture.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kOrange{255, 128, 0};

class Geometry : public ::testing::Test {
protected:
    Picture rotated(int angle, int type, const std::string& backColour, Picture picture)
    {
        settings.rotateEnabled = 1;
        settings.rotationAngle = angle;
        settings.rotationType = static_cast<int8_t>(type);
        settings.rotationBackColor = backColour;
        return rotatePicture(std::move(picture), settings);
    }

    void resizeTo(int width, int height, bool keepRatio, int unit = 0)
    {
        settings.resizeEnabled = 1;
        settings.resizeWidth = width;
        settings.resizeHeight = height;
        settings.resizeWidthUnit = settings.resizeHeightUnit = static_cast<int8_t>(unit);
        settings.keepAspectRatio = keepRatio ? 1 : 0;
    }

    // The size after a resize: the same pointer when the step left it alone,
    // 0 by 0 when it gave no picture.
    Size resized(unsigned width, unsigned height, bool* untouched = nullptr)
    {
        Picture original = makePicture(width, height, 24, kWhite);
        FIBITMAP* const before = original.get();
        Picture picture =
            resizePicture(std::move(original), static_cast<int>(width), static_cast<int>(height), settings);
        if (untouched)
            *untouched = picture.get() == before;
        return sizeOf(picture);
    }

    ConversionSettings settings;
};

}  // namespace

TEST_F(Geometry, RotationTypesAndAngles)
{
    EXPECT_EQ(sizeOf(rotated(90, 0, "000000", makePicture(3072, 2048, 24, kWhite))), Size(2048, 3072));
    EXPECT_EQ(sizeOf(rotated(90, 1, "000000", makePicture(3072, 2048, 24, kWhite))), Size(3072, 2048));
    for (int angle : {0, -90, 360}) {
        FIBITMAP* original = makePicture(30, 20, 24, kWhite).release();
        EXPECT_EQ(rotated(angle, 0, "000000", Picture(original)).get(), original) << angle;
    }
}

TEST_F(Geometry, SimpleRotationFillsTheCornersWithTheBackColour)
{
    Picture picture = rotated(45, 0, "FF8000", makePicture(200, 100, 24, kWhite));
    EXPECT_EQ(colourAt(picture.get(), 0, 0), kOrange);
    EXPECT_EQ(colourAt(picture.get(), sizeOf(picture).first / 2, sizeOf(picture).second / 2), kWhite);

    // A grey palette cannot hold orange: the picture is turned to 24 bits first.
    Picture grey = rotated(45, 0, "FF8000", makePicture(200, 100, 8, kWhite));
    EXPECT_EQ(FreeImage_GetBPP(grey.get()), 24u);
    EXPECT_EQ(colourAt(grey.get(), 0, 0), kOrange);

    EXPECT_EQ(colourAt(rotated(45, 0, "F80", makePicture(200, 100, 24, kWhite)).get(), 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(colourAt(rotated(45, 0, "ff80zz", makePicture(200, 100, 24, kWhite)).get(), 0, 0), (Rgb{0, 0, 0}));
}

TEST_F(Geometry, ResizeRules)
{
    resizeTo(50, 50, true, 1);
    EXPECT_EQ(resized(3072, 2048), Size(1536, 1024));
    resizeTo(800, 800, true);
    EXPECT_EQ(resized(3072, 2048), Size(800, 533));
    EXPECT_EQ(resized(2048, 3072), Size(533, 800));
    resizeTo(800, 800, false);
    EXPECT_EQ(resized(3072, 2048), Size(800, 800));

    settings.resizeType = kResizeLargeImages;
    bool untouched = false;
    EXPECT_EQ(resized(640, 480, &untouched), Size(640, 480));
    EXPECT_TRUE(untouched);
    EXPECT_EQ(resized(1000, 480), Size(800, 800));
}

TEST_F(Geometry, UnusableTargetsLeaveThePictureAlone)
{
    EXPECT_EQ(targetDimension(50, 1, 3), 2);
    EXPECT_EQ(targetDimension(50, 2, 3072), 0);
    struct Target {
        int width, height, unit;
    };
    for (Target target : {Target{0, 600, 0}, Target{800, -5, 0}, Target{40, 30, 0}, Target{1, 100, 1}}) {
        resizeTo(target.width, target.height, false, target.unit);
        bool untouched = false;
        resized(40, 30, &untouched);
        EXPECT_TRUE(untouched) << target.width << "x" << target.height;
    }
}

TEST_F(Geometry, AbsurdTargetsFailInsteadOfAllocating)
{
    EXPECT_EQ(targetDimension(INT_MAX, 1, INT_MAX), INT_MAX);
    resizeTo(100000, 100000, false);
    EXPECT_EQ(resized(768, 512), Size(0, 0));
    resizeTo(16385, 16384, false);
    EXPECT_EQ(resized(768, 512), Size(0, 0));
    resizeTo(INT_MAX, 1, true, 1);
    EXPECT_EQ(resized(768, 512), Size(0, 0));
}

TEST_F(Geometry, ATurnBeyondThePictureSizeLimitFailsBeforeAllocating)
{
    // 12000 x 12000 turned by 45 degrees would be 16971 x 16971: 2.9e8
    // pixels, and 2.5 GB on the way. At one bit the picture itself is 18 MB.
    EXPECT_EQ(sizeOf(rotated(45, 0, "000000", makePicture(12000, 12000, 1, kWhite))), Size(0, 0));
    EXPECT_EQ(sizeOf(rotated(315, 0, "000000", makePicture(16384, 8192, 1, kWhite))), Size(0, 0));
    // The advanced rotation keeps the size; a turn by a right angle only swaps it.
    EXPECT_EQ(sizeOf(rotated(45, 1, "000000", makePicture(600, 400, 1, kWhite))), Size(600, 400));
    EXPECT_EQ(sizeOf(rotated(270, 0, "000000", makePicture(600, 400, 1, kWhite))), Size(400, 600));
}

TEST_F(Geometry, FlipsMoveAMarkedPixel)
{
    Picture picture = makePicture(4, 3, 24, kWhite);
    setColourAt(picture.get(), 0, 0, kRed);
    settings.flipHorizontal = 1;
    picture = flipPicture(std::move(picture), settings);
    EXPECT_EQ(colourAt(picture.get(), 3, 0), kRed);

    settings.flipHorizontal = 0;
    settings.flipVertical = 1;
    picture = flipPicture(std::move(picture), settings);
    EXPECT_EQ(colourAt(picture.get(), 3, 2), kRed);
    EXPECT_EQ(colourAt(picture.get(), 3, 0), kWhite);
}

TEST(GeometryConsole, RotationAndResizeShapeTheOutput)
{
    auto outputSize = [](std::vector<std::string> options) {
        ScratchFolder folder;
        std::vector<std::string> arguments{"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path};
        arguments.insert(arguments.end(), options.begin(), options.end());
        runKorvane(arguments);
        return sizeOf(Picture(FreeImage_Load(FIF_JPEG, (folder.path + "kodim23.jpg").c_str(), 0)));
    };
    EXPECT_EQ(outputSize({"--rotation=90"}), Size(512, 768));
    EXPECT_EQ(outputSize({"--width=50", "--width-unit=percent", "--height=50", "--height-unit=percent"}),
              Size(384, 256));
    EXPECT_EQ(outputSize({"--width=400", "--height=400", "--keep-aspect-ratio"}), Size(400, 267));
    EXPECT_EQ(outputSize({"--width=100000", "--height=100000"}), Size(0, 0));
}

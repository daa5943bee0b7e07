#include <gtest/gtest.h>

#include "overlay/overlay_test_pictures.h"
#include "test_support.h"

namespace {

// JPEG keeps a flat colour within a few levels; edges blur a little more.
constexpr int kJpegTolerance = 12;

struct ConvertedPicture {
    FIBITMAP* bitmap = nullptr;
    ~ConvertedPicture()
    {
        if (bitmap)
            FreeImage_Unload(bitmap);
    }
};

void convertSample(const ScratchFolder& folder, std::vector<std::string> options, ConvertedPicture& result)
{
    std::vector<std::string> arguments{"-i", testDataPath("kodim23.pcd"), "-o", folder.path};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const ProgramRun run = runKorvane(arguments);
    ASSERT_NE(run.output.find("Files converted: 1 of 1"), std::string::npos) << run.output;
    result.bitmap = FreeImage_Load(FIF_JPEG, (folder.path + "kodim23.jpg").c_str(), 0);
    ASSERT_NE(result.bitmap, nullptr);
}

void expectNear(Rgba actual, Rgba expected, const std::string& where)
{
    EXPECT_NEAR(actual.red, expected.red, kJpegTolerance) << where;
    EXPECT_NEAR(actual.green, expected.green, kJpegTolerance) << where;
    EXPECT_NEAR(actual.blue, expected.blue, kJpegTolerance) << where;
}

TEST(OverlayConversion, FramedSampleHasItsBandsAndKeepsItsInside)
{
    ScratchFolder plainFolder;
    ScratchFolder framedFolder;
    ConvertedPicture plain;
    ConvertedPicture framed;
    convertSample(plainFolder, {}, plain);
    convertSample(framedFolder,
                  {"--fr-solid-left=20", "--fr-solid-left-color=FF0000", "--fr-solid-bottom=30",
                   "--fr-solid-bottom-color=0000FF"},
                  framed);
    const int width = static_cast<int>(FreeImage_GetWidth(framed.bitmap));
    const int height = static_cast<int>(FreeImage_GetHeight(framed.bitmap));
    ASSERT_EQ(FreeImage_GetWidth(plain.bitmap), static_cast<unsigned>(width));
    ASSERT_EQ(FreeImage_GetHeight(plain.bitmap), static_cast<unsigned>(height));
    for (int y : {5, height / 2, height - 40})
        expectNear(pixelAt(framed.bitmap, 8, y), {255, 0, 0}, "left band, row " + std::to_string(y));
    for (int x : {40, width / 2, width - 3})
        expectNear(pixelAt(framed.bitmap, x, height - 12), {0, 0, 255}, "bottom band, column " + std::to_string(x));
    for (int x : {30, width / 2}) {
        const std::string where = "inside, column " + std::to_string(x);
        expectNear(pixelAt(framed.bitmap, x, height / 2), pixelAt(plain.bitmap, x, height / 2), where);
    }
}

TEST(OverlayConversion, WatermarkedSamplesCarryTheirWatermark)
{
    ScratchFolder folder;
    const std::string markPath = folder.path + "mark.png";
    FIBITMAP* mark = filledPicture(120, 60, {0, 255, 0});
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, mark, markPath.c_str(), 0));
    FreeImage_Unload(mark);

    ScratchFolder pictureOut;
    ConvertedPicture pictureMarked;
    convertSample(
        pictureOut,
        {"--wm-image=" + markPath, "--wm-image-position=TOPLEFT", "--wm-image-x-offset=30", "--wm-image-y-offset=40"},
        pictureMarked);
    expectNear(pixelAt(pictureMarked.bitmap, 40, 50), {0, 255, 0}, "picture watermark");
    expectNear(pixelAt(pictureMarked.bitmap, 145, 95), {0, 255, 0}, "picture watermark");

    ScratchFolder textOut;
    ConvertedPicture textMarked;
    convertSample(textOut,
                  {"--wm-text=Korvane", "--wm-back-color=0000FF", "--wm-back-opacity=255", "--wm-text-padding=12",
                   "--wm-font=Arial"},
                  textMarked);
    const int width = static_cast<int>(FreeImage_GetWidth(textMarked.bitmap));
    const int height = static_cast<int>(FreeImage_GetHeight(textMarked.bitmap));
    // Inside the box's bottom-right padding, 10 pixels in from the corner.
    expectNear(pixelAt(textMarked.bitmap, width - 10 - 5, height - 10 - 5), {0, 0, 255}, "text box");
    // Some of the white text inside the padding, near the box's corner.
    bool whiteText = false;
    for (int x = width - 60; x < width - 22 && !whiteText; ++x) {
        for (int y = height - 40; y < height - 22 && !whiteText; ++y) {
            const Rgba p = pixelAt(textMarked.bitmap, x, y);
            whiteText = p.red > 200 && p.green > 200 && p.blue > 200;
        }
    }
    EXPECT_TRUE(whiteText);
}

}  // namespace

#include <FreeImage.h>

#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "engine/photocd_source.h"
#include "engine/pixmap_reader.h"
#include "test_support.h"

namespace {

struct Loaded {
    FIBITMAP* bitmap = nullptr;
    explicit Loaded(FIBITMAP* b) : bitmap(b) { }
    ~Loaded()
    {
        if (bitmap)
            FreeImage_Unload(bitmap);
    }
};

std::string noisyPixels(int width, int height)
{
    std::mt19937 random(static_cast<unsigned>(width * 7919 + height));
    std::string pixels(static_cast<size_t>(width) * height * 3, '\0');
    for (char& c : pixels)
        c = static_cast<char>(random() & 0xFF);
    return pixels;
}

// The whole bitmap, padding bytes included, as FreeImage's own loader makes it.
void expectSameAsFreeImage(const std::string& path)
{
    Loaded ours(readEightBitPixmap(path));
    Loaded theirs(FreeImage_Load(FIF_PPMRAW, path.c_str(), 0));
    ASSERT_NE(ours.bitmap, nullptr) << path;
    ASSERT_NE(theirs.bitmap, nullptr) << path;
    EXPECT_EQ(FreeImage_GetImageType(ours.bitmap), FreeImage_GetImageType(theirs.bitmap));
    EXPECT_EQ(FreeImage_GetColorType(ours.bitmap), FreeImage_GetColorType(theirs.bitmap));
    ASSERT_EQ(FreeImage_GetBPP(ours.bitmap), FreeImage_GetBPP(theirs.bitmap));
    ASSERT_EQ(FreeImage_GetWidth(ours.bitmap), FreeImage_GetWidth(theirs.bitmap));
    ASSERT_EQ(FreeImage_GetHeight(ours.bitmap), FreeImage_GetHeight(theirs.bitmap));
    ASSERT_EQ(FreeImage_GetPitch(ours.bitmap), FreeImage_GetPitch(theirs.bitmap));
    EXPECT_EQ(FreeImage_GetRedMask(ours.bitmap), FreeImage_GetRedMask(theirs.bitmap));
    EXPECT_EQ(FreeImage_GetBlueMask(ours.bitmap), FreeImage_GetBlueMask(theirs.bitmap));
    EXPECT_EQ(FreeImage_GetDotsPerMeterX(ours.bitmap), FreeImage_GetDotsPerMeterX(theirs.bitmap));
    const size_t pitch = FreeImage_GetPitch(ours.bitmap);
    for (unsigned y = 0; y < FreeImage_GetHeight(ours.bitmap); ++y)
        ASSERT_EQ(std::memcmp(FreeImage_GetScanLine(ours.bitmap, y), FreeImage_GetScanLine(theirs.bitmap, y), pitch), 0)
            << "scan line " << y << " of " << path;
}

}  // namespace

TEST(PixmapReader, MakesTheBitmapFreeImageWouldMake)
{
    ScratchFolder folder;
    // An odd width, so that rows carry padding; blanks of every kind between
    // the header numbers.
    const std::string plain = folder.path + "plain.ppm";
    writeFile(plain, "P6\n37 23\n255\n" + noisyPixels(37, 23));
    expectSameAsFreeImage(plain);
    const std::string spaced = folder.path + "spaced.ppm";
    writeFile(spaced, "P6 \t5\r\n\n3  255\r" + noisyPixels(5, 3) + "trailing bytes are ignored");
    expectSameAsFreeImage(spaced);
}

TEST(PixmapReader, DeclinesWhatItDoesNotReadExactlyLikeFreeImage)
{
    ScratchFolder folder;
    const std::string pixels = noisyPixels(4, 2);
    const std::vector<std::pair<std::string, std::string>> declined{
        {"sixteen-bit", "P6\n4 2\n65535\n" + pixels + pixels},
        {"small maximum", "P6\n4 2\n15\n" + pixels},
        {"comment", "P6\n# made by hand\n4 2\n255\n" + pixels},
        {"grey", "P5\n4 2\n255\n" + pixels},
        {"text", "P3\n1 1\n255\n1 2 3\n"},
        {"short", "P6\n4 2\n255\n" + pixels.substr(0, pixels.size() - 1)},
        {"no blank after the maximum", "P6\n4 2\n255" + pixels},
        {"zero width", "P6\n0 2\n255\n"},
        {"huge", "P6\n99999 99999\n255\nshort"},
        {"empty", ""},
    };
    for (const auto& [name, content] : declined) {
        const std::string path = folder.path + "declined.ppm";
        writeFile(path, content);
        Loaded loaded(readEightBitPixmap(path));
        EXPECT_EQ(loaded.bitmap, nullptr) << name;
    }
    Loaded missing(readEightBitPixmap(folder.path + "missing.ppm"));
    EXPECT_EQ(missing.bitmap, nullptr);
}

// If convert ever wrote its pictures differently, every conversion would
// quietly take FreeImage's far slower road.
TEST(PixmapReader, ReadsWhatConvertExtracts)
{
    ScratchFolder folder;
    const std::string picture = folder.path + "picture.ppm";
    extractSubimage(testDataPath("kodim23.pcd"), 3, picture, folder.path);
    ASSERT_TRUE(fileExists(picture)) << "ImageMagick's convert is needed";
    expectSameAsFreeImage(picture);
}

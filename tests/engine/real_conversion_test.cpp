#include <FreeImage.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "test_support.h"

namespace {

struct JpegFacts {
    unsigned width = 0;
    unsigned height = 0;
    bool fullChroma = false;  // every component sampled 1x1 (4:4:4)
    int luminanceDc = 0;      // first quantiser of the first table
    int luminanceMax = 0;
};

JpegFacts readJpegFacts(const std::string& path)
{
    JpegFacts facts;
    std::string data = readFile(path);
    auto byte = [&](size_t i) { return static_cast<unsigned char>(data[i]); };
    bool tableSeen = false;
    for (size_t i = 2; i + 4 < data.size();) {
        if (byte(i) != 0xFF)
            break;
        unsigned marker = byte(i + 1);
        size_t length = (byte(i + 2) << 8) | byte(i + 3);
        if (marker == 0xDB && !tableSeen) {
            tableSeen = true;
            facts.luminanceDc = byte(i + 5);
            for (size_t k = 0; k < 64; ++k)
                facts.luminanceMax = std::max<int>(facts.luminanceMax, byte(i + 5 + k));
        }
        if (marker == 0xC0 || marker == 0xC2) {
            facts.height = (byte(i + 5) << 8) | byte(i + 6);
            facts.width = (byte(i + 7) << 8) | byte(i + 8);
            unsigned components = byte(i + 9);
            facts.fullChroma = true;
            for (unsigned c = 0; c < components; ++c)
                facts.fullChroma = facts.fullChroma && byte(i + 11 + 3 * c) == 0x11;
            break;
        }
        i += 2 + length;
    }
    return facts;
}

// Mean absolute difference of the grey values of two pictures of one size.
double meanGreyDifference(FIBITMAP* a, FIBITMAP* b, bool flipB)
{
    FIBITMAP* greyA = FreeImage_ConvertToGreyscale(a);
    FIBITMAP* greyB = FreeImage_ConvertToGreyscale(b);
    unsigned width = FreeImage_GetWidth(greyA);
    unsigned height = FreeImage_GetHeight(greyA);
    double sum = 0;
    for (unsigned y = 0; y < height; ++y) {
        BYTE* rowA = FreeImage_GetScanLine(greyA, static_cast<int>(y));
        BYTE* rowB = FreeImage_GetScanLine(greyB, static_cast<int>(flipB ? height - 1 - y : y));
        for (unsigned x = 0; x < width; ++x)
            sum += std::abs(int(rowA[x]) - int(rowB[x]));
    }
    FreeImage_Unload(greyA);
    FreeImage_Unload(greyB);
    return sum / (double(width) * height);
}

struct SampleCase {
    const char* file;
    unsigned width;
    unsigned height;
};

class RealConversion : public ::testing::TestWithParam<SampleCase> { };

}  // namespace

TEST_P(RealConversion, GivesTheLargestStoredResolutionAsQuality95FullChromaJpeg)
{
    const SampleCase sample = GetParam();
    ScratchFolder folder;
    ProgramRun run = runKorvane({"-q", "-i", testDataPath(std::string(sample.file) + ".pcd"), "-o", folder.path});
    EXPECT_EQ(run.output, "");
    std::string output = folder.path + sample.file + ".jpg";
    ASSERT_TRUE(fileExists(output));

    JpegFacts facts = readJpegFacts(output);
    EXPECT_EQ(facts.width, sample.width);
    EXPECT_EQ(facts.height, sample.height);
    EXPECT_TRUE(facts.fullChroma);
    EXPECT_EQ(facts.luminanceDc, 2);    // (16 * 10 + 50) / 100 at quality 95
    EXPECT_EQ(facts.luminanceMax, 12);  // (121 * 10 + 50) / 100

    FIBITMAP* decoded = FreeImage_Load(FIF_JPEG, output.c_str(), 0);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(decoded), sample.width);
    FreeImage_Unload(decoded);
}

INSTANTIATE_TEST_SUITE_P(Samples, RealConversion,
                         ::testing::Values(SampleCase{"kodim23", 768, 512}, SampleCase{"kodim15-4base", 1536, 1024},
                                           SampleCase{"kodim23-16base", 3072, 2048}, SampleCase{"kodim04", 512, 768},
                                           SampleCase{"kodim04-16base", 2048, 3072}),
                         [](const ::testing::TestParamInfo<SampleCase>& info) {
                             std::string name = info.param.file;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(RealConversion, PictureIsTheRightWayUp)
{
    ScratchFolder folder;
    runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path});
    FIBITMAP* converted = FreeImage_Load(FIF_JPEG, (folder.path + "kodim23.jpg").c_str(), 0);
    FIBITMAP* original = FreeImage_Load(FIF_PNG, testDataPath("kodim23.png").c_str(), 0);
    ASSERT_NE(converted, nullptr);
    ASSERT_NE(original, nullptr);
    double upright = meanGreyDifference(converted, original, false);
    double flipped = meanGreyDifference(converted, original, true);
    EXPECT_LT(upright, 15.0);
    EXPECT_LT(upright * 2, flipped);
    FreeImage_Unload(converted);
    FreeImage_Unload(original);
}

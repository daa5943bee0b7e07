#include <FreeImage.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include <gtest/gtest.h>

#include "engine/photocd_source.h"
#include "engine/worker.h"
#include "test_support.h"

namespace {

// A small binary PPM picture of the given size, as convert would leave it.
std::string ppmPicture(int width, int height)
{
    std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    return header + std::string(static_cast<size_t>(width * height * 3), '\x80');
}

// A stub convert that logs each subimage index it is asked for and copies
// the prepared picture of that index, if there is one, to its output.
std::string loggingStub(const ScratchFolder& folder)
{
    return stubConvertPath(folder, "log=\"" + folder.path +
                                       "runs.log\"\n"
                                       "index=$(printf '%s' \"$4\" | sed 's/.*\\[\\([0-9]*\\)\\]$/\\1/')\n"
                                       "printf '%s ' \"$index\" >> \"$log\"\n"
                                       "out=${5#ppm:}\n"
                                       "[ -f \"" +
                                       folder.path + "picture-$index.ppm\" ] && cp \"" + folder.path +
                                       "picture-$index.ppm\" \"$out\"\n"
                                       "exit 1");
}

// A file with the .pcd extension that carries no image pac header.
std::string headerlessInput(const ScratchFolder& folder)
{
    std::string path = folder.path + "plain.pcd";
    writeFile(path, std::string(4096, 'x'));
    return path;
}

// Peak signal to noise ratio in dB over all three channels of two 24-bit
// pictures; 0 when their sizes differ.
double peakSignalToNoise(FIBITMAP* a, FIBITMAP* b)
{
    const unsigned width = FreeImage_GetWidth(a);
    const unsigned height = FreeImage_GetHeight(a);
    if (width != FreeImage_GetWidth(b) || height != FreeImage_GetHeight(b) || FreeImage_GetBPP(a) != 24 ||
        FreeImage_GetBPP(b) != 24)
        return 0;
    double squares = 0;
    for (unsigned y = 0; y < height; ++y) {
        const BYTE* rowA = FreeImage_GetScanLine(a, static_cast<int>(y));
        const BYTE* rowB = FreeImage_GetScanLine(b, static_cast<int>(y));
        for (unsigned i = 0; i < width * 3; ++i)
            squares += (rowA[i] - rowB[i]) * (rowA[i] - rowB[i]);
    }
    const double meanSquare = squares / (3.0 * width * height);
    return meanSquare == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / meanSquare);
}

}  // namespace

TEST(PhotoCdHeader, HighestStoredResolutionComesFromTheAttributesByte)
{
    EXPECT_EQ(storedPhotoCdLevel(testDataPath("kodim23.pcd")), 0);
    EXPECT_EQ(storedPhotoCdLevel(testDataPath("kodim04.pcd")), 0);
    EXPECT_EQ(storedPhotoCdLevel(testDataPath("kodim15-4base.pcd")), 1);
    EXPECT_EQ(storedPhotoCdLevel(testDataPath("kodim23-16base.pcd")), 2);

    std::vector<uint8_t> header(0xE03, 0);
    std::copy_n("PCD_IPI", 7, header.begin() + 2048);
    header[0xE02] = 0x0C;  // a resolution that does not exist
    EXPECT_EQ(photoCdLevelFromHeader(header.data(), header.size()), std::nullopt);
    header[0xE02] = 0x05;  // 4Base, rotated
    EXPECT_EQ(photoCdLevelFromHeader(header.data(), header.size()), 1);
    EXPECT_EQ(photoCdLevelFromHeader(header.data(), 0xE02), std::nullopt);
    header[2048] = 'X';
    EXPECT_EQ(photoCdLevelFromHeader(header.data(), header.size()), std::nullopt);
}

TEST(PhotoCdHeader, AClaimOfHigherResolutionsInABaseSizedFileIsIgnored)
{
    ScratchFolder folder;
    std::string pac = readFile(testDataPath("kodim23.pcd"));
    pac[0xE02] = 0x08;
    writeFile(folder.path + "claims16base.pcd", pac);
    EXPECT_EQ(storedPhotoCdLevel(folder.path + "claims16base.pcd"), 0);
    EXPECT_EQ(storedPhotoCdLevel(folder.path + "missing.pcd"), std::nullopt);
}

TEST(SubimageWorthExtracting, SecondExtractionOnlyForWidePicturesOfPhotoCdSize)
{
    EXPECT_EQ(subimageWorthExtracting(3072, 1024), 4);
    EXPECT_EQ(subimageWorthExtracting(1024, 3072), 4);
    EXPECT_EQ(subimageWorthExtracting(6144, 2048), 5);
    EXPECT_EQ(subimageWorthExtracting(1536, 512), 3);
    EXPECT_EQ(subimageWorthExtracting(3072, 2048), 0);
    EXPECT_EQ(subimageWorthExtracting(1638, 1024), 0);  // just under the limit of 1.6
    EXPECT_EQ(subimageWorthExtracting(3000, 1000), 0);
    EXPECT_EQ(subimageWorthExtracting(0, 0), 0);
}

TEST(Extraction, HeaderlessInputTriesEveryIndexUntilOneLeavesAPicture)
{
    ScratchFolder folder;
    writeFile(folder.path + "picture-0.ppm", ppmPicture(64, 48));
    std::string path = loggingStub(folder);
    ProgramRun run = runKorvane({"-q", "-i", headerlessInput(folder), "-o", folder.path}, {{"PATH", path}});
    EXPECT_EQ(readFile(folder.path + "runs.log"), "6 5 4 3 2 1 0 ");
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(folder.path + "plain.jpg"));
}

TEST(Extraction, StoredResolutionSkipsIndexesThatCannotExist)
{
    ScratchFolder folder;
    std::string path = loggingStub(folder);
    runKorvane({"-q", "-i", testDataPath("kodim23-16base.pcd"), "-o", folder.path}, {{"PATH", path}});
    runKorvane({"-q", "-i", testDataPath("kodim15-4base.pcd"), "-o", folder.path}, {{"PATH", path}});
    writeFile(folder.path + "picture-3.ppm", ppmPicture(768, 512));
    runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path}, {{"PATH", path}});
    // 16Base from 5 down, 4Base from 4 down (nothing left by the stub), Base at 3 at once.
    EXPECT_EQ(readFile(folder.path + "runs.log"), "5 4 3 2 1 0 4 3 2 1 0 3 ");
}

TEST(Extraction, WidePictureOfPhotoCdSizeIsExtractedOnceMore)
{
    ScratchFolder folder;
    writeFile(folder.path + "picture-6.ppm", ppmPicture(1536, 512));
    writeFile(folder.path + "picture-3.ppm", ppmPicture(96, 64));
    std::string path = loggingStub(folder);
    runKorvane({"-q", "-i", headerlessInput(folder), "-o", folder.path}, {{"PATH", path}});
    EXPECT_EQ(readFile(folder.path + "runs.log"), "6 3 ");
    EXPECT_TRUE(fileExists(folder.path + "plain.jpg"));
}

TEST(Extraction, WithoutConvertTheBaseComesOutAsImageMagickDecodesIt)
{
    struct Sample {
        const char* name;
        unsigned width, height;
    };
    for (const Sample& sample :
         {Sample{"kodim23", 768, 512}, Sample{"kodim04", 512, 768}, Sample{"kodim15-4base", 768, 512},
          Sample{"kodim23-16base", 768, 512}, Sample{"kodim04-16base", 512, 768}}) {
        const std::string name = sample.name;
        const std::string fallbackLine = "Base fallback: the picture was decoded at " + std::to_string(sample.width) +
                                         "x" + std::to_string(sample.height) + " without convert";
        ScratchFolder folder;
        ScratchFolder emptyPath;
        // ImageMagick's decode of the Base, through the program and the real
        // convert: a copy as long as a Base-only pac holds nothing larger.
        writeFile(folder.path + name + "-base.pcd", readFile(testDataPath(name + ".pcd")).substr(0, 385 * 2048));
        ProgramRun run =
            runKorvane({"-d", "--jpg-quality=100", "-i", folder.path + name + "-base.pcd", "-o", folder.path});
        std::vector<std::string> lines = run.lines();
        ASSERT_EQ(std::find(lines.begin(), lines.end(), fallbackLine), lines.end()) << name << ": convert did not run";
        run = runKorvane({"-d", "--jpg-quality=100", "-i", testDataPath(name + ".pcd"), "-o", folder.path},
                         {{"PATH", emptyPath.path}});
        lines = run.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), fallbackLine), lines.end()) << name << ":\n" << run.output;

        FIBITMAP* byImageMagick = FreeImage_Load(FIF_JPEG, (folder.path + name + "-base.jpg").c_str(), 0);
        FIBITMAP* fallback = FreeImage_Load(FIF_JPEG, (folder.path + name + ".jpg").c_str(), 0);
        ASSERT_NE(byImageMagick, nullptr) << name;
        ASSERT_NE(fallback, nullptr) << name;
        EXPECT_EQ(FreeImage_GetWidth(fallback), sample.width) << name;
        EXPECT_EQ(FreeImage_GetHeight(fallback), sample.height) << name;
        // About 46 dB, both pictures through the JPEG encoder. Chroma taken
        // from the nearest sample gives 39.6, a wrong turn 11, FreeImage's
        // PhotoCD decoder 9 (upside down, too bright, never turned).
        EXPECT_GE(peakSignalToNoise(fallback, byImageMagick), 43.0) << name;
        FreeImage_Unload(byImageMagick);
        FreeImage_Unload(fallback);
    }
}

TEST(Extraction, GarbageLeftByConvertFallsBackToTheBasePicture)
{
    ScratchFolder folder;
    std::string path = stubConvertPath(folder, "printf 'P6\\n99999 99999\\n255\\nshort' > \"${5#ppm:}\"");
    ProgramRun run = runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path}, {{"PATH", path}});
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(folder.path + "kodim23.jpg"));
}

TEST(Extraction, NonPhotoCdContentFailsWithoutOutput)
{
    ScratchFolder folder;
    ScratchFolder emptyPath;
    ProgramRun run = runKorvane({"-q", "-i", headerlessInput(folder), "-o", folder.path}, {{"PATH", emptyPath.path}});
    EXPECT_EQ(run.output, "Conversion stopped\n");
    EXPECT_FALSE(fileExists(folder.path + "plain.jpg"));
}

TEST(Extraction, UsersFilesBesideTheInputAndTheTemporaryFolderSurvive)
{
    ScratchFolder work;
    ScratchFolder temp;
    writeFile(work.path + "kodim23.tga", "my own targa");
    writeFile(work.path + "kodim23.ppm", "my own pixmap");
    ProgramRun run =
        runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", work.path}, {{"TMPDIR", temp.path}}, work.path);
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(work.path + "kodim23.jpg"));
    EXPECT_EQ(readFile(work.path + "kodim23.tga"), "my own targa");
    EXPECT_EQ(readFile(work.path + "kodim23.ppm"), "my own pixmap");
    EXPECT_TRUE(namesIn(temp.path).empty()) << "the private work folder was left behind";
}

TEST(Extraction, NoFileNameReachesConvertAsACoderOrOption)
{
    ScratchFolder folder;
    std::string path = stubConvertPath(folder, "printf '%s\\n' \"$@\" >> \"" + folder.path + "args.log\"");
    std::string tricky = folder.path + "-ps:x[1].pcd";
    writeFile(tricky, readFile(testDataPath("kodim23.pcd")));
    runKorvane({"-q", "-i", tricky, "-o", folder.path}, {{"PATH", path}});
    std::string args = readFile(folder.path + "args.log");
    EXPECT_NE(args.find("-quiet\n-colorspace\nsRGB\npcd:"), std::string::npos) << args;
    EXPECT_EQ(args.find("ps:x"), std::string::npos) << args;
    EXPECT_NE(args.find("[3]\nppm:"), std::string::npos) << args;
}

TEST(Extraction, AHungConvertIsStoppedAfterTheTimeLimit)
{
    ScratchFolder folder;
    std::string path = stubConvertPath(folder, "sleep 60");
    const auto start = std::chrono::steady_clock::now();
    ProgramRun run = runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path},
                                {{"PATH", path}, {"KORVANE_CONVERT_TIMEOUT", "1"}});
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    // One try stopped after a second, then the Base picture from FreeImage.
    EXPECT_LT(seconds.count(), 30);
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(folder.path + "kodim23.jpg"));
}

TEST(Extraction, TheBaseDecoderStillWorksWhenConvertCannotBeUsed)
{
    ScratchFolder folder;
    ScratchFolder emptyPath;
    // No temporary folder to extract into.
    ProgramRun run =
        runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folder.path}, {{"TMPDIR", folder.path + "missing"}});
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(folder.path + "kodim23.jpg"));

    // A full-size pac whose attributes byte names no resolution, and no convert.
    std::string pac = readFile(testDataPath("kodim23-16base.pcd"));
    pac[0xE02] = static_cast<char>(pac[0xE02] | 0x0C);
    writeFile(folder.path + "damaged.pcd", pac);
    run = runKorvane({"-q", "-i", folder.path + "damaged.pcd", "-o", folder.path}, {{"PATH", emptyPath.path}});
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(fileExists(folder.path + "damaged.jpg"));
}

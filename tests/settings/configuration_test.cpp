#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "formats/format_lists.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

// Every field config.ini keeps (configPath aside).
// clang-format off
#define EVERY_STORED_FIELD(X)                                                                              \
    X(configVersion) X(language) X(updateRange) X(updateDate) X(saveWindowPosition) X(windowMaximized)      \
    X(windowX) X(windowY) X(windowWidth) X(windowHeight) X(uiTheme) X(uiSize) X(inputGroup) X(ddsLoadAs)   \
    X(gifFrameLoading) X(icoFrameLoading) X(tiffFrameLoading) X(psdColorMode) X(rawLoadAs)                 \
    X(rawHeaderSize) X(rawWidth) X(rawHeight) X(rawToneMapping) X(outputFormat) X(bmpBpp)                  \
    X(bmpCompression) X(bmpColorTable) X(ddsBpp) X(exrBpp) X(exrCompression) X(gifBpp) X(hdrBpp)          \
    X(icoBpp) X(j2kBpp) X(jngBpp) X(jp2Bpp) X(jpgBpp) X(jpgQuality) X(jpgChroma) X(jpgSaveAs) X(jxrBpp)   \
    X(pbmBpp) X(pcxBpp) X(pfmBpp) X(pgmBpp) X(pngBpp) X(pngCompression) X(pngInterlaced) X(ppmBpp)        \
    X(psdBpp) X(tgaBpp) X(tgaCompression) X(tiffBpp) X(tiffCompression) X(tiffColorMode) X(wbmpBpp)       \
    X(webpBpp) X(webpQuality) X(xpmBpp) X(rotateEnabled) X(rotationType) X(rotationAngle)                 \
    X(rotationBackColor) X(resizeEnabled) X(resizeWidth) X(resizeWidthUnit) X(resizeHeight)               \
    X(resizeHeightUnit) X(keepAspectRatio) X(resizeType) X(resizeAlgorithm) X(flipHorizontal)             \
    X(flipVertical) X(adjustEnabled) X(brightness) X(contrast) X(gamma) X(invert) X(greyscale)            \
    X(thresholdEnabled) X(threshold) X(ditherEnabled) X(ditherAlgorithm) X(frameType) X(frameLeft)        \
    X(frameRight) X(frameTop) X(frameBottom) X(frameLeftColor) X(frameRightColor) X(frameTopColor)        \
    X(frameBottomColor) X(frameOpacity) X(watermarkType) X(wmText) X(wmFontList) X(wmFont) X(wmFontSize)  \
    X(wmFontLeading) X(wmFontColorList) X(wmFontColor) X(wmFontStyle) X(wmFontEffect)                     \
    X(wmTextAntialiasing) X(wmTextAlignment) X(wmTextPadding) X(wmTextOpacity) X(wmBackColorList)         \
    X(wmBackColor) X(wmBackOpacity) X(wmTextBoundary) X(wmTextPosition) X(wmTextXOffset)                  \
    X(wmTextYOffset) X(wmTextRotation) X(wmTextSize) X(wmTextScale) X(wmImage) X(wmImageGreyscale)        \
    X(wmImageOpacity) X(wmImageBoundary) X(wmImagePosition) X(wmImageXOffset) X(wmImageYOffset)           \
    X(wmImageRotation) X(wmImageSize) X(wmImageScale) X(filenameMask) X(fileTimestamp)                    \
    X(customTimestamp) X(outFoldersHistory) X(outFoldersNumber) X(keepSubfolders) X(recentOutFolders)     \
    X(recentFiles) X(cleanRecentFiles)
// clang-format on

// A value unlike any default and unlike the other fields'.
void makeDistinct(int32_t& field, int n)
{
    field = n % 2 ? -1000 - n : 1000 + n;
}
void makeDistinct(int8_t& field, int n)
{
    field = static_cast<int8_t>(n % 2 ? -10 - n % 100 : 10 + n % 100);
}
void makeDistinct(float& field, int n)
{
    field = 2.5f + static_cast<float>(n);
}
void makeDistinct(std::string& field, int n)
{
    field = "value \xC3\xA9 " + std::to_string(n);
}

// A config.ini in a scratch folder that g_settings points at.
struct ConfigFile {
    ScratchFolder folder;
    std::string path = folder.path + "config.ini";
    ConfigFile() { g_settings.configPath = path; }
    void load(const std::string& content)
    {
        writeFile(path, content);
        loadConfiguration();
    }
};

const std::string kMark = "\xEF\xBB\xBF\r\n";

}  // namespace

TEST(Configuration, SavingTheDefaultsGivesExactlyThisFile)
{
    ConfigFile config;
    resetSettings(false);
    g_settings.updateDate = 1700000000;
    g_settings.customTimestamp = 1600000000;
    g_settings.windowX = 257;
    g_settings.windowY = 254;
    ASSERT_TRUE(saveConfiguration());
    const std::string colours = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";
    EXPECT_EQ(readFile(config.path),
              kMark +
                  "[General]\r\nCFG = 19\r\nLanguage = en\r\nUpdate Range = 2\r\nUpdate Date = 1700000000\r\n"
                  "Save Window Position = 1\r\n; \r\n"
                  "[Window]\r\nIsMaximized = 0\r\nWidth = 510\r\nHeight = 260\r\nX = 257\r\nY = 254\r\n; \r\n"
                  "[Interface]\r\nUI Theme = handdrawn\r\nUI Size = 2\r\n; \r\n"
                  "[Input]\r\nFormat = pcd\r\n; \r\n"
                  "[Output]\r\nFormat = jpg\r\nJPG BPP = 0\r\nJPG Quality = 95\r\nJPG Chroma = 0\r\n"
                  "JPG Save As = 0\r\n; \r\n"
                  "[Transform]\r\nDo Image Rotation = 0\r\nImage Rotation Type = 0\r\nImage Rotation = 0\r\n"
                  "Image Rotation Back Color = 000000\r\nDo Image Resize = 0\r\nImage Width = 0\r\n"
                  "Image Width Unit = 0\r\nImage Height = 0\r\nImage Height Unit = 0\r\nKeep Aspect Ratio = 1\r\n"
                  "Image Resize Type = 0\r\nImage Resize Algorithm = 3\r\nDo Image Flip Horizontal = 0\r\n"
                  "Do Image Flip Vertical = 0\r\n; \r\n"
                  "[Adjustment]\r\nDo Image Color Correction = 0\r\nImage Brightness = 0\r\nImage Contrast = 0\r\n"
                  "Image Gamma = 1.000000\r\nImage Invert = 0\r\nDo Image Greyscale = 0\r\n"
                  "Do Image Threshold = 0\r\nImage Threshold = 0\r\nDo Image Dither = 0\r\n"
                  "Image Dither Algorithm = 0\r\n; \r\n"
                  "[Frame]\r\nDo Frame = 0\r\nSolid Left = 0\r\nSolid Right = 0\r\nSolid Top = 0\r\n"
                  "Solid Bottom = 0\r\nSolid Left Color = 000000\r\nSolid Right Color = 000000\r\n"
                  "Solid Top Color = 000000\r\nSolid Bottom Color = 000000\r\nSolid Opacity = 255\r\n; \r\n"
                  "[Watermark]\r\nDo Watermark = 0\r\nText = " +
                  kMakerNotice +
                  "\r\n"
                  "Fonts = Arial,Tahoma,Verdana\r\nFont = Arial\r\nFont Size = 14\r\nFont Leading = 0\r\n"
                  "Font Colors = " +
                  colours +
                  "\r\nFont Color = FFFFFF\r\nFont Style = 0\r\nFont Effect = 0\r\n"
                  "Text Antialiasing = 0\r\nText Alignment = 0\r\nText Padding = 0\r\nText Opacity = 255\r\n"
                  "Back Colors = " +
                  colours +
                  "\r\nBack Color = 000000\r\nBack Opacity = 1\r\n"
                  "Text Boundary = 0\r\nText Position = 8\r\nText X Offset = 10\r\nText Y Offset = 10\r\n"
                  "Text Rotation = 0\r\nText Size = 0\r\nText Scale = 10\r\nImage = \r\nImage Greyscale = 0\r\n"
                  "Image Opacity = 255\r\nImage Boundary = 0\r\nImage Position = 8\r\nImage X Offset = 10\r\n"
                  "Image Y Offset = 10\r\nImage Rotation = 0\r\nImage Size = 0\r\nImage Scale = 10\r\n; \r\n"
                  "[Advanced]\r\nFilename Mask = %filename%.%ext%\r\nFile Timestamp = 0\r\n"
                  "Custom Timestamp = 1600000000\r\nOut Folders History = 1\r\nOut Folders Number = 5\r\n"
                  "Keep Subfolders = 1\r\nPhotoCD Decoder = 0\r\n; \r\n"
                  "[File]\r\nRecent Out Folders = \r\nRecent Files = \r\n; \r\n"
                  "[Privacy]\r\nClean Recent Files = 0\r\n; \r\n");

    g_settings.saveWindowPosition = 0;
    ASSERT_TRUE(saveConfiguration());
    EXPECT_NE(readFile(config.path).find("Save Window Position = 0\r\n; \r\n[Window]\r\n; \r\n[Interface]\r\n"),
              std::string::npos);
}

TEST(Configuration, EveryFieldSurvivesASaveAndALoad)
{
    ConfigFile config;
    // With every format offered, every option of every format is written.
    const auto keptInput = inputFormats;
    const auto keptOutput = outputFormats;
    inputFormats = {"pcd", "dds", "gif", "ico", "psd", "raw", "tiff"};
    outputFormats = {"jpg", "bmp", "dds", "exr", "gif", "hdr", "ico", "j2k",  "jng",  "jp2",  "jxr", "pbm",
                     "pcx", "pfm", "pgm", "png", "ppm", "psd", "tga", "tiff", "wbmp", "webp", "xpm"};
    int n = 0;
#define MAKE_DISTINCT(field) makeDistinct(g_settings.field, ++n);
    EVERY_STORED_FIELD(MAKE_DISTINCT)
    g_settings.configVersion = 7;  // whatever was read, the current layout is written
    const ConversionSettings saved = g_settings;
    const bool written = saveConfiguration();
    inputFormats = keptInput;
    outputFormats = keptOutput;
    ASSERT_TRUE(written);

    resetSettings(false);
    loadConfiguration();
    EXPECT_EQ(g_settings.configVersion, 19);
    g_settings.configVersion = saved.configVersion;
#define EXPECT_SAME(field) EXPECT_EQ(g_settings.field, saved.field) << #field;
    EVERY_STORED_FIELD(EXPECT_SAME)
}

TEST(Configuration, OnlyTheOptionsOfOfferedFormatsAreKept)
{
    ConfigFile config;
    config.load("[Output]\r\nPNG BPP = 24\r\nJPG Quality = 80\r\n[Input]\r\nRAW Header Size = 9\r\n");
    EXPECT_EQ(g_settings.pngBpp, 24);
    EXPECT_EQ(g_settings.rawHeaderSize, 9);
    ASSERT_TRUE(saveConfiguration());
    EXPECT_EQ(readFile(config.path).find("PNG BPP"), std::string::npos);
    EXPECT_EQ(readFile(config.path).find("RAW Header Size"), std::string::npos);
    loadConfiguration();
    EXPECT_EQ(g_settings.pngBpp, 0);
    EXPECT_EQ(g_settings.jpgQuality, 80);
}

TEST(Configuration, MissingKeysReadTheirDefaultsAndBytesKeepTheirLowBits)
{
    ConfigFile config;
    config.load("[general]\r\ncfg = 19\r\n[OUTPUT]\r\njpg QUALITY = 80\r\n"
                "[Advanced]\r\nOut Folders Number = 261\r\nKeep Subfolders = -1\r\n"
                "[Adjustment]\r\nImage Gamma = 1e300\r\n");
    EXPECT_EQ(g_settings.jpgQuality, 80);
    EXPECT_EQ(g_settings.gamma, INFINITY);
    EXPECT_EQ(g_settings.outFoldersNumber, 5);
    EXPECT_EQ(g_settings.keepSubfolders, -1);
    EXPECT_EQ(g_settings.windowX, 100);
    EXPECT_EQ(g_settings.windowY, 100);
    EXPECT_EQ(g_settings.webpQuality, 100);
    EXPECT_EQ(g_settings.rawToneMapping, 2);
    EXPECT_EQ(g_settings.keepAspectRatio, 1);
    EXPECT_EQ(g_settings.wmText, kMakerNotice);
    EXPECT_EQ(g_settings.outputFormat, "jpg");
}

TEST(Configuration, OlderLayoutsAreUpgraded)
{
    ConfigFile config;
    config.load("[Advanced]\r\nFilename Mask = %filename%\r\n");
    EXPECT_EQ(g_settings.configVersion, 0);
    EXPECT_EQ(g_settings.filenameMask, "%filename%.%ext%");
    config.load("[General]\r\nCFG = 11\r\n[Advanced]\r\nFilename Mask = %filename%\r\n");
    EXPECT_EQ(g_settings.filenameMask, "%filename%");

    config.load("[General]\r\nCFG = 13\r\n[Input]\r\nRAW Load As = 1\r\n");
    EXPECT_EQ(g_settings.rawLoadAs, 3);
    config.load("[General]\r\nCFG = 14\r\n[Input]\r\nRAW Load As = 1\r\n");
    EXPECT_EQ(g_settings.rawLoadAs, 1);
    config.load("[General]\r\nCFG = 13\r\n");
    EXPECT_EQ(g_settings.rawLoadAs, 0);

    const std::string oldModels = "[Input]\r\nPSD Color Mode = 1\r\nPSD Color Model = 2\r\n"
                                  "[Output]\r\nTIFF Color Model = 1\r\n";
    config.load("[General]\r\nCFG = 18\r\n" + oldModels);
    EXPECT_EQ(g_settings.psdColorMode, 2);
    EXPECT_EQ(g_settings.tiffColorMode, 1);
    config.load("[General]\r\nCFG = 18\r\n[Input]\r\nPSD Color Mode = 1\r\nPSD Color Model = 0\r\n");
    EXPECT_EQ(g_settings.psdColorMode, 1);
    config.load("[General]\r\nCFG = 19\r\n" + oldModels);
    EXPECT_EQ(g_settings.psdColorMode, 1);
    EXPECT_EQ(g_settings.tiffColorMode, 0);
}

TEST(Configuration, Latin1TextIsWrittenBackAsUtf8)
{
    ConfigFile config;
    config.load("[Watermark]\r\nText = Caf\xE9\r\n");
    EXPECT_EQ(g_settings.wmText, "Caf\xC3\xA9");
    ASSERT_TRUE(saveConfiguration());
    std::string saved = readFile(config.path);
    EXPECT_TRUE(saved.starts_with(kMark + "[General]"));
    EXPECT_NE(saved.find("\r\nText = Caf\xC3\xA9\r\n"), std::string::npos);
}

TEST(Configuration, BadFilesNeitherCrashNorHangAndTheNextSaveIsClean)
{
    ConfigFile config;
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    config.load(garbage);
    config.load(std::string(3 << 20, 'x') + "\n[Output]\nJPG Quality=" + std::string(1 << 20, '7'));
    config.load("[Output]\r\nJPG Quality = 80\r\njpg quality = 70\r\n");
    EXPECT_EQ(g_settings.jpgQuality, 70);  // the later of two repeated keys counts
    ASSERT_TRUE(saveConfiguration());
    std::string saved = readFile(config.path);
    EXPECT_EQ(saved.find("JPG Quality"), saved.rfind("JPG Quality"));
    EXPECT_TRUE(saved.starts_with(kMark + "[General]\r\nCFG = 19\r\n"));

    // Anything that is not a regular file reads as the first run.
    for (int kind = 0; kind < 2; ++kind) {
        ConfigFile other;
        ASSERT_EQ(kind == 0 ? mkdir(other.path.c_str(), 0700) : mkfifo(other.path.c_str(), 0600), 0);
        g_settings.jpgQuality = 5;
        loadConfiguration();
        EXPECT_EQ(g_settings.jpgQuality, 95);
        EXPECT_EQ(g_settings.configVersion, 19);
        EXPECT_EQ(g_settings.windowX, (1024 - 510) / 2);
    }
}

TEST(Configuration, AFailedSaveLeavesTheOldFileAndNoLeftovers)
{
    ConfigFile config;
    resetSettings(false);
    ASSERT_TRUE(saveConfiguration());
    const std::string old = readFile(config.path);

    // Root ignores permission bits but not a file size limit: the write fails half way.
    g_settings.wmText = std::string(100000, 'w');
    rlimit kept{};
    getrlimit(RLIMIT_FSIZE, &kept);
    rlimit tiny = kept;
    tiny.rlim_cur = 1000;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    const bool written = saveConfiguration();
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readFile(config.path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.folder.path), {}), 1);

    // A folder in the place of the file, and a file in the place of the folder.
    g_settings.configPath = config.folder.path + "folder";
    ASSERT_EQ(mkdir(g_settings.configPath.c_str(), 0700), 0);
    EXPECT_FALSE(saveConfiguration());
    EXPECT_TRUE(std::filesystem::is_directory(g_settings.configPath));
    g_settings.configPath = config.path + "/config.ini";
    EXPECT_FALSE(saveConfiguration());
    EXPECT_EQ(readFile(config.path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.folder.path), {}), 2);
}

namespace {

// The text in UTF-16 or UTF-32 of the byte order, without a mark.
std::string encoded(const std::string& ascii, size_t unitBytes, bool bigEndian)
{
    std::string bytes;
    for (char c : ascii) {
        std::string unit(unitBytes, '\0');
        unit[bigEndian ? unitBytes - 1 : 0] = c;
        bytes += unit;
    }
    return bytes;
}

// What the code writes to standard error meanwhile.
template <typename Action>
std::string standardErrorOf(Action action)
{
    ScratchFolder folder;
    const std::string path = folder.path + "stderr";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int capture = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(capture, STDERR_FILENO);
    close(capture);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    return readFile(path);
}

}  // namespace

TEST(Configuration, UnicodeWithoutItsMarkOrInUtf32IsReadAndAFileOfNoKnownKeyIsKeptOnce)
{
    const std::string text = "[Output]\r\nJPG Quality = 77\r\n";
    const std::vector<std::pair<std::string, std::string>> files = {
        {"UTF-16 LE", encoded(text, 2, false)},
        {"UTF-16 BE", encoded(text, 2, true)},
        {"UTF-32 LE", std::string("\xFF\xFE\0\0", 4) + encoded(text, 4, false)},
        {"UTF-32 BE", std::string("\0\0\xFE\xFF", 4) + encoded(text, 4, true)},
    };
    for (const auto& [encoding, bytes] : files) {
        ConfigFile config;
        config.load(bytes);
        EXPECT_EQ(g_settings.jpgQuality, 77) << encoding;
        EXPECT_EQ(standardErrorOf([] { EXPECT_TRUE(saveConfiguration()); }), "") << encoding;
        EXPECT_NE(readFile(config.path).find("\r\nJPG Quality = 77\r\n"), std::string::npos) << encoding;
        EXPECT_FALSE(fileExists(config.path + ".bak")) << encoding;
    }

    // Not one key could be read: the file is kept before defaults go over it.
    const std::string unknown = encoded(text, 4, false);  // UTF-32 without its mark
    ConfigFile config;
    writeFile(config.path + ".bak", "an older copy");
    config.load(unknown);
    EXPECT_EQ(g_settings.jpgQuality, 95);
    EXPECT_EQ(standardErrorOf([] { EXPECT_TRUE(saveConfiguration()); }),
              "No setting could be read from " + config.path + "; it was kept as " + config.path +
                  ".bak before the settings were saved\n");
    EXPECT_EQ(readFile(config.path + ".bak"), unknown);
    EXPECT_NE(readFile(config.path).find("\r\nJPG Quality = 95\r\n"), std::string::npos);
    // Once: a later save keeps the copy as it is.
    EXPECT_EQ(standardErrorOf([] { EXPECT_TRUE(saveConfiguration()); }), "");
    EXPECT_EQ(readFile(config.path + ".bak"), unknown);

    // An empty file, or one that holds a known key, is nothing to keep.
    for (const std::string& content : {std::string(), std::string("[General]\r\nCFG = 19\r\n")}) {
        ConfigFile plain;
        plain.load(content);
        EXPECT_EQ(standardErrorOf([] { EXPECT_TRUE(saveConfiguration()); }), "");
        EXPECT_FALSE(fileExists(plain.path + ".bak"));
    }
}

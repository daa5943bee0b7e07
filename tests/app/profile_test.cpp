#include <gtest/gtest.h>

#include <chrono>

#include "app/command_line_job.h"
#include "app/options.h"
#include "app/parsed_command_line.h"
#include "app/profile.h"
#include "platform/files.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

struct ProfileRun {
    ScratchFolder folder;
    std::string path;

    explicit ProfileRun(const std::string& content, const std::string& name = "profile.ini") : path(folder.path + name)
    {
        writeFile(path, content);
    }
};

}  // namespace

TEST(Profile, AppliesExactlyWhereItStandsAmongTheOptions)
{
    ProfileRun profile("[CLI]\n--JPG-QUALITY = 80\n");
    parsed({"--profile=" + profile.path, "--jpg-quality=90"});
    EXPECT_EQ(g_settings.jpgQuality, 90);
    parsed({"--jpg-quality=90", "--profile=" + profile.path});
    EXPECT_EQ(g_settings.jpgQuality, 80);
    parsed({"--jpg-quality=90", "--PROFILE=" + profile.path, "--greyscale"});
    EXPECT_EQ(g_settings.jpgQuality, 80);
    EXPECT_EQ(g_settings.greyscale, 1);
}

TEST(Profile, KeysInAnyCaseSwitchesAndRepeatedKeys)
{
    ProfileRun profile("[General]\n--jpg-quality = 10\n"
                       "[cli]\n"
                       "--jpg-quality = 70\n"
                       "--Greyscale = 0\n"
                       "--JPG-QUALITY = 75\n"
                       "--width\n"
                       "--unknown-key = 5\n"
                       "--FR-SOLID-OPACITY = 7\n");
    resetSettings(true);
    ASSERT_TRUE(applyProfile(profile.path));
    EXPECT_EQ(g_settings.jpgQuality, 75);
    EXPECT_EQ(g_settings.greyscale, 1);
    EXPECT_EQ(g_settings.resizeEnabled, 1);  // a key without "=" has an empty value
    EXPECT_EQ(g_settings.resizeWidth, 0);
    EXPECT_EQ(g_settings.frameOpacity, 255);
}

TEST(Profile, QuotesAreKeptExceptAroundTheFilenameMask)
{
    ProfileRun profile("[CLI]\n"
                       "--FILENAME-MASK = \"%filename%_web.%ext%\"\n"
                       "--WM-TEXT = \"Quoted text\"\n"
                       "--WM-FONT-COLOR = \"FF0000\"\n"
                       "--JPG-QUALITY = \"50\"\n");
    resetSettings(true);
    ASSERT_TRUE(applyProfile(profile.path));
    EXPECT_EQ(g_settings.filenameMask, "%filename%_web.%ext%");
    EXPECT_EQ(g_settings.wmText, "\"Quoted text\"");
    EXPECT_EQ(g_settings.wmFontColor, "\"FF0000\"");
    EXPECT_EQ(g_settings.jpgQuality, 0);
}

TEST(Profile, CannotNameInputOutputExtensionOrAnotherProfile)
{
    ProfileRun other("[CLI]\n--JPG-QUALITY = 1\n", "other.ini");
    ProfileRun profile("[CLI]\n-i = a.pcd\n--INPUT = a.pcd\n-o = out\n--OUTPUT = out\n-c = png\n"
                       "--CONVERSION = png\n--PROFILE = " +
                       other.path +
                       "\n--QUIET = 1\n--DEBUG = 1\n"
                       "--PAUSE = 1\n-q = 1\n-d\n-p\n");
    CommandLine commandLine = parsed({"--profile=" + profile.path});
    EXPECT_EQ(commandLine.errorText, "");
    EXPECT_FALSE(commandLine.quietMode || commandLine.pauseAtExit);
    EXPECT_EQ(g_job.consoleMode, 0);
    EXPECT_EQ(g_job.cliInput, "");
    EXPECT_EQ(g_job.outputFolder, "");
    EXPECT_EQ(g_job.outputExt, "");
    EXPECT_EQ(g_job.runMode, "");
    EXPECT_EQ(g_settings.jpgQuality, 95);

    // A profile naming itself is not followed either.
    ProfileRun loop("[CLI]\n--WIDTH = 3\n");
    writeFile(loop.path, "[CLI]\n--PROFILE = " + loop.path + "\n--WIDTH = 3\n");
    EXPECT_EQ(parsed({"--profile=" + loop.path}).errorText, "");
    EXPECT_EQ(g_settings.resizeWidth, 3);
}

TEST(Profile, FilesThatCannotBeReadStopParsing)
{
    ScratchFolder folder;
    const char* invalid = "Invalid profile file";
    for (const std::string& path : {folder.path + "missing.ini", folder.path, std::string("\"\"")}) {
        CommandLine commandLine = parsed({"--width=4", "--profile=" + path, "-p", "--height=5"});
        EXPECT_EQ(commandLine.errorText, invalid) << path;
        EXPECT_FALSE(commandLine.pauseAtExit);
        EXPECT_EQ(g_settings.resizeWidth, 4);
        EXPECT_EQ(g_settings.resizeHeight, 0);
    }
    EXPECT_FALSE(applyProfile(""));
    EXPECT_EQ(parsed({"--profile="}).errorText, "Incorrect number of parameters");
}

TEST(Profile, AcceptedWithoutCliGroupOrKeysAndWithEmptyValues)
{
    ProfileRun noGroup("--JPG-QUALITY = 10\n[Other]\n--JPG-QUALITY = 20\n");
    resetSettings(true);
    EXPECT_TRUE(applyProfile(noGroup.path));
    EXPECT_EQ(g_settings.jpgQuality, 95);

    ProfileRun empty("");
    EXPECT_TRUE(applyProfile(empty.path));
    EXPECT_EQ(g_settings.jpgQuality, 95);

    ProfileRun emptyValues("[CLI]\n--JPG-QUALITY =\n--WM-TEXT =   \n--JPG-CHROMA = \n--GAMMA = x\n");
    resetSettings(true);
    g_settings.jpgChroma = 3;
    ASSERT_TRUE(applyProfile(emptyValues.path));
    EXPECT_EQ(g_settings.jpgQuality, 0);
    EXPECT_EQ(g_settings.wmText, "");
    EXPECT_EQ(g_settings.jpgChroma, 0);
    EXPECT_FLOAT_EQ(g_settings.gamma, 0.0f);
    EXPECT_EQ(g_settings.adjustEnabled, 1);
}

TEST(Profile, TextIsReadAsLatin1OrAsUtf8AfterTheMark)
{
    ProfileRun latin("[CLI]\r--WM-TEXT = Caf\xE9\r--WIDTH = $20\r");
    resetSettings(true);
    ASSERT_TRUE(applyProfile(latin.path));
    EXPECT_EQ(g_settings.wmText, "Caf\xC3\xA9");
    EXPECT_EQ(g_settings.resizeWidth, 32);

    ProfileRun utf8("\xEF\xBB\xBF[CLI]\r\n--WM-TEXT = Caf\xC3\xA9\r\n\t--GAMMA = 2.5\r\n");
    resetSettings(true);
    ASSERT_TRUE(applyProfile(utf8.path));
    EXPECT_EQ(g_settings.wmText, "Caf\xC3\xA9");
    EXPECT_FLOAT_EQ(g_settings.gamma, 2.5f);
}

TEST(Profile, QuotedPathSplitOverParametersIsJoined)
{
    ProfileRun profile("[CLI]\n--HEIGHT = 9\n", "my profile.ini");
    std::string path = profile.path;
    size_t space = path.find(' ');
    EXPECT_EQ(parsed({"--profile=\"" + path.substr(0, space), path.substr(space + 1) + "\""}).errorText, "");
    EXPECT_EQ(g_settings.resizeHeight, 9);
}

TEST(Profile, BinaryGarbageIsAppliedHarmlessly)
{
    std::string garbage;
    uint32_t state = 7;
    for (int i = 0; i < 300000; ++i) {
        state = state * 1664525u + 1013904223u;
        garbage += static_cast<char>(state >> 24);
    }
    ProfileRun noise(garbage);
    EXPECT_EQ(parsed({"--profile=" + noise.path}).errorText, "");
    // The noise opens groups of its own; the last header brings back "CLI".
    ProfileRun noiseInGroup("[CLI]\n" + garbage + "\n[CLI]\n--WIDTH = 8");
    EXPECT_EQ(parsed({"--profile=" + noiseInGroup.path}).errorText, "");
    EXPECT_EQ(g_settings.resizeWidth, 8);
}

TEST(Profile, MissingProfileIsReportedAndNothingIsConverted)
{
    ScratchFolder out;
    ScratchFolder work;
    ProgramRun run =
        runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", out.path, "--profile=" + work.path + "none.ini"}, {},
                   work.path);
    EXPECT_EQ(run.output, "Error: Invalid profile file\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(isDirectory(out.path));
    EXPECT_FALSE(fileExists(out.path + "kodim23.jpg"));

    ProgramRun loud = runKorvane({"-i", testDataPath("kodim23.pcd"), "-o", out.path, "--profile=" + out.path});
    EXPECT_EQ(loud.output, "Error: Invalid profile file\n");
}

TEST(Profile, AValueHoldingANulFailsTheProfileInsteadOfEndingEarly)
{
    ScratchFolder out;
    using namespace std::string_literals;
    ProfileRun evil("[CLI]\n--FILENAME-MASK = evil.jpg\0.png\n"s);
    ProgramRun run = runKorvane({"-i", testDataPath("kodim23.pcd"), "-o", out.path, "--profile=" + evil.path});
    EXPECT_EQ(run.output, "Error: Invalid profile file\n");
    EXPECT_TRUE(namesIn(out.path).empty());

    // Elsewhere than in a value of a known key, a NUL harms nothing.
    ProfileRun harmless("[CLI]\n--UNKNOWN = a\0b\n--WIDTH = 8\n"s);
    EXPECT_EQ(parsed({"--profile=" + harmless.path}).errorText, "");
    EXPECT_EQ(g_settings.resizeWidth, 8);
}

// Groups are found through an index: with a search through all groups for
// each header, this profile of a million keys took minutes to read, not a
// fraction of a second.
TEST(Profile, AMillionKeysInManyGroupsAreReadInLinearTime)
{
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer suite records a full stack for every allocation.
    constexpr auto kLimit = std::chrono::seconds(150);
#else
    constexpr auto kLimit = std::chrono::seconds(20);
#endif
    std::string text = "[CLI]\n--WIDTH = 7\n";
    for (int group = 0; group < 200000; ++group) {
        text += "[G" + std::to_string(group) + "]\n";
        for (int key = 0; key < 5; ++key)
            text += "K" + std::to_string(key) + " = " + std::to_string(group * 5 + key) + "\n";
    }
    text += "[cli]\n--HEIGHT = 9\n";  // the same group as the first, written again
    ProfileRun large(text);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(parsed({"--profile=" + large.path}).errorText, "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, kLimit);
    EXPECT_EQ(g_settings.resizeWidth, 7);
    EXPECT_EQ(g_settings.resizeHeight, 9);
}

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <ostream>

#include "engine/job_check.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

// Readable failure messages; internal, so that other tests may print problems their own way.
static void PrintTo(const JobProblem& problem, std::ostream* out)
{
    *out << '"' << problem.key << "\" (" << problem.argument << ")";
}

namespace {

// A console job that passes every check: the sample picture into a scratch
// folder named relative to the program's folder.
struct ConsoleJob : ::testing::Test {
    ConsoleJob()
    {
        writeFile(folder.path + "empty.png", "");
        job.inputPath = testDataPath("kodim23.pcd");
        job.programFolder = folder.path;
        job.outputFolder = "./";
        job.outputExt = "jpg";
    }

    ScratchFolder folder;
    ConversionSettings settings;
    JobState job;
};

}  // namespace

// Each failing setting is added in front of those already failing, so each
// must be the one reported: every check finds its fault, and they run in the
// order the console lists the settings.
TEST_F(ConsoleJob, EachFailingSettingIsReportedBeforeAllLaterOnes)
{
    struct Fault {
        std::function<void(ConversionSettings&, JobState&)> make;
        JobProblem expected;
    };
    const std::string scratch = folder.path;
    const std::vector<Fault> latestFirst = {
        {[](ConversionSettings& s, JobState&) {
             s.watermarkType = kTextWatermark;
             s.wmFont = "NoSuchFontAtAll";
         },
         {"Invalid watermark font", "NoSuchFontAtAll"}},
        {[](ConversionSettings& s, JobState&) {
             s.adjustEnabled = 1;
             s.gamma = 10.0f;
         },
         {"Invalid gamma", ""}},
        {[](ConversionSettings& s, JobState&) { s.contrast = -101; }, {"Invalid contrast", ""}},
        {[](ConversionSettings& s, JobState&) { s.brightness = 101; }, {"Invalid brightness", ""}},
        {[](ConversionSettings& s, JobState&) {
             s.resizeEnabled = 1;
             s.resizeWidth = 10;
             s.resizeHeight = 0;
         },
         {"Invalid height", ""}},
        {[](ConversionSettings& s, JobState&) { s.resizeWidth = 0; }, {"Invalid width", ""}},
        {[](ConversionSettings& s, JobState&) { s.jpgQuality = 101; }, {"Invalid quality", "jpg"}},
        {[](ConversionSettings& s, JobState&) { s.jpgBpp = 16; }, {"Invalid bit depth", "jpg"}},
        {[](ConversionSettings&, JobState& j) { j.outputExt = "JPG"; }, {"Invalid conversion type", "JPG"}},
        {[](ConversionSettings&, JobState& j) { j.outputFolder = "missing"; },
         {"Invalid output folder", scratch + "missing/"}},
        {[](ConversionSettings&, JobState& j) { j.outputFolder = "../elsewhere"; },
         {"Incorrect output folder", "../elsewhere"}},
        {[scratch](ConversionSettings&, JobState& j) { j.inputPath = scratch + "missing.pcd"; },
         {"Invalid input file", scratch + "missing.pcd"}},
    };
    EXPECT_EQ(checkConsoleJob(settings, job), std::nullopt);
    for (const Fault& fault : latestFirst) {
        fault.make(settings, job);
        EXPECT_EQ(checkConsoleJob(settings, job), fault.expected) << fault.expected.key;
    }
}

TEST_F(ConsoleJob, WhatEachCheckAcceptsAndRefuses)
{
    // A name without extension, an empty file and a folder are no input.
    writeFile(folder.path + "noextension", "data");
    for (const std::string name : {"noextension", "empty.png", ""}) {
        EXPECT_EQ(checkInputFile(folder.path + name), (JobProblem{"Invalid input file", folder.path + name}));
    }
    EXPECT_EQ(checkOutputFolder(""), (JobProblem{"Empty output folder", ""}));
    EXPECT_EQ(checkOutputFolder(folder.path + "empty.png"),
              (JobProblem{"Invalid output folder", folder.path + "empty.png"}));

    // The program offers only its own output format; the options of the
    // others are checked all the same, and a format without options passes.
    EXPECT_EQ(checkConversionType("jpg"), std::nullopt);
    EXPECT_EQ(checkConversionType("webp"), (JobProblem{"Invalid conversion type", "webp"}));
    EXPECT_EQ(checkOutputOptions(settings, "txt"), std::nullopt);
    settings.psdBpp = 24;
    EXPECT_EQ(checkOutputOptions(settings, "psd"), (JobProblem{"Invalid bit depth", "psd"}));
    settings.webpQuality = 0;
    EXPECT_EQ(checkOutputOptions(settings, "webp"), (JobProblem{"Invalid quality", "webp"}));
    settings.jpgBpp = 8;
    settings.jpgQuality = 1;
    EXPECT_EQ(checkOutputOptions(settings, "jpg"), std::nullopt);

    // Adjustment values count only with adjustment on; the limits are allowed.
    settings.brightness = 500;
    settings.gamma = 0.0f;
    EXPECT_EQ(checkAdjustSettings(settings), std::nullopt);
    settings.adjustEnabled = 1;
    settings.brightness = -100;
    settings.contrast = 100;
    settings.gamma = 0.01f;
    EXPECT_EQ(checkAdjustSettings(settings), std::nullopt);
    settings.gamma = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(checkAdjustSettings(settings), (JobProblem{"Invalid gamma", ""}));

    settings.watermarkType = kPictureWatermark;
    EXPECT_EQ(checkWatermarkSettings(settings), (JobProblem{"Empty watermark image", ""}));
    settings.wmImage = folder.path + "empty.png";
    EXPECT_EQ(checkWatermarkSettings(settings), (JobProblem{"Invalid watermark image", folder.path + "empty.png"}));
    settings.wmImage = testDataPath("kodim23.pcd");
    EXPECT_EQ(checkWatermarkSettings(settings), std::nullopt);
}

TEST(ConsoleOutputFolder, RelativeFoldersLieBelowTheProgramsFolder)
{
    EXPECT_EQ(resolvedOutputFolder("out", "/opt/korvane/"), "/opt/korvane/out/");
    EXPECT_EQ(resolvedOutputFolder("./out/", "/opt/korvane/"), "/opt/korvane/out/");
    EXPECT_EQ(resolvedOutputFolder("/srv/out", "/opt/korvane/"), "/srv/out/");
    EXPECT_EQ(resolvedOutputFolder("/", "/opt/korvane/"), "/");
}

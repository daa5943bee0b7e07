#include <FreeImage.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "formats/format_registry.h"
#include "overlay/naming.h"
#include "platform/files.h"
#include "platform/unicode_case.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

// The local date as the naming reads it, e.g. "2024-05-01".
std::string localDate(const char* format)
{
    std::time_t now = std::time(nullptr);
    std::tm wall{};
    localtime_r(&now, &wall);
    char text[32];
    std::strftime(text, sizeof(text), format, &wall);
    return text;
}

class Naming : public ::testing::Test {
protected:
    void SetUp() override
    {
        facts.inputPath = "/in/photo.pcd";
        facts.outputExt = "jpg";
        facts.randomNumber = 42;
        facts.fileCounter = 1;
    }

    std::string nameFor(const std::string& mask, const std::string& inputPath = "/in/photo.pcd")
    {
        facts.inputPath = inputPath;
        return expandFileNameMask(mask, facts);
    }

    ConversionSettings settings;
    NamingFacts facts;
};

}  // namespace

TEST_F(Naming, DefaultMaskKeepsEveryDotButTheLast)
{
    EXPECT_EQ(nameFor(""), "photo.jpg");
    EXPECT_EQ(nameFor("", "/in/Holiday.Beach.PCD"), "Holiday.Beach.jpg");
    EXPECT_EQ(nameFor("%filename%.%ext%", "/in/a%n%b.pcd"), "a00001b.jpg");
    EXPECT_EQ(nameWithoutExtension("archive.tar.pcd"), "archive.tar");
    EXPECT_EQ(nameWithoutExtension("noextension"), "noextension");
    EXPECT_EQ(nameWithoutExtension(".pcd"), "");
    EXPECT_EQ(nameWithoutExtension(""), "");
}

TEST_F(Naming, MaskIsLoweredWhileValuesKeepTheirCase)
{
    EXPECT_EQ(nameFor("%FILENAME[U]%_%Ext[T]%.%ext%"), "PHOTO_Jpg.jpg");
    EXPECT_EQ(nameFor("IMG_%n%.%ext%"), "img_00001.jpg");
    EXPECT_EQ(nameFor("%filename%-%filename[l]%-%filename[t]%.%ext[u]%", "/in/mY PHOTO.pcd"),
              "mY PHOTO-my photo-My photo.JPG");
    EXPECT_EQ(nameFor("%filename[t]%", "/in/x.pcd"), "X");
    EXPECT_EQ(nameFor("%filename%"), "photo");
    EXPECT_EQ(titleCase(""), "");
}

TEST_F(Naming, CounterAndRandomNumberShowFiveCharacters)
{
    EXPECT_EQ(nameFor("%n%-%n%_%rnd%"), "00001-00001_00042");
    facts.fileCounter = 123456;
    facts.randomNumber = 99999;
    EXPECT_EQ(nameFor("%n%_%rnd%"), "12345_99999");
    EXPECT_EQ(fiveCharacterForm(7), "00007");
    EXPECT_EQ(fiveCharacterForm(12345), "12345");
}

TEST_F(Naming, PlaceholdersAreExpandedOnceEachInTableOrder)
{
    // An inserted value is not searched again by the same placeholder ...
    EXPECT_EQ(nameFor("", "/in/%filename%.pcd"), "%filename%.jpg");
    // ... but a later placeholder finds its text inside an earlier value.
    EXPECT_EQ(nameFor("", "/in/%EXT%.pcd"), "jpg.jpg");
    EXPECT_EQ(expandPlaceholder("x%FOO%y", "%foo%", facts), "x%FOO%y");
    EXPECT_EQ(expandPlaceholder("%N%%n%", "%n%", facts), "0000100001");
}

TEST_F(Naming, SizeDepthAndDatePlaceholders)
{
    facts.outputWidth = 3072;
    facts.outputHeight = 2048;
    facts.outputBpp = 8;
    EXPECT_EQ(nameFor("%width%x%height%x%bpp%"), "3072x2048x8");

    const std::string before = localDate("%Y%m%d");
    const std::string name = nameFor("%yyyy%%mm%%dd%");
    EXPECT_TRUE(name == before || name == localDate("%Y%m%d")) << name;
    EXPECT_EQ(nameFor("%hh%:%ii%:%ss%").size(), 8u);
}

TEST_F(Naming, OutputPathKeepsSubfoldersOnlyWhenAsked)
{
    facts.inputPath = "/in/2019/May/name.pcd";
    const std::string relativeFolder = "2019/May/";
    settings.filenameMask = "%filename%.%ext%";
    settings.keepSubfolders = 1;
    EXPECT_EQ(buildOutputPath(settings, "/out/", relativeFolder, facts), "/out/2019/May/name.jpg");
    settings.keepSubfolders = 0;
    EXPECT_EQ(buildOutputPath(settings, "/out/", relativeFolder, facts), "/out/name.jpg");
    settings.filenameMask = "Sorted\\%yyyy%/%filename%.%ext%";
    EXPECT_EQ(buildOutputPath(settings, "/out/", relativeFolder, facts),
              "/out/sorted/" + localDate("%Y") + "/name.jpg");
}

TEST_F(Naming, WatermarkTextKeepsItsCaseAndLoneSigns)
{
    EXPECT_EQ(expandWatermarkText("Taken %YYYY%", facts), "Taken " + localDate("%Y"));
    EXPECT_EQ(expandWatermarkText("100% MINE %n", facts), "100% MINE %n");
    EXPECT_EQ(expandWatermarkText("50% of %FileName% IN %Ext[U]%%eol%", facts), "50% of photo IN JPG%eol%");
}

TEST_F(Naming, CaseMappingReachesBeyondAscii)
{
    EXPECT_EQ(upperCaseText("é"), "É");
    EXPECT_EQ(lowerCaseText("É"), "é");
    EXPECT_EQ(upperCaseText("straße"), "STRASSE");
    EXPECT_EQ(titleCase("éLAN VITAL"), "Élan vital");
    EXPECT_EQ(nameFor("ÉTÉ_%filename[u]%_%filename%", "/in/Ünïcode straße.pcd"), "été_ÜNÏCODE STRASSE_Ünïcode straße");
    // Bytes that are not UTF-8 survive, and the letters round them still change.
    EXPECT_EQ(upperCaseText("a\xff"
                            "b\xc3"),
              "A\xff"
              "B\xc3");
    EXPECT_EQ(titleCase("\xe9TE"), "\xe9te");
    EXPECT_EQ(firstCharacterLength("éa"), 2u);
}

// The counter and random number move on after a converted file only: the
// second file is stopped by a plain file where its folder should be.
TEST(NamingThroughTheWorker, FailedFileDoesNotAdvanceTheCounter)
{
    ScratchFolder scratch;
    const std::string source = readFile(testDataPath("kodim23.pcd"));
    for (const char* name : {"a.pcd", "b.pcd", "c.pcd"})
        writeFile(scratch.path + name, source);
    const std::string out = scratch.path + "out/";
    ASSERT_EQ(mkdir(out.c_str(), 0755), 0);
    writeFile(out + "b", "in the way");

    ConversionSettings settings;
    settings.filenameMask = "%filename%/%n%_%rnd%.%ext%";
    JobState job = newJob();
    job.outputFolder = out;
    job.outputExt = "jpg";
    job.outputFif = outputFormatInfo("jpg").fif;
    chooseOutputEncoding(settings, job);
    FileSet files;
    for (const char* name : {"a.pcd", "b.pcd", "c.pcd"})
        files[scratch.path + name] = FileEntry{""};
    const int32_t firstRandom = job.randomNumber;
    ConversionRun run(settings, job, files);
    run.start();
    const RunResult result = run.finish();

    EXPECT_EQ(result.filesConverted, 2);
    EXPECT_TRUE(fileExists(out + "a/00001_" + fiveCharacterForm(firstRandom) + ".jpg"));
    EXPECT_EQ(readFile(out + "b"), "in the way");
    EXPECT_EQ(result.numbering.fileCounter, 3);
    ASSERT_TRUE(isDirectory(out + "c"));
    const std::vector<std::string> third = namesIn(out + "c");
    ASSERT_EQ(third.size(), 1u);
    EXPECT_TRUE(third.front().starts_with("00002_")) << third.front();
    EXPECT_EQ(third.front().size(), std::string("00002_12345.jpg").size());
}

TEST(NamingThroughTheConsole, FilenameMaskNamesTheOutput)
{
    ScratchFolder out;
    const std::string before = localDate("%Y-%m-%d");
    ProgramRun run =
        runKorvane({"-i", testDataPath("kodim23.pcd"), "-o", out.path,
                    "--filename-mask=Pic_%Filename[U]%_%width%x%height%_%bpp%_%n%_%yyyy%-%mm%-%dd%.%ext%"});
    const std::string after = localDate("%Y-%m-%d");
    const bool made = fileExists(out.path + "pic_KODIM23_768x512_24_00001_" + before + ".jpg") ||
                      fileExists(out.path + "pic_KODIM23_768x512_24_00001_" + after + ".jpg");
    EXPECT_TRUE(made) << run.output;

    ProgramRun nested = runKorvane(
        {"-i", testDataPath("kodim23.pcd"), "-o", out.path, "--filename-mask=Year\\%yyyy%/%filename%.%ext%"});
    EXPECT_TRUE(fileExists(out.path + "year/" + localDate("%Y") + "/kodim23.jpg")) << nested.output;
}

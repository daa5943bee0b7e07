#include <FreeImage.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "engine/synthetic_picture.h"
#include "platform/clock.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"
#include "test_support.h"

namespace {

// A run writing JPEG files into folder, with the given inputs.
struct JpegRun {
    JpegRun(const ScratchFolder& folder, const std::vector<std::string>& inputs) : job(newJob())
    {
        job.outputFolder = folder.path;
        job.outputExt = "jpg";
        job.outputFif = FIF_JPEG;
        chooseOutputEncoding(settings, job);
        for (const std::string& input : inputs)
            files[input] = FileEntry{""};
    }
    ConversionSettings settings;
    JobState job;
    FileSet files;
};

}  // namespace

TEST(ConversionRun, CountsConvertedFilesAndReportsThePreviousDuration)
{
    ScratchFolder folder;
    // The file set is ordered by path: the good file first, then the bad one.
    std::string good = folder.path + "a.pcd";
    std::string bad = folder.path + "b.pcd";
    writeFile(good, readFile(testDataPath("kodim23.pcd")));
    writeFile(bad, "not a picture");
    const JpegRun setup(folder, {good, bad});

    ConversionRun run(setup.settings, setup.job, setup.files);
    run.start();
    const RunResult result = run.finish();
    const RunProgress progress = run.snapshot();
    EXPECT_TRUE(progress.ended);
    EXPECT_EQ(progress.filesStarted, 2);
    EXPECT_EQ(progress.filesConverted, 1);
    EXPECT_EQ(result.filesConverted, 1);
    EXPECT_GE(progress.lastDurationMs, 1000);                            // the good file, raised to a second
    EXPECT_EQ(result.numbering.fileCounter, setup.job.fileCounter + 1);  // the failed file did not count
    ASSERT_EQ(result.outcomes.size(), 2u);
    EXPECT_TRUE(result.outcomes[0].converted());
    EXPECT_EQ(result.outcomes[0].outputPath, folder.path + "a.jpg");
    EXPECT_FALSE(result.outcomes[1].converted());
    EXPECT_TRUE(fileExists(folder.path + "a.jpg"));
    EXPECT_FALSE(fileExists(folder.path + "b.jpg"));
}

TEST(ConversionRun, AFailedFileReportsNoDuration)
{
    ScratchFolder folder;
    std::string bad = folder.path + "a.pcd";
    std::string good = folder.path + "b.pcd";
    writeFile(bad, "not a picture");
    writeFile(good, readFile(testDataPath("kodim23.pcd")));
    const JpegRun setup(folder, {bad, good});
    ConversionRun run(setup.settings, setup.job, setup.files);
    run.start();
    EXPECT_EQ(run.finish().filesConverted, 1);
    EXPECT_EQ(run.snapshot().lastDurationMs, 0);
}

TEST(ConversionRun, TakesNoFileOnceStoppedAlsoWhilePaused)
{
    ScratchFolder folder;
    const JpegRun setup(folder, {testDataPath("kodim23.pcd")});
    ConversionRun stopped(setup.settings, setup.job, setup.files);
    stopped.stop();
    stopped.start();
    EXPECT_EQ(stopped.finish().filesConverted, 0);
    EXPECT_EQ(stopped.snapshot().filesStarted, 0);

    // Paused, the run waits at its first file; a stop before the gate opens
    // again lets no file through.
    ConversionRun paused(setup.settings, setup.job, setup.files);
    paused.pause();
    paused.start();
    sleepMilliseconds(50);
    EXPECT_EQ(paused.snapshot().filesStarted, 0);
    EXPECT_FALSE(paused.snapshot().ended);
    paused.stop();
    paused.resume();
    EXPECT_EQ(paused.finish().filesConverted, 0);
    EXPECT_EQ(paused.snapshot().filesStarted, 0);
    EXPECT_TRUE(namesIn(folder.path).empty());
}

namespace {

// Two jobs that differ in everything a run owns: inputs, output folder and
// format, the numbering, the watermark text and its font, and the steps.
struct TwoJobs {
    explicit TwoJobs(const ScratchFolder& inputs)
    {
        landscapes.job = newJob();
        landscapes.job.outputExt = "jpg";
        landscapes.job.outputFif = FIF_JPEG;
        landscapes.job.fileCounter = 7;
        landscapes.settings.filenameMask = "%filename%-%n%.%ext%";
        landscapes.settings.resizeEnabled = 1;
        landscapes.settings.resizeWidth = 50;
        landscapes.settings.resizeWidthUnit = 1;  // PERCENT
        landscapes.settings.resizeHeight = 50;
        landscapes.settings.resizeHeightUnit = 1;
        landscapes.settings.watermarkType = kTextWatermark;
        landscapes.settings.wmText = "%n% of %filename%";
        landscapes.settings.wmFontSize = 20;
        chooseOutputEncoding(landscapes.settings, landscapes.job);
        for (const char* name : {"a.pcd", "b.pcd"}) {
            writeFile(inputs.path + name, readFile(testDataPath("kodim23.pcd")));
            landscapes.files[inputs.path + name] = FileEntry{""};
        }

        portrait.job = newJob();
        portrait.job.outputExt = "png";
        portrait.job.outputFif = FIF_PNG;
        portrait.job.fileCounter = 1;
        portrait.settings.filenameMask = "turned-%n%.%ext%";
        portrait.settings.rotateEnabled = 1;
        portrait.settings.rotationAngle = 90;
        portrait.settings.greyscale = 1;
        portrait.settings.frameType = kSolidFrame;
        portrait.settings.frameLeft = 12;
        portrait.settings.frameLeftColor = "FF0000";
        portrait.settings.watermarkType = kTextWatermark;
        portrait.settings.wmText = "turned %n%";
        portrait.settings.wmFont = "Liberation Serif";
        portrait.settings.wmFontSize = 30;
        portrait.settings.wmFontStyle = kBoldItalicFont;
        portrait.settings.wmTextPosition = kBottomRight;
        chooseOutputEncoding(portrait.settings, portrait.job);
        portrait.files[testDataPath("kodim04.pcd")] = FileEntry{""};
    }

    struct Job {
        ConversionSettings settings;
        JobState job;
        FileSet files;
    };
    Job landscapes;
    Job portrait;
};

RunResult runInto(const TwoJobs::Job& job, const std::string& outputFolder)
{
    JobState into = job.job;
    into.outputFolder = outputFolder;
    ConversionRun run(job.settings, into, job.files);
    run.start();
    return run.finish();
}

// The names and bytes of the files in folder.
std::map<std::string, std::string> contentsOf(const std::string& folder)
{
    std::map<std::string, std::string> contents;
    for (const std::string& name : namesIn(folder))
        contents[name] = readFile(folder + name);
    return contents;
}

}  // namespace

// Each run made, started and finished on a thread of its own while the other
// goes on gives exactly what it gives alone. Under ThreadSanitizer
// (scripts/run-sanitizer-tests.sh) this also shows that the runs share no
// mutable state.
TEST(ConversionRun, TwoRunsAtOnceGiveWhatEachGivesAlone)
{
    ScratchFolder inputs;
    ScratchFolder alone;
    ScratchFolder together;
    const TwoJobs jobs(inputs);
    for (const std::string folder : {"landscapes/", "portrait/"}) {
        ASSERT_EQ(mkdir((alone.path + folder).c_str(), 0755), 0);
        ASSERT_EQ(mkdir((together.path + folder).c_str(), 0755), 0);
    }

    const RunResult landscapesAlone = runInto(jobs.landscapes, alone.path + "landscapes/");
    const RunResult portraitAlone = runInto(jobs.portrait, alone.path + "portrait/");
    RunResult landscapesTogether;
    RunResult portraitTogether;
    std::thread first([&] { landscapesTogether = runInto(jobs.landscapes, together.path + "landscapes/"); });
    std::thread second([&] { portraitTogether = runInto(jobs.portrait, together.path + "portrait/"); });
    first.join();
    second.join();

    auto expectCounts = [](const RunResult& result, int converted, int nextCounter) {
        EXPECT_EQ(result.filesConverted, converted);
        EXPECT_EQ(result.numbering.fileCounter, nextCounter);
    };
    expectCounts(landscapesAlone, 2, 9);
    expectCounts(landscapesTogether, 2, 9);
    expectCounts(portraitAlone, 1, 2);
    expectCounts(portraitTogether, 1, 2);
    const auto landscapes = contentsOf(together.path + "landscapes/");
    const auto portrait = contentsOf(together.path + "portrait/");
    ASSERT_EQ(landscapes.size(), 2u);
    ASSERT_EQ(portrait.size(), 1u);
    EXPECT_TRUE(landscapes.contains("a-00007.jpg") && landscapes.contains("b-00008.jpg"));
    EXPECT_TRUE(portrait.contains("turned-00001.png"));
    EXPECT_TRUE(landscapes == contentsOf(alone.path + "landscapes/")) << "the landscapes differ";
    EXPECT_TRUE(portrait == contentsOf(alone.path + "portrait/")) << "the portrait differs";

    // Each output has its own job's shape: halved landscapes, a portrait
    // turned to landscape in grey with a red frame band over its left edge.
    Picture halved(FreeImage_Load(FIF_JPEG, (together.path + "landscapes/a-00007.jpg").c_str(), 0));
    ASSERT_TRUE(halved);
    EXPECT_EQ(sizeOf(halved), Size(384, 256));
    Picture turned(FreeImage_Load(FIF_PNG, (together.path + "portrait/turned-00001.png").c_str(), 0));
    ASSERT_TRUE(turned);
    EXPECT_EQ(sizeOf(turned), Size(768, 512));
    EXPECT_EQ(colourAt(turned.get(), 2, 256), (Rgb{255, 0, 0}));
    const Rgb inside = colourAt(turned.get(), 400, 256);
    EXPECT_TRUE(inside.red == inside.green && inside.green == inside.blue);
}

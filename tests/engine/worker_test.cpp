#include <FreeImage.h>

#include <gtest/gtest.h>

#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "platform/clock.h"
#include "settings/conversion_settings.h"
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

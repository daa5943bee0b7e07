#include <FreeImage.h>

#include <gtest/gtest.h>

#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "engine/worker.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

// A job writing JPEG files into folder, with the given inputs.
void prepareJob(const ScratchFolder& folder, const std::vector<std::string>& inputs)
{
    resetSettings(true);
    resetJob();
    g_job.outputFolder = folder.path;
    g_job.outputExt = "jpg";
    g_job.outputFif = FIF_JPEG;
    chooseOutputEncoding(g_settings, g_job);
    for (const std::string& input : inputs)
        g_fileSet[input] = FileEntry{""};
    g_progress.filesStarted = 0;
    g_progress.filesConverted = 0;
    g_progress.lastDurationMs = 0;
    g_progress.running = 1;
}

}  // namespace

TEST(ConversionWorker, CountsConvertedFilesAndReportsThePreviousDuration)
{
    ScratchFolder folder;
    // The file set is ordered by path: the good file first, then the bad one.
    std::string good = folder.path + "a.pcd";
    std::string bad = folder.path + "b.pcd";
    writeFile(good, readFile(testDataPath("kodim23.pcd")));
    writeFile(bad, "not a picture");
    prepareJob(folder, {good, bad});
    const int32_t counter = g_job.fileCounter;

    ConversionWorker(nullptr);
    EXPECT_EQ(g_progress.filesStarted, 2);
    EXPECT_EQ(g_progress.filesConverted, 1);
    EXPECT_GE(g_progress.lastDurationMs, 1000);  // the good file, raised to a second
    EXPECT_EQ(g_job.fileCounter, counter + 1);   // the failed file did not count
    EXPECT_TRUE(fileExists(folder.path + "a.jpg"));
    EXPECT_FALSE(fileExists(folder.path + "b.jpg"));
}

TEST(ConversionWorker, AFailedFileReportsNoDuration)
{
    ScratchFolder folder;
    std::string bad = folder.path + "a.pcd";
    std::string good = folder.path + "b.pcd";
    writeFile(bad, "not a picture");
    writeFile(good, readFile(testDataPath("kodim23.pcd")));
    prepareJob(folder, {bad, good});
    ConversionWorker(nullptr);
    EXPECT_EQ(g_progress.lastDurationMs, 0);
    EXPECT_EQ(g_progress.filesConverted, 1);
}

TEST(ConversionWorker, TakesNoFileOnceStopped)
{
    ScratchFolder folder;
    prepareJob(folder, {testDataPath("kodim23.pcd")});
    g_progress.running = 0;
    ConversionWorker(nullptr);
    EXPECT_EQ(g_progress.filesStarted, 0);
    EXPECT_EQ(g_progress.filesConverted, 0);
}

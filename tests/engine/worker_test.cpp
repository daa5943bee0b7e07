#include <FreeImage.h>

#include <gtest/gtest.h>

#include <cstdlib>

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

TEST(ConvertFile, TheBuiltInDecoderAloneStartsNoConvertAndWritesNoTemporaryPicture)
{
    ScratchFolder folder;
    ScratchFolder temp;
    // A convert that notes each run and leaves a picture, so that a run of
    // it would show in the log and in the output's size.
    const std::string path = stubConvertPath(folder, "echo run >> '" + folder.path +
                                                         "runs.log'\n"
                                                         "printf 'P6\\n64 48\\n255\\n' > \"${5#ppm:}\"\n"
                                                         "head -c 9216 /dev/zero >> \"${5#ppm:}\"");
    const std::string oldPath = std::getenv("PATH");
    const char* oldTemp = std::getenv("TMPDIR");
    const std::string oldTempValue = oldTemp ? oldTemp : "";
    setenv("PATH", path.c_str(), 1);
    setenv("TMPDIR", temp.path.c_str(), 1);
    prepareJob(folder, {});
    g_job.inputPath = testDataPath("kodim23-16base.pcd");
    const bool builtIn = convertFile(g_settings, g_job, PhotoCdDecoder::BuiltIn);
    const int builtInWidth = g_job.outputWidth;
    const bool byConvert = convertFile(g_settings, g_job);
    setenv("PATH", oldPath.c_str(), 1);
    if (oldTemp)
        setenv("TMPDIR", oldTempValue.c_str(), 1);
    else
        unsetenv("TMPDIR");

    EXPECT_TRUE(builtIn);
    EXPECT_EQ(builtInWidth, 3072);
    // The default decoder is convert, here the stub, which ran once.
    EXPECT_TRUE(byConvert);
    EXPECT_EQ(g_job.outputWidth, 64);
    EXPECT_EQ(readFile(folder.path + "runs.log"), "run\n");
    EXPECT_TRUE(namesIn(temp.path).empty());
}

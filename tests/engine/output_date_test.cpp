#include <gtest/gtest.h>

#include "engine/job_state.h"
#include "engine/worker.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

TEST(OutputFileDate, FollowsTheTimestampMode)
{
    ScratchFolder folder;
    ConversionSettings settings;
    FileJob job;
    job.inputPath = folder.path + "in.pcd";
    job.outputPath = folder.path + "out.jpg";
    writeFile(job.inputPath, "in");
    writeFile(job.outputPath, "out");
    ASSERT_TRUE(setLastWriteTime(job.inputPath, 1000000000));
    const int64_t written = *lastWriteTime(job.outputPath);

    settings.fileTimestamp = kCurrentTimestamp;
    setOutputFileDate(settings, job);
    EXPECT_EQ(*lastWriteTime(job.outputPath), written);

    settings.fileTimestamp = kOriginalTimestamp;
    setOutputFileDate(settings, job);
    EXPECT_EQ(*lastWriteTime(job.outputPath), 1000000000);

    settings.fileTimestamp = kCustomTimestamp;
    settings.customTimestamp = fileTimeToLocalTime(1200000000);
    setOutputFileDate(settings, job);
    EXPECT_EQ(*lastWriteTime(job.outputPath), 1200000000);
}

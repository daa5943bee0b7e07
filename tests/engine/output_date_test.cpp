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
    resetSettings(true);
    g_job.inputPath = folder.path + "in.pcd";
    g_job.outputPath = folder.path + "out.jpg";
    writeFile(g_job.inputPath, "in");
    writeFile(g_job.outputPath, "out");
    ASSERT_TRUE(setLastWriteTime(g_job.inputPath, 1000000000));
    const int64_t written = *lastWriteTime(g_job.outputPath);

    g_settings.fileTimestamp = 0;
    setOutputFileDate();
    EXPECT_EQ(*lastWriteTime(g_job.outputPath), written);

    g_settings.fileTimestamp = 1;
    setOutputFileDate();
    EXPECT_EQ(*lastWriteTime(g_job.outputPath), 1000000000);

    g_settings.fileTimestamp = 2;
    g_settings.customTimestamp = fileTimeToLocalTime(1200000000);
    setOutputFileDate();
    EXPECT_EQ(*lastWriteTime(g_job.outputPath), 1200000000);
}

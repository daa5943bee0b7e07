#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/progress_view.h"
#include "settings/catalogue.h"

namespace {

class ProgressViewTest : public ::testing::Test {
protected:
    void SetUp() override { buildCatalogue(); }
};

// The end of a run whose files were all converted.
RunResult converted(int files)
{
    RunResult result;
    result.filesConverted = files;
    result.outcomes.assign(static_cast<size_t>(files), FileOutcome{});
    return result;
}

}  // namespace

TEST(ProgressTexts, DurationsReadAsHoursMinutesSecondsAndDays)
{
    EXPECT_EQ(formatDuration(0), "00:00:00");
    EXPECT_EQ(formatDuration(999), "00:00:00");
    EXPECT_EQ(formatDuration(59999), "00:00:59");
    EXPECT_EQ(formatDuration(3725000), "01:02:05");
    EXPECT_EQ(formatDuration(86399999), "23:59:59");
    EXPECT_EQ(formatDuration(90061000), "1d:01:01:01");
    EXPECT_EQ(formatDuration(int64_t{1000} * 86400 * 400), "400d:00:00:00");
    EXPECT_EQ(formatDuration(-5000), "00:00:00");
}

TEST(ProgressTexts, LongTextsLoseTheirMiddleNeverHalfACharacter)
{
    EXPECT_EQ(shortenMiddle("abcdefghij", 10), "abcdefghij");
    EXPECT_EQ(shortenMiddle("abcdefghijk", 10), "abc...ijk");
    EXPECT_EQ(shortenMiddle("abcdefghijkl", 9), "abc...jkl");
    EXPECT_EQ(shortenMiddle("", 0), "");
    EXPECT_EQ(shortenMiddle("abcdef", 2), "...");
    EXPECT_EQ(shortenMiddle("abcdef", -1), "...");
    // Eleven characters of two bytes each: counted and cut as characters.
    EXPECT_EQ(shortenMiddle("ääääääääääö", 10), "äää...ääö");
    EXPECT_EQ(shortenMiddle("ääääääääää", 10), "ääääääääää");
}

TEST_F(ProgressViewTest, TheRunShowsEachNewFileWithItsCountAndTimeLeft)
{
    ProgressView view = startProgressView(10, 7);
    EXPECT_EQ(view.title, "Converting");
    EXPECT_EQ(view.timeLine, "Time Remaining: Unknown");
    EXPECT_TRUE(view.showTime);
    EXPECT_EQ(view.maxChars, 40);
    // Several files fill the bar file by file, from its left end; no pulse moves it.
    EXPECT_FALSE(view.barPulsing);
    EXPECT_EQ(view.barRange, 11);
    EXPECT_FALSE(pulseProgressView(view));
    EXPECT_EQ(view.barStart, 0);
    EXPECT_EQ(view.barValue, 0);

    EXPECT_TRUE(updateProgressView(view, {3, "/p/c.pcd", 2000}));
    EXPECT_EQ(view.title, "Converting (3/10)");
    EXPECT_EQ(view.fileLine, "/p/c.pcd");
    EXPECT_EQ(view.timeLine, "Time Remaining: 00:00:16");  // 2 s for each of 8 files
    EXPECT_EQ(view.barValue, 3);

    // The same file again changes nothing; a failed file keeps the estimate.
    EXPECT_FALSE(updateProgressView(view, {3, "/p/c.pcd", 9000}));
    EXPECT_TRUE(updateProgressView(view, {4, "/p/d.pcd", 0}));
    EXPECT_EQ(view.timeLine, "Time Remaining: 00:00:16");

    const std::string longPath = "/photos/" + std::string(60, 'x') + "/IMG0001.PCD";
    EXPECT_TRUE(updateProgressView(view, {10, longPath, 1000}));
    EXPECT_EQ(view.fileLine.size(), 40u - 1u);
    EXPECT_EQ(view.fileLine.substr(0, 18), longPath.substr(0, 18));
    EXPECT_NE(view.fileLine.find("..."), std::string::npos);

    EXPECT_EQ(finishProgressView(view, converted(10), false), "Conversion complete");
    EXPECT_EQ(view.title, "Conversion complete (10/10)");
    EXPECT_EQ(view.fileLine, "Files converted: 10 of 10");
    EXPECT_EQ(view.reasonLine, "");
    EXPECT_EQ(view.timeLine, "Time Remaining: 00:00:00");
    EXPECT_EQ(view.barValue, view.barRange);
    EXPECT_TRUE(view.finished);
    EXPECT_FALSE(updateProgressView(view, {11, "/p/late.pcd", 1000}));
}

TEST_F(ProgressViewTest, ALoneFileSweepsABlockUntilItEndsAndAFailureReadsAsStoppedWithItsReason)
{
    ProgressView view = startProgressView(1, 7);
    EXPECT_TRUE(view.barPulsing);
    // At every pulse the block moves, never farther than its width, as wide as
    // ever and inside the bar; it reaches either end and comes back. The
    // file's start leaves it in place.
    const int width = view.barValue - view.barStart;
    EXPECT_GT(width, 0);
    EXPECT_LE(width, view.barRange / 4);
    bool reachedRight = false;
    bool backAtLeft = false;
    for (int pulse = 0; pulse < 100 && !backAtLeft; ++pulse) {
        if (pulse == 3) {
            const ProgressView before = view;
            EXPECT_TRUE(updateProgressView(view, {1, "/p/a.pcd", 0}));
            EXPECT_EQ(view.barStart, before.barStart);
            EXPECT_EQ(view.barValue, before.barValue);
        }
        const int start = view.barStart;
        ASSERT_TRUE(pulseProgressView(view));
        EXPECT_NE(view.barStart, start);
        EXPECT_LE(std::abs(view.barStart - start), width);
        EXPECT_EQ(view.barValue - view.barStart, width);
        EXPECT_GE(view.barStart, 0);
        EXPECT_LE(view.barValue, view.barRange);
        reachedRight = reachedRight || view.barValue == view.barRange;
        backAtLeft = reachedRight && view.barStart == 0;
    }
    EXPECT_TRUE(backAtLeft);
    EXPECT_TRUE(view.barPulsing);
    pulseProgressView(view);  // the block stands clear of the left end as the run ends

    ProgressView succeeded = view;
    EXPECT_EQ(finishProgressView(succeeded, converted(1), false), "Conversion complete");
    EXPECT_EQ(succeeded.title, "Conversion complete (1/1)");
    // Filled whole, from the left end, and still from then on.
    EXPECT_FALSE(succeeded.barPulsing);
    EXPECT_EQ(succeeded.barStart, 0);
    EXPECT_EQ(succeeded.barValue, succeeded.barRange);
    EXPECT_FALSE(pulseProgressView(succeeded));
    EXPECT_EQ(succeeded.barValue, succeeded.barRange);

    FileOutcome failed;
    failed.failure = FileFailure::DecoderFailed;
    failed.exitStatus = 1;
    RunResult result;
    result.outcomes = {failed};
    EXPECT_EQ(finishProgressView(view, result, false), "Conversion stopped");
    EXPECT_EQ(view.title, "Conversion stopped (1/1)");
    EXPECT_EQ(view.fileLine, "Files converted: 0 of 1");
    EXPECT_EQ(view.reasonLine, "The decoder failed with exit status 1");
    EXPECT_FALSE(view.barPulsing);
    EXPECT_EQ(view.barStart, 0);
    EXPECT_EQ(view.barValue, view.barRange);
    EXPECT_TRUE(view.finished);
}

TEST_F(ProgressViewTest, AStoppedRunKeepsTheLastFileNumberShown)
{
    ProgressView view = startProgressView(1, 0);  // width unmeasurable: 7 pixels
    EXPECT_FALSE(view.showTime);
    EXPECT_EQ(view.charWidth, 7);
    updateProgressView(view, {1, "/p/a.pcd", 0});
    pulseProgressView(view);
    EXPECT_EQ(finishProgressView(view, converted(1), true), "Conversion stopped");
    EXPECT_EQ(view.title, "Conversion stopped (1/1)");
    EXPECT_EQ(view.fileLine, "Conversion stopped");
    EXPECT_EQ(view.reasonLine, "");
    // The one file started has ended.
    EXPECT_FALSE(view.barPulsing);
    EXPECT_EQ(view.barStart, 0);
    EXPECT_EQ(view.barValue, view.barRange);
    EXPECT_TRUE(view.finished);

    // Of twelve files, five ended before the stop, one of them unsaved.
    view = startProgressView(12, 7);
    updateProgressView(view, {5, "/p/e.pcd", 1000});
    RunResult result = converted(4);
    FileOutcome unsaved;
    unsaved.failure = FileFailure::SaveFailed;
    unsaved.detail = "No space left on device";
    result.outcomes.push_back(unsaved);
    EXPECT_EQ(finishProgressView(view, result, true), "Conversion stopped");
    EXPECT_EQ(view.title, "Conversion stopped (5/12)");
    EXPECT_EQ(view.reasonLine, "The output file could not be saved: No space left on device");
    EXPECT_EQ(view.barValue, 5 * 13 / 12);
}

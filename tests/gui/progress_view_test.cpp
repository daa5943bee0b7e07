#include <gtest/gtest.h>

#include "gui/progress_view.h"
#include "settings/catalogue.h"

namespace {

class ProgressViewTest : public ::testing::Test {
protected:
    void SetUp() override { buildCatalogue(); }
};

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
    EXPECT_TRUE(updateProgressView(view, {5, longPath, 1000}));
    EXPECT_EQ(view.fileLine.size(), 40u - 1u);
    EXPECT_EQ(view.fileLine.substr(0, 18), longPath.substr(0, 18));
    EXPECT_NE(view.fileLine.find("..."), std::string::npos);

    EXPECT_EQ(finishProgressView(view, 4, false), "Conversion complete");
    EXPECT_EQ(view.title, "Conversion complete (5/10)");
    EXPECT_EQ(view.fileLine, "Files converted: 4 of 10");
    EXPECT_EQ(view.timeLine, "Time Remaining: 00:00:00");
    EXPECT_EQ(view.barValue, 11);
    EXPECT_TRUE(view.finished);
    EXPECT_FALSE(updateProgressView(view, {6, "/p/late.pcd", 1000}));
}

TEST_F(ProgressViewTest, AStoppedRunKeepsTheLastFileNumberShown)
{
    ProgressView view = startProgressView(1, 0);  // width unmeasurable: 7 pixels
    EXPECT_FALSE(view.showTime);
    EXPECT_EQ(view.charWidth, 7);
    updateProgressView(view, {1, "/p/a.pcd", 0});
    EXPECT_EQ(finishProgressView(view, 0, true), "Conversion stopped");
    EXPECT_EQ(view.title, "Conversion stopped (1/1)");
    EXPECT_EQ(view.fileLine, "Conversion stopped");
    EXPECT_EQ(view.barValue, 1);
    EXPECT_TRUE(view.finished);
}

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "gui/links.h"
#include "gui/web_addresses.h"
#include "gui/window_placement.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

const std::vector<ScreenRect> kTwoDisplays = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

ConversionSettings placedAt(int x, int y, int width, int height)
{
    ConversionSettings settings;
    settings.windowX = x;
    settings.windowY = y;
    settings.windowWidth = width;
    settings.windowHeight = height;
    return settings;
}

void expectCentredOnPrimary(const ScreenRect& placed, int width)
{
    EXPECT_EQ(placed.width, width);
    EXPECT_EQ(placed.x, (1920 - width) / 2);
    EXPECT_EQ(placed.y, (1080 - 300) / 2);
}

}  // namespace

TEST(WindowPlacement, AWindowThatCanBeSeenStaysWhereItWas)
{
    ScreenRect placed = initialWindowPlacement(placedAt(2500, 100, 700, 300), true, kTwoDisplays, 510, 300);
    EXPECT_EQ(placed.x, 2500);
    EXPECT_EQ(placed.y, 100);
    EXPECT_EQ(placed.width, 700);
    // Partly off the left edge of the primary display, but partly seen.
    placed = initialWindowPlacement(placedAt(-400, 50, 510, 300), true, kTwoDisplays, 510, 300);
    EXPECT_EQ(placed.x, -400);
    // A narrow stored width grows to the least width.
    EXPECT_EQ(initialWindowPlacement(placedAt(10, 10, 300, 300), true, kTwoDisplays, 510, 300).width, 510);
}

TEST(WindowPlacement, AWindowNoDisplayShowsOrOfAbsurdSizeOpensCentredOnThePrimary)
{
    expectCentredOnPrimary(initialWindowPlacement(placedAt(5000, 5000, 600, 300), true, kTwoDisplays, 510, 300), 600);
    expectCentredOnPrimary(initialWindowPlacement(placedAt(-2000, 10, 600, 300), true, kTwoDisplays, 510, 300), 600);
    for (int size : {0, -50, 100000}) {
        expectCentredOnPrimary(initialWindowPlacement(placedAt(10, 10, size, 260), true, kTwoDisplays, 510, 300), 510);
        expectCentredOnPrimary(initialWindowPlacement(placedAt(10, 10, 600, size), true, kTwoDisplays, 510, 300), 510);
    }
    // Wider than the primary display: no wider than it.
    ScreenRect placed = initialWindowPlacement(placedAt(9000, 0, 4000, 300), true, kTwoDisplays, 510, 300);
    EXPECT_EQ(placed.width, 1920);
    EXPECT_EQ(placed.x, 0);
}

TEST(WindowPlacement, AFirstStartOpensCentredOnThePrimaryWhateverTheDefaultsSay)
{
    // The defaults a settings reset gives without knowing the screen.
    resetSettings(false);
    const ConversionSettings defaults = g_settings;
    expectCentredOnPrimary(initialWindowPlacement(defaults, false, kTwoDisplays, 510, 300), 510);
    // Any stored corner counts for nothing without a stored placement.
    expectCentredOnPrimary(initialWindowPlacement(placedAt(2500, 100, 600, 300), false, kTwoDisplays, 510, 300), 600);
    // With no display known, it stays where the settings put it.
    const ScreenRect placed = initialWindowPlacement(placedAt(7, 8, 600, 300), false, {}, 510, 300);
    EXPECT_EQ(placed.x, 7);
    EXPECT_EQ(placed.y, 8);
}

TEST(WindowPlacement, LeavingStoresTheNormalPlacementAndDropsTheHistoryWhenAsked)
{
    ConversionSettings settings = placedAt(1, 2, 600, 300);
    settings.outFoldersHistory = 1;
    settings.recentOutFolders = "/a/";

    storeLeavingState(settings, {.maximized = true, .placement = {0, 0, 1920, 1080}});
    EXPECT_EQ(settings.windowMaximized, 1);
    EXPECT_EQ(settings.windowWidth, 600);  // the size of the last normal state

    storeLeavingState(settings, {.minimized = true, .placement = {-32000, -32000, 160, 30}});
    EXPECT_EQ(settings.windowX, 1);
    EXPECT_EQ(settings.windowMaximized, 1);

    storeLeavingState(settings, {.placement = {40, 50, 700, 287}});
    EXPECT_EQ(settings.windowMaximized, 0);
    EXPECT_EQ(settings.windowX, 40);
    EXPECT_EQ(settings.windowY, 50);
    EXPECT_EQ(settings.windowWidth, 700);
    EXPECT_EQ(settings.windowHeight, 287);
    EXPECT_EQ(settings.recentOutFolders, "/a/");

    settings.outFoldersHistory = 0;
    storeLeavingState(settings, {.placement = {40, 50, 700, 287}});
    EXPECT_EQ(settings.recentOutFolders, "");
}

TEST(Links, TheFeedbackSubjectIsEncodedAndTheManualFoundBesideTheProgram)
{
    EXPECT_EQ(feedbackMailLink(),
              "mailto:" + supportMailAddress() + "?subject=Tessaly%20PCD%20to%20JPG%203.0%20Feedback");
    EXPECT_EQ(percentEncode("a b&c=d/é~"), "a%20b%26c%3Dd%2F%C3%A9~");

    ScratchFolder install;
    mkdir((install.path + "bin").c_str(), 0755);
    EXPECT_EQ(manualPath(install.path + "bin/"), "");
    for (const char* folder : {"share", "share/doc", "share/doc/korvane", "share/doc/korvane/manual"})
        mkdir((install.path + folder).c_str(), 0755);
    writeFile(install.path + "share/doc/korvane/manual/index.html", "<html></html>");
    EXPECT_EQ(manualPath(install.path + "bin/"), install.path + "bin/../share/doc/korvane/manual/index.html");
}

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "test_support.h"

TEST(ConsoleStart, VersionIsPrintedForEitherSpellingInFirstPlace)
{
    EXPECT_EQ(runKorvane({"-V"}).output, "3.0\n");
    EXPECT_EQ(runKorvane({"--Version"}).output, "3.0\n");
    EXPECT_EQ(runKorvane({"-v"}).exitCode, 0);
}

TEST(ConsoleStart, HelpPrintsTheUsageTextLineForLine)
{
    ProgramRun run = runKorvane({"-?"});
    std::vector<std::string> lines = run.lines();
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], "Usage: korvane -i <filename> [options]");
    EXPECT_EQ(lines[5], "  korvane -i /tmp/example.pcd -o /tmp/converted");
    EXPECT_EQ(lines[13], "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)");
    EXPECT_EQ(lines[35], "  -v, --version             Display version information and exit");
    EXPECT_EQ(runKorvane({"--HELP"}).output, run.output);
}

TEST(ConsoleStart, FirstPositionSwitchesElsewhereAreIgnored)
{
    ProgramRun run = runKorvane({"--jpg-quality=50", "-h"});
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.exitCode, 0);
}

TEST(ConsoleStart, WithoutADisplayTheWindowSaysSoOnceAndLeavesTheSettingsAlone)
{
    ScratchFolder config;
    const std::string settingsFolder = config.path + "Tessaly/korvane/";
    std::filesystem::create_directories(settingsFolder);
    writeFile(settingsFolder + "config.ini", "[General]\nkept as it was\n");
    const std::vector<std::vector<std::string>> starts = {
        {}, {"--jpg-quality=50"}, {"-U"}, {"-T", config.path + "shots"}};
    for (const std::vector<std::string>& arguments : starts) {
        ProgramRun run = runKorvane(arguments, {{"XDG_CONFIG_HOME", config.path},
                                                {"DISPLAY", kUnsetVariable},
                                                {"WAYLAND_DISPLAY", kUnsetVariable}});
        const std::string shown = arguments.empty() ? "(none)" : arguments[0];
        EXPECT_EQ(run.exitCode, 0) << shown;
        EXPECT_EQ(run.output, "") << shown;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << shown << ": " << run.errors;
        EXPECT_NE(run.errors.find("display"), std::string::npos) << shown;
        EXPECT_EQ(readFile(settingsFolder + "config.ini"), "[General]\nkept as it was\n") << shown;
    }
    EXPECT_FALSE(fileExists(config.path + "shots"));
}

TEST(ConsoleStart, AConversionNeedsNoDisplay)
{
    ScratchFolder out;
    ProgramRun run = runKorvane({"-i", testDataPath("kodim23.pcd"), "-o", out.path},
                                {{"DISPLAY", kUnsetVariable}, {"WAYLAND_DISPLAY", kUnsetVariable}});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fileExists(out.path + "kodim23.jpg")) << run.output << run.errors;
    EXPECT_EQ(run.errors.find("Gtk"), std::string::npos) << run.errors;
}

TEST(ConsoleStart, SecondCopyOfTheSameVersionEndsSilently)
{
    ScratchFolder locks;
    std::string lockPath = locks.path + "Tessaly_PCD_to_JPG_3.0.lock";
    int fd = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);

    ProgramRun held = runKorvane({"-V"}, {{"XDG_RUNTIME_DIR", locks.path}});
    EXPECT_EQ(held.exitCode, 0);
    EXPECT_EQ(held.output, "");

    close(fd);
    EXPECT_EQ(runKorvane({"-V"}, {{"XDG_RUNTIME_DIR", locks.path}}).output, "3.0\n");
}

TEST(ConsoleStart, AReaderThatGoesAwayDoesNotStopTheConversion)
{
    ScratchFolder folder;
    // The reader closes its end at once; every line korvane prints then fails.
    const std::string script = "set -o pipefail; XDG_RUNTIME_DIR='" + folder.path + "' '" KORVANE_BINARY +
                               std::string("' -d -i '") + testDataPath("kodim23.pcd") + "' -o '" + folder.path +
                               "' | (exec 0<&-; sleep 1)";
    const int status = std::system(("bash -c \"" + script + "\"").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(fileExists(folder.path + "kodim23.jpg"));
}

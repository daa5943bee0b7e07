#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/files.h"
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
    ASSERT_EQ(lines.size(), 44u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], "Usage: korvane -i <filename> [options]");
    EXPECT_EQ(lines[2], "       korvane --batch -o <folder> [options] <file or folder>...");
    EXPECT_EQ(lines[6], "  korvane -i /tmp/example.pcd -o /tmp/converted");
    EXPECT_EQ(lines[15], "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)");
    EXPECT_EQ(lines[35], "  --jobs=NUM                Set how many pictures are converted at once");
    EXPECT_EQ(lines[43], "  -v, --version             Display version information and exit");
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
        ProgramRun run = runKorvane(
            arguments,
            {{"XDG_CONFIG_HOME", config.path}, {"DISPLAY", kUnsetVariable}, {"WAYLAND_DISPLAY", kUnsetVariable}});
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

TEST(ConsoleStart, WhileAnotherCopyRunsDesktopStartsEndSilentlyAndConsoleAnswersStillCome)
{
    ScratchFolder locks;
    std::string lockPath = locks.path + "Tessaly_PCD_to_JPG_3.0.lock";
    int fd = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);

    // Without a display each of these would say so; with the lock held they
    // end before they look for one.
    const std::map<std::string, std::string> noDisplay = {
        {"XDG_RUNTIME_DIR", locks.path}, {"DISPLAY", kUnsetVariable}, {"WAYLAND_DISPLAY", kUnsetVariable}};
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"--jpg-quality=50"}, {"-U"}, {"-T", locks.path + "shots"}}) {
        ProgramRun held = runKorvane(arguments, noDisplay);
        const std::string shown = arguments.empty() ? "(none)" : arguments[0];
        EXPECT_EQ(held.exitCode, 0) << shown;
        EXPECT_EQ(held.output, "") << shown;
        EXPECT_EQ(held.errors, "") << shown;
    }
    EXPECT_FALSE(fileExists(locks.path + "shots"));

    EXPECT_EQ(runKorvane({"-V"}, noDisplay).output, "3.0\n");
    EXPECT_EQ(runKorvane({"-h"}, noDisplay).lines().size(), 44u);
    EXPECT_EQ(runKorvane({"--jpg-quality"}, noDisplay).output, "Error: Incorrect number of parameters\n");
    close(fd);
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

TEST(ConsoleStart, ConsoleRunsNeitherWaitForAnotherCopyNorForEachOther)
{
    ScratchFolder scene;
    const std::string log = scene.path + "convert.log";
    writeFile(scene.path + "picture.ppm", "P6\n32 16\n255\n" + std::string(3 * 32 * 16, 'x'));
    // A convert that notes when it starts and ends, and in between waits (20
    // seconds at most) until all four have started.
    const std::string path =
        stubConvertPath(scene, "echo start >> '" + log + "'\nfor i in $(seq 200); do [ $(grep -c start '" + log +
                                   "') -ge 4 ] && break; sleep 0.1; done\ncp '" + scene.path +
                                   "picture.ppm' \"${5#ppm:}\"\necho end >> '" + log + "'");
    const std::string lockPath = scene.path + "Tessaly_PCD_to_JPG_3.0.lock";
    // Not inherited: a copy in the runs would hold the lock on their behalf.
    int held = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);

    RunSetup setup;
    setup.env = {{"XDG_RUNTIME_DIR", scene.path}, {"PATH", path}};
    std::vector<std::unique_ptr<StartedRun>> runs;
    for (int i = 0; i < 4; ++i) {
        std::vector<std::string> arguments{"-i", testDataPath("kodim23.pcd"), "-o", scene.path,
                                           "--filename-mask=run" + std::to_string(i) + ".%ext%"};
        if (i % 2)
            arguments.insert(arguments.begin(), "-q");
        runs.push_back(std::make_unique<StartedRun>(arguments, setup));
    }
    // The lock stays held (a window left open) while every run finishes.
    for (int i = 0; i < 4; ++i) {
        const ProgramRun run = runs[i]->finish(60);
        EXPECT_TRUE(fileExists(scene.path + "run" + std::to_string(i) + ".jpg")) << i;
        EXPECT_EQ(run.errors, "") << i;
        if (i % 2)
            EXPECT_EQ(run.output, "") << i;
        else
            EXPECT_EQ(run.lines().back(), "Files converted: 1 of 1") << i;
    }
    close(held);
    // Side by side: all four had begun before the first one ended.
    const std::vector<std::string> steps = linesOf(readFile(log));
    ASSERT_EQ(steps.size(), 8u);
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], i < 4 ? "start" : "end") << i;
}

TEST(ConsoleStart, WithoutARuntimeFolderTheLockLivesInAFolderOfTheUsersOwn)
{
    ScratchFolder temp;
    // An empty XDG_RUNTIME_DIR counts as unset; TMPDIR is no place for it
    // either. A window start takes the lock (and then finds no display).
    EXPECT_EQ(runKorvane({}, {{"XDG_RUNTIME_DIR", ""},
                              {"TMPDIR", temp.path},
                              {"DISPLAY", kUnsetVariable},
                              {"WAYLAND_DISPLAY", kUnsetVariable}})
                  .exitCode,
              0);
    const std::string own = "/tmp/korvane-" + std::to_string(geteuid()) + "/";
    struct stat st { };
    ASSERT_EQ(lstat(own.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(fileExists(own + "Tessaly_PCD_to_JPG_3.0.lock"));
    EXPECT_TRUE(namesIn(temp.path).empty());

    // A folder of that name that another user could enter is not used.
    ScratchFolder base;
    const std::string taken = base.path + "korvane-" + std::to_string(geteuid()) + "/";
    ASSERT_EQ(mkdir(taken.c_str(), 0777), 0);
    ASSERT_EQ(chmod(taken.c_str(), 0777), 0);
    EXPECT_EQ(userPrivateFolder(base.path), "");
    ASSERT_EQ(chmod(taken.c_str(), 0700), 0);
    EXPECT_EQ(userPrivateFolder(base.path), taken);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(taken.c_str(), 65534, 65534), 0);
        EXPECT_EQ(userPrivateFolder(base.path), "");
    }
    ASSERT_EQ(rmdir(taken.c_str()), 0);
    ASSERT_EQ(symlink(base.path.c_str(), taken.substr(0, taken.size() - 1).c_str()), 0);
    EXPECT_EQ(userPrivateFolder(base.path), "");
}

#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "hostile/hostile_support.h"

namespace {

// Every signal that ends a program unless it is caught: Ctrl-C, Ctrl-\, a
// closed terminal, kill's choices, timers and limits, and the first and last
// of the real-time ones.
std::vector<int> endingSignals()
{
    std::vector<int> numbers{SIGTERM,   SIGINT,  SIGHUP,  SIGQUIT, SIGUSR1,   SIGUSR2, SIGALRM,
                             SIGVTALRM, SIGPROF, SIGXCPU, SIGIO,   SIGSTKFLT, SIGPWR};
    numbers.push_back(SIGRTMIN);
    numbers.push_back(SIGRTMAX);
    return numbers;
}

// No core file for the signals that would dump one: the run's folders must
// stay empty, whatever limit the suite was started with.
class NoCoreFiles {
public:
    NoCoreFiles()
    {
        getrlimit(RLIMIT_CORE, &saved_);
        rlimit none = saved_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_CORE, &none);
    }
    ~NoCoreFiles() { setrlimit(RLIMIT_CORE, &saved_); }

private:
    rlimit saved_{};
};

// A file of ImageMagick's pixel cache in the temporary folder or in a work
// folder there.
bool holdsPixelCache(const std::string& temp)
{
    for (const std::string& name : namesIn(temp)) {
        if (name.starts_with("magick-"))
            return true;
        for (const std::string& inner : namesIn(temp + name + "/"))
            if (inner.starts_with("magick-"))
                return true;
    }
    return false;
}

}  // namespace

TEST(Interruption, ASignalDuringAConversionLeavesNothingBehind)
{
    NoCoreFiles noCores;
    for (int signal : endingSignals()) {
        HostileScene scene;
        const std::string started = scene.root.path + "convert.pid";
        // A convert that begins its picture, says so and then takes its time.
        const std::string path =
            stubConvertPath(scene.root, "printf 'P6\\n' > \"${5#ppm:}\"\necho $$ > '" + started + ".new'\nmv '" +
                                            started + ".new' '" + started + "'\nexec sleep 60");
        const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
        RunSetup setup;
        setup.env = {{"PATH", path}, {"TMPDIR", scene.temp}};
        setup.workingFolder = scene.work;
        StartedRun run({"-q", "-i", input, "-o", scene.out}, setup);
        ASSERT_TRUE(eventually([&] { return fileExists(started); })) << signal;
        const pid_t convert = std::stoi(readFile(started));
        EXPECT_FALSE(namesIn(scene.temp).empty()) << "the work folder exists while convert runs";

        kill(run.pid(), signal);
        const ProgramRun ended = run.finish();
        EXPECT_EQ(ended.signal, signal) << "the program ends by the signal itself";
        EXPECT_TRUE(eventually([&] { return processEnded(convert); })) << signal;
        if (!processEnded(convert))
            kill(convert, SIGKILL);
        expectNoLeftovers(scene);
        EXPECT_TRUE(namesIn(scene.out).empty()) << signal;
    }
}

TEST(Interruption, AFileSizeLimitFailsTheFileInsteadOfEndingTheProgram)
{
    HostileScene scene;
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    // Neither the extracted picture nor the JPEG fits in 20 KB.
    RunSetup setup;
    setup.env = {{"TMPDIR", scene.temp}};
    setup.workingFolder = scene.work;
    setup.fileSizeLimit = 20000;
    StartedRun run({"-q", "-i", input, "-o", scene.out}, setup);
    const ProgramRun ended = run.finish();
    EXPECT_EQ(ended.signal, 0);
    EXPECT_EQ(ended.output, "Conversion stopped\n");
    EXPECT_TRUE(namesIn(scene.out).empty());
    expectNoLeftovers(scene);
}

TEST(Interruption, CtrlCOrCtrlBackslashAtThePauseGivesTheTerminalItsEchoBack)
{
    int master = -1;
    int terminal = -1;
    ASSERT_EQ(openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    auto echoes = [&] {
        termios settings{};
        return tcgetattr(terminal, &settings) == 0 && (settings.c_lflag & ECHO) && (settings.c_lflag & ICANON);
    };
    ASSERT_TRUE(echoes());

    // -i without its file is an option error, after which -p waits for a key.
    RunSetup setup;
    setup.standardInput = terminal;
    NoCoreFiles noCores;
    for (int signal : {SIGINT, SIGQUIT}) {
        StartedRun run({"-p", "-i"}, setup);
        EXPECT_TRUE(eventually([&] { return !echoes(); })) << "the pause never began";
        kill(run.pid(), signal);
        const ProgramRun ended = run.finish();
        EXPECT_EQ(ended.signal, signal);
        EXPECT_EQ(ended.output, "Error: Incorrect number of parameters\n");
        EXPECT_TRUE(echoes()) << signal;
    }
    close(terminal);
    close(master);
}

TEST(Interruption, ImageMagicksPixelCacheGoesWithTheWorkFolder)
{
    // Beyond its area limit the real convert keeps the pixels in files of its
    // own on disk; the throttle slows it down enough to be stopped meanwhile.
    const std::map<std::string, std::string> diskCache = {{"MAGICK_AREA_LIMIT", "1"}, {"MAGICK_THROTTLE_LIMIT", "20"}};

    // Stopped at the time limit, after which the pac is decoded without it.
    HostileScene limited;
    std::map<std::string, std::string> env = diskCache;
    env["KORVANE_CONVERT_TIMEOUT"] = "1";
    const ProgramRun run =
        limited.run({"-i", limited.copySample("kodim23-16base.pcd", "pac.pcd"), "-o", limited.out}, env);
    EXPECT_EQ(run.lines().back(), "Files converted: 1 of 1");
    EXPECT_EQ(jpegFacts(limited.out + "pac.jpg").width, 3072u);
    expectNoLeftovers(limited);

    // Ended by a signal while the cache is there.
    HostileScene stopped;
    RunSetup setup;
    setup.env = diskCache;
    setup.env["TMPDIR"] = stopped.temp;
    setup.workingFolder = stopped.work;
    StartedRun started({"-q", "-i", stopped.copySample("kodim23-16base.pcd", "pac.pcd"), "-o", stopped.out}, setup);
    ASSERT_TRUE(eventually([&] { return holdsPixelCache(stopped.temp); }));
    kill(started.pid(), SIGTERM);
    EXPECT_EQ(started.finish().signal, SIGTERM);
    expectNoLeftovers(stopped);
}

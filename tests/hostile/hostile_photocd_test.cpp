#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "hostile/hostile_support.h"

namespace {

const std::string kStopped = "Conversion stopped\n";
const std::string kOldOutput = "an earlier output that a failure must leave alone";

// A PATH whose convert fails on every input without leaving a picture.
std::string failingConvert(const HostileScene& scene)
{
    return stubConvertPath(scene.root, "exit 1");
}

std::string randomBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// Runs the program while a watchdog stands by: a run still going after the
// grace time is blocked in an open of the named pipe, which the watchdog
// then opens from the other side to set it free. True when it had to.
bool runBlockedOnPipe(const HostileScene& scene, const std::string& pipe, const std::vector<std::string>& arguments,
                      ProgramRun& run)
{
    std::atomic<bool> finished{false};
    std::atomic<bool> released{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!finished && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        while (!finished) {
            for (int mode : {O_WRONLY, O_RDONLY}) {
                int fd = open(pipe.c_str(), mode | O_NONBLOCK);
                if (fd >= 0) {
                    released = true;
                    close(fd);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    run = scene.run(arguments);
    finished = true;
    watchdog.join();
    return released;
}

}  // namespace

TEST(HostilePac, CutOffInsideTheBaseGivesTheLargestPictureStillWhole)
{
    HostileScene scene;
    writeFile(scene.in + "cut.pcd", cutSample("kodim23.pcd", 240));
    ProgramRun run = scene.run({"-q", "-i", scene.in + "cut.pcd", "-o", scene.out});
    // Base/4 lies before the Base and survives the cut.
    EXPECT_EQ(run.output, "");
    PictureFacts facts = jpegFacts(scene.out + "cut.jpg");
    EXPECT_TRUE(facts.loads);
    EXPECT_EQ(facts.width, 384u);
    EXPECT_EQ(facts.height, 256u);
    expectNoLeftovers(scene);
}

TEST(HostilePac, CutOffInsideTheBaseIsNotReadPastItsEndByTheFallbackDecoder)
{
    HostileScene scene;
    const std::string baseEnd = cutSample("kodim23.pcd", 384);
    writeFile(scene.in + "cut.pcd", cutSample("kodim23.pcd", 240));
    writeFile(scene.in + "short.pcd", baseEnd.substr(0, baseEnd.size() - 1));  // the last byte of the Base gone
    for (const char* name : {"cut", "short"}) {
        writeFile(scene.out + name + ".jpg", kOldOutput);
        ProgramRun run =
            scene.run({"-q", "-i", scene.in + name + ".pcd", "-o", scene.out}, {{"PATH", failingConvert(scene)}});
        EXPECT_EQ(run.output, kStopped) << name;
        EXPECT_EQ(readFile(scene.out + name + ".jpg"), kOldOutput) << name;
    }
    EXPECT_EQ(namesIn(scene.out), (std::vector<std::string>{"cut.jpg", "short.jpg"}));

    // Ending right after the Base, the pac still gives it.
    writeFile(scene.in + "whole.pcd", baseEnd);
    ProgramRun run =
        scene.run({"-q", "-i", scene.in + "whole.pcd", "-o", scene.out}, {{"PATH", failingConvert(scene)}});
    EXPECT_EQ(run.output, "");
    PictureFacts facts = jpegFacts(scene.out + "whole.jpg");
    EXPECT_TRUE(facts.loads);
    EXPECT_EQ(facts.width, 768u);
    EXPECT_EQ(facts.height, 512u);
    expectNoLeftovers(scene);
}

TEST(HostilePac, CutOffInsideAHigherResolutionGivesAWholePictureOfThatSize)
{
    struct Case {
        const char* sample;
        size_t sectors;
        unsigned width, height;
    };
    for (const Case& c : {Case{"kodim15-4base.pcd", 600, 1536, 1024}, Case{"kodim23-16base.pcd", 3000, 3072, 2048}}) {
        HostileScene scene;
        writeFile(scene.in + "cut.pcd", cutSample(c.sample, c.sectors));
        ProgramRun run = scene.run({"-q", "-i", scene.in + "cut.pcd", "-o", scene.out});
        EXPECT_EQ(run.output, "") << c.sample;
        PictureFacts facts = jpegFacts(scene.out + "cut.jpg");
        EXPECT_TRUE(facts.loads) << c.sample;
        EXPECT_EQ(facts.width, c.width) << c.sample;
        EXPECT_EQ(facts.height, c.height) << c.sample;
        expectNoLeftovers(scene);
    }
}

TEST(HostilePac, AHeaderClaimingMoreThanTheFileHoldsGivesTheBase)
{
    HostileScene scene;
    std::string pac = readFile(testDataPath("kodim23.pcd"));
    pac[0xE02] = 0x08;  // 16Base
    writeFile(scene.in + "claims.pcd", pac);
    pac[0xE02] = 0x0C;  // no such resolution
    writeFile(scene.in + "damaged.pcd", pac);
    for (const char* name : {"claims", "damaged"}) {
        ProgramRun run = scene.run({"-q", "-i", scene.in + name + ".pcd", "-o", scene.out});
        EXPECT_EQ(run.output, "") << name;
        PictureFacts facts = jpegFacts(scene.out + name + ".jpg");
        EXPECT_TRUE(facts.loads) << name;
        EXPECT_EQ(facts.width, 768u) << name << ": not blown up from the Base";
        EXPECT_EQ(facts.height, 512u) << name;
    }
    expectNoLeftovers(scene);
}

TEST(HostilePac, ContentWithoutAPacHeaderStopsTheConversion)
{
    HostileScene scene;
    std::string pac = readFile(testDataPath("kodim23.pcd"));
    std::string unsignedPac = pac;
    unsignedPac.replace(2048, 7, "XXXXXXX");
    writeFile(scene.in + "unsigned.pcd", unsignedPac);
    writeFile(scene.in + "zeros.pcd", std::string(pac.size(), '\0'));
    writeFile(scene.in + "random.pcd", randomBytes(pac.size(), 23));
    for (const char* name : {"unsigned", "zeros", "random"}) {
        writeFile(scene.out + name + ".jpg", kOldOutput);
        ProgramRun run = scene.run({"-q", "-i", scene.in + name + ".pcd", "-o", scene.out});
        EXPECT_EQ(run.output, kStopped) << name;
        EXPECT_EQ(readFile(scene.out + name + ".jpg"), kOldOutput) << name;
    }
    EXPECT_EQ(namesIn(scene.out), (std::vector<std::string>{"random.jpg", "unsigned.jpg", "zeros.jpg"}));
    expectNoLeftovers(scene);
}

TEST(HostilePac, WhatIsNotARegularFileIsRefusedWithoutWaiting)
{
    HostileScene scene;
    mkdir((scene.in + "folder.pcd").c_str(), 0755);
    ASSERT_EQ(symlink((scene.in + "loop-b.pcd").c_str(), (scene.in + "loop-a.pcd").c_str()), 0);
    ASSERT_EQ(symlink((scene.in + "loop-a.pcd").c_str(), (scene.in + "loop-b.pcd").c_str()), 0);
    for (const char* name : {"folder.pcd", "loop-a.pcd"}) {
        ProgramRun run = scene.run({"-q", "-i", scene.in + name, "-o", scene.out});
        EXPECT_EQ(run.output, "Error: Invalid input file\n") << name;
    }

    const std::string pipe = scene.in + "pipe.pcd";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    ProgramRun run;
    EXPECT_FALSE(runBlockedOnPipe(scene, pipe, {"-q", "-i", pipe, "-o", scene.out}, run)) << "waited on the pipe";
    EXPECT_EQ(run.output, "Error: Invalid input file\n");
    // A pipe where a profile, a watermark picture or the output goes.
    writeFile(scene.in + "kodim23.pcd", readFile(testDataPath("kodim23.pcd")));
    EXPECT_FALSE(runBlockedOnPipe(scene, pipe, {"-q", "-i", scene.in + "kodim23.pcd", "--profile=" + pipe}, run));
    EXPECT_EQ(run.output, "Error: Invalid profile file\n");
    EXPECT_FALSE(runBlockedOnPipe(scene, pipe, {"-q", "-i", scene.in + "kodim23.pcd", "--wm-image=" + pipe}, run));
    EXPECT_EQ(run.output, "Error: Invalid watermark image\n");
    ASSERT_EQ(mkfifo((scene.out + "kodim23.jpg").c_str(), 0644), 0);
    EXPECT_FALSE(runBlockedOnPipe(scene, scene.out + "kodim23.jpg",
                                  {"-q", "-i", scene.in + "kodim23.pcd", "-o", scene.out}, run));
    struct stat output { };
    ASSERT_EQ(lstat((scene.out + "kodim23.jpg").c_str(), &output), 0);
    ASSERT_TRUE(S_ISREG(output.st_mode)) << "the pipe is replaced, never written into";
    EXPECT_TRUE(jpegFacts(scene.out + "kodim23.jpg").loads);
    expectNoLeftovers(scene);
}

TEST(HostilePac, AnUnreadableInputIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    HostileScene scene;
    std::string input = scene.copySample("kodim23.pcd", "locked.pcd");
    chmod(input.c_str(), 0);
    ProgramRun run = scene.run({"-q", "-i", input, "-o", scene.out});
    EXPECT_EQ(run.output, "Error: Invalid input file\n");
    EXPECT_TRUE(namesIn(scene.out).empty());
    expectNoLeftovers(scene);
}

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(HostilePac, WithoutConvertADamagedResolutionGivesTheHighestOneThatDecodesWhole)
{
    // kodim23-16base.pcd: the 4Base section begins at sector 388, its first
    // row header at byte 2048 of it; the 16Base section at sector 1070, its
    // first row header (luma row 0: 0xFFFFFE 0x00 0x00) at byte 4096 of it.
    constexpr size_t kFourBase = 388 * 2048;
    constexpr size_t kSixteenBase = 1070 * 2048;
    const std::string pac = readFile(testDataPath("kodim23-16base.pcd"));
    auto changed = [&](size_t offset, std::string bytes) {
        return std::string(pac).replace(offset, bytes.size(), bytes);
    };
    struct Case {
        const char* name;
        std::string bytes;
        unsigned width, height;  // 0: the file fails
        std::string why;         // how the line that says why the decoder stopped begins
    };
    const Case cases[] = {
        {"cut-in-base", pac.substr(0, 300 * 2048), 0, 0, "Built-in decoder: no picture: the pac ends inside the Base"},
        {"cut-in-4base", pac.substr(0, 600 * 2048), 768, 512,
         "Built-in decoder: 4Base left out: the pac ends inside it (at luma row "},
        {"sync-missing", changed(kFourBase + 2048, std::string(3, '\0')), 768, 512,
         "Built-in decoder: 4Base left out: luma row 0 is missing"},
        {"16base-past-the-end", pac.substr(0, kSixteenBase), 1536, 1024,
         "Built-in decoder: 16Base left out: its section would begin past the end of the pac"},
        {"cut-in-16base-luma", pac.substr(0, 2070 * 2048), 1536, 1024,
         "Built-in decoder: 16Base left out: the pac ends inside it (at luma row "},
        {"cut-in-16base-chroma", pac.substr(0, 3000 * 2048), 1536, 1024,
         "Built-in decoder: 16Base left out: the pac ends inside it (at C1 row "},
        {"code-of-17-bits", changed(kSixteenBase + 1, std::string(1, '\x10')), 1536, 1024,
         "Built-in decoder: 16Base left out: a Huffman table holds a code longer than 16 bits"},
        {"row-8191", changed(kSixteenBase + 4096 + 3, "\x3F\xFE"), 1536, 1024,
         "Built-in decoder: 16Base left out: a row header names luma row 8191, beyond the picture"},
        {"plane-1", changed(kSixteenBase + 4096 + 3, "\x40"), 1536, 1024,
         "Built-in decoder: 16Base left out: the header of row 0 names no plane"},
    };
    HostileScene scene;
    ScratchFolder emptyPath;
    for (const Case& c : cases) {
        const std::string input = scene.in + c.name + ".pcd";
        const std::string output = scene.out + c.name + ".jpg";
        writeFile(input, c.bytes);
        writeFile(output, kOldOutput);
        const ProgramRun run = scene.run({"-d", "-i", input, "-o", scene.out}, {{"PATH", emptyPath.path}});
        const std::vector<std::string> lines = run.lines();
        const auto why = std::find_if(lines.begin(), lines.end(),
                                      [&](const std::string& line) { return line.rfind(c.why, 0) == 0; });
        EXPECT_NE(why, lines.end()) << c.name << ":\n" << run.output;
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& line) { return line.rfind("Built-in decoder: ", 0) == 0; }),
                  c.width == 0 ? 1 : 2)
            << c.name << ": one line says why, one what came out";
        if (c.width == 0) {
            EXPECT_EQ(lines.back(), "Conversion stopped") << c.name;
            EXPECT_EQ(readFile(output), kOldOutput) << c.name;
            continue;
        }
        const PictureFacts facts = jpegFacts(output);
        EXPECT_TRUE(facts.loads) << c.name;
        EXPECT_EQ(facts.width, c.width) << c.name;
        EXPECT_EQ(facts.height, c.height) << c.name;
    }
    expectNoLeftovers(scene);
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

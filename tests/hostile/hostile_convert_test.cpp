#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "hostile/hostile_support.h"

namespace {

const std::string kStopped = "Conversion stopped\n";
const std::string kOldOutput = "an earlier output that a failure must leave alone";

// A file with the .pcd extension and no image pac header, so that nothing
// but convert could make a picture of it.
std::string headerlessInput(const HostileScene& scene)
{
    writeFile(scene.in + "plain.pcd", std::string(4096, 'x'));
    return scene.in + "plain.pcd";
}

// A convert that counts its runs and leaves the prepared file as its picture.
std::string convertLeaving(const HostileScene& scene, const std::string& picture)
{
    writeFile(scene.root.path + "picture", picture);
    return stubConvertPath(scene.root, "echo run >> '" + scene.root.path +
                                           "runs.log'\n"
                                           "cp '" +
                                           scene.root.path + "picture' \"${5#ppm:}\"");
}

size_t runsOf(const HostileScene& scene)
{
    return linesOf(readFile(scene.root.path + "runs.log")).size();
}

}  // namespace

TEST(HostileConvert, AHangingConvertAndItsChildrenAreKilledAfterTheTimeLimit)
{
    HostileScene scene;
    const std::string pids = scene.root.path + "pids";
    std::string path = stubConvertPath(scene.root, "sleep 300 &\necho $$ $! >> '" + pids + "'\nwait");
    const std::string input = headerlessInput(scene);
    writeFile(scene.out + "plain.jpg", kOldOutput);
    const auto start = std::chrono::steady_clock::now();
    ProgramRun run =
        scene.run({"-q", "-i", input, "-o", scene.out}, {{"PATH", path}, {"KORVANE_CONVERT_TIMEOUT", "1"}});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.output, kStopped);
    // One run of one second, not one for every subimage index.
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_EQ(linesOf(readFile(pids)).size(), 1u);
    std::istringstream started(readFile(pids));
    for (pid_t pid; started >> pid;)
        EXPECT_TRUE(processEnded(pid)) << "process " << pid << " still runs";
    EXPECT_EQ(readFile(scene.out + "plain.jpg"), kOldOutput);
    expectNoLeftovers(scene);
}

TEST(HostileConvert, AfterAHangOrACrashAPacStillGivesItsHighestResolution)
{
    for (const std::string body : {"sleep 300", "kill -SEGV $$"}) {
        HostileScene scene;
        std::string path = stubConvertPath(scene.root, body);
        const std::string input = scene.copySample("kodim23-16base.pcd", "pac.pcd");
        ProgramRun run =
            scene.run({"-i", input, "-o", scene.out, "-d"}, {{"PATH", path}, {"KORVANE_CONVERT_TIMEOUT", "1"}});
        EXPECT_EQ(run.lines().back(), "Files converted: 1 of 1") << body;
        PictureFacts facts = jpegFacts(scene.out + "pac.jpg");
        EXPECT_TRUE(facts.loads) << body;
        EXPECT_EQ(facts.width, 3072u) << body;
        EXPECT_EQ(facts.height, 2048u) << body;
        expectNoLeftovers(scene);
    }
}

TEST(HostileConvert, ACrashingConvertStopsTheConversionOfWhatOnlyItCouldRead)
{
    HostileScene scene;
    std::string path = stubConvertPath(scene.root, "echo run >> '" + scene.root.path + "runs.log'\nkill -SEGV $$");
    writeFile(scene.out + "plain.jpg", kOldOutput);
    ProgramRun run = scene.run({"-i", headerlessInput(scene), "-o", scene.out, "-d"}, {{"PATH", path}});
    EXPECT_EQ(runsOf(scene), 7u) << "every subimage index is tried once";
    const std::vector<std::string> lines = run.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "[ERROR] Unable to convert the file!");
    EXPECT_EQ(lines[lines.size() - 2], "Reason: the decoder was ended by signal 11");
    EXPECT_EQ(lines.back(), "Conversion stopped");
    EXPECT_EQ(readFile(scene.out + "plain.jpg"), kOldOutput);
    expectNoLeftovers(scene);
}

TEST(HostileConvert, GarbageOrACutOffPictureIsNeverSavedAsAConversion)
{
    const std::string pixels(3000, '\x7F');
    const std::vector<std::string> pictures = {
        "garbage \x01\x02\x03 that is no picture at all",
        "P6\n640 480\n255\n" + pixels,                           // ends after a few rows
        "P6\n32 32\n65535\n" + pixels,                           // 16-bit samples, half of them
        "P6\n32 32\n255\n" + pixels.substr(0, 3 * 32 * 32 - 1),  // one byte short
        "P6\n100000 100000\n255\n" + pixels,                     // absurd size
        "P6\n16000 16000\n255\n" + pixels,                       // large, and cut off
        "P6 32 32 255" + std::string(3 * 32 * 32 + 1, 'x'),      // no blank before the pixels
    };
    for (const std::string& picture : pictures) {
        HostileScene scene;
        std::string path = convertLeaving(scene, picture);
        writeFile(scene.out + "plain.jpg", kOldOutput);
        ProgramRun run = scene.run({"-q", "-i", headerlessInput(scene), "-o", scene.out}, {{"PATH", path}});
        EXPECT_EQ(run.output, kStopped) << picture.substr(0, 20);
        EXPECT_EQ(readFile(scene.out + "plain.jpg"), kOldOutput) << picture.substr(0, 20);
        expectNoLeftovers(scene);
    }
}

TEST(HostileConvert, AWholePictureWithACommentedHeaderIsAccepted)
{
    HostileScene scene;
    std::string path =
        convertLeaving(scene, "P6\n# made by hand\n32 # wide\n16\n255\n" + std::string(3 * 32 * 16, 'x'));
    ProgramRun run = scene.run({"-q", "-i", headerlessInput(scene), "-o", scene.out}, {{"PATH", path}});
    EXPECT_EQ(run.output, "");
    PictureFacts facts = jpegFacts(scene.out + "plain.jpg");
    EXPECT_TRUE(facts.loads);
    EXPECT_EQ(facts.width, 32u);
    EXPECT_EQ(facts.height, 16u);
    EXPECT_EQ(runsOf(scene), 1u);
}

TEST(HostileConvert, AnOutputFolderThatVanishesIsNotMadeAgain)
{
    HostileScene scene;
    writeFile(scene.root.path + "picture", "P6\n32 16\n255\n" + std::string(3 * 32 * 16, 'x'));
    std::string path =
        stubConvertPath(scene.root, "rm -rf '" + scene.out + "'\ncp '" + scene.root.path + "picture' \"${5#ppm:}\"");
    ProgramRun run = scene.run({"-q", "-i", headerlessInput(scene), "-o", scene.out}, {{"PATH", path}});
    EXPECT_EQ(run.output, kStopped);
    EXPECT_FALSE(fileExists(scene.out));
    EXPECT_EQ(namesIn(scene.root.path), (std::vector<std::string>{"in", "picture", "stub-bin", "temp", "work"}));
    EXPECT_EQ(namesIn(scene.in), std::vector<std::string>{"plain.pcd"});
    expectNoLeftovers(scene);
}

TEST(HostileConvert, WhatConvertLeavesRunningInItsGroupIsStoppedAndNothingElseAwaited)
{
    HostileScene scene;
    const std::string pids = scene.root.path + "pids";
    writeFile(scene.root.path + "picture", "P6\n32 16\n255\n" + std::string(3 * 32 * 16, 'x'));
    // Done with its picture, convert ends but leaves one helper behind in its
    // group and one that left the group for a session of its own.
    std::string path = stubConvertPath(scene.root, "cp '" + scene.root.path +
                                                       "picture' \"${5#ppm:}\"\n"
                                                       "sleep 300 &\necho $! >> '" +
                                                       pids +
                                                       "'\n"
                                                       "setsid sleep 300 < /dev/null > /dev/null 2>&1 &\n"
                                                       "echo $! >> '" +
                                                       pids + "'");
    const auto start = std::chrono::steady_clock::now();
    ProgramRun run = scene.run({"-q", "-i", headerlessInput(scene), "-o", scene.out}, {{"PATH", path}});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(run.output, "");
    EXPECT_TRUE(jpegFacts(scene.out + "plain.jpg").loads);
    std::istringstream started(readFile(pids));
    pid_t inGroup = 0;
    pid_t detached = 0;
    started >> inGroup >> detached;
    ASSERT_GT(inGroup, 0);
    EXPECT_TRUE(processEnded(inGroup)) << "the helper in convert's group still runs";
    kill(inGroup, SIGKILL);
    if (detached > 0)
        kill(detached, SIGKILL);
    expectNoLeftovers(scene);
}

TEST(HostileConvert, FoldersAndLinksConvertLeavesInTheWorkFolderAreRemovedWithoutFollowingALink)
{
    HostileScene scene;
    const std::string outside = scene.root.path + "outside/";
    mkdir(outside.c_str(), 0755);
    writeFile(outside + "kept", "not convert's to remove");
    // Its picture a tree of folders, with links to a folder and a file elsewhere.
    std::string path = stubConvertPath(scene.root, "picture=\"${5#ppm:}\"\n"
                                                   "mkdir -p \"$picture/inner/deeper\"\n"
                                                   "echo x > \"$picture/file\"\n"
                                                   "echo y > \"$picture/inner/deeper/file\"\n"
                                                   "ln -sfn '" +
                                                       outside + "' \"$picture/inner/folder-link\"\nln -sf '" +
                                                       outside + "kept' \"$picture/file-link\"");
    const std::string input = scene.copySample("kodim23-16base.pcd", "pac.pcd");
    ProgramRun run = scene.run({"-i", input, "-o", scene.out}, {{"PATH", path}});
    EXPECT_EQ(run.lines().back(), "Files converted: 1 of 1");
    EXPECT_EQ(jpegFacts(scene.out + "pac.jpg").width, 3072u) << "the 16Base, decoded without convert";
    expectNoLeftovers(scene);
    EXPECT_EQ(namesIn(outside), std::vector<std::string>{"kept"});
    EXPECT_EQ(readFile(outside + "kept"), "not convert's to remove");
}

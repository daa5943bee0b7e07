#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "hostile/hostile_support.h"

namespace {

const std::string kStopped = "Conversion stopped\n";
const std::string kOldOutput = "an earlier output that a failure must leave alone";

}  // namespace

TEST(HostileOutput, AReadOnlyOutputFolderFailsTheFileAndKeepsWhatIsThere)
{
    HostileScene scene;
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    // Permission bits do not stop root, a read-only file system does.
    SmallFileSystem readOnly(scene.root.path + "readonly/", "1m");
    if (geteuid() == 0 && !readOnly.mounted)
        GTEST_SKIP() << "running as root where no file system may be mounted";
    writeFile(readOnly.folder + "kodim23.jpg", kOldOutput);
    if (readOnly.mounted)
        ASSERT_TRUE(readOnly.makeReadOnly());
    else
        chmod(readOnly.folder.c_str(), 0555);

    for (const std::string mask : {"%filename%.%ext%", "new/%filename%.%ext%"}) {
        ProgramRun run = scene.run({"-q", "-i", input, "-o", readOnly.folder, "--filename-mask=" + mask});
        EXPECT_EQ(run.output, kStopped) << mask;
        EXPECT_EQ(readFile(readOnly.folder + "kodim23.jpg"), kOldOutput) << mask;
        EXPECT_EQ(namesIn(readOnly.folder), std::vector<std::string>{"kodim23.jpg"}) << mask;
    }
    expectNoLeftovers(scene);
}

TEST(HostileOutput, AFullDiskFailsTheFileAndKeepsTheEarlierOutput)
{
    HostileScene scene;
    SmallFileSystem small(scene.root.path + "small/", "200k");
    if (!small.mounted)
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    writeFile(small.folder + "kodim23.jpg", kOldOutput);
    // About 160 KB of output cannot fit beside 100 KB of other files.
    writeFile(small.folder + "filler", std::string(100 * 1024, 'f'));
    ProgramRun run = scene.run({"-q", "-i", input, "-o", small.folder});
    EXPECT_EQ(run.output, kStopped);
    EXPECT_EQ(readFile(small.folder + "kodim23.jpg"), kOldOutput);
    EXPECT_EQ(namesIn(small.folder), (std::vector<std::string>{"filler", "kodim23.jpg"}));
    expectNoLeftovers(scene);

    // With the room back the same run succeeds: it was the space that failed.
    unlink((small.folder + "filler").c_str());
    EXPECT_EQ(scene.run({"-q", "-i", input, "-o", small.folder}).output, "");
    EXPECT_TRUE(jpegFacts(small.folder + "kodim23.jpg").loads);
}

TEST(HostileOutput, AFullTemporaryFolderLeavesNoCutOffPictureToConvert)
{
    HostileScene scene;
    SmallFileSystem small(scene.root.path + "small/", "200k");
    if (!small.mounted)
        GTEST_SKIP() << "mounting a small file system needs root";
    const std::string input = scene.copySample("kodim23-16base.pcd", "pac.pcd");
    // convert cannot write any picture whole; the built-in decoder, which
    // writes none, still gives the 16Base.
    ProgramRun run = runKorvane({"-q", "-i", input, "-o", scene.out}, {{"TMPDIR", small.folder}}, scene.work);
    EXPECT_EQ(run.output, "");
    PictureFacts facts = jpegFacts(scene.out + "pac.jpg");
    EXPECT_TRUE(facts.loads);
    EXPECT_EQ(facts.width, 3072u);
    EXPECT_EQ(facts.height, 2048u);
    EXPECT_TRUE(namesIn(small.folder).empty());
    expectNoLeftovers(scene);
}

#include <FreeImage.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/output_file.h"
#include "test_support.h"

namespace {

// A picture of noise, so that no encoder can make it small.
FIBITMAP* noisePicture(int width, int height)
{
    FIBITMAP* picture = FreeImage_Allocate(width, height, 24);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture, y);
        for (int x = 0; x < width * 3; ++x) {
            seed = seed * 1103515245u + 12345u;
            row[x] = static_cast<BYTE>(seed >> 16);
        }
    }
    return picture;
}

class OutputFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        out = scratch.path + "out/";
        ASSERT_EQ(mkdir(out.c_str(), 0755), 0);
        picture.reset(noisePicture(64, 48));
    }

    WriteResult save(const std::string& relativePath, FREE_IMAGE_FORMAT fif = FIF_JPEG)
    {
        return saveOutputFile(picture, fif, out, out + relativePath, 0);
    }

    ScratchFolder scratch;
    std::string out;
    BitmapHandle picture;
};

}  // namespace

TEST_F(OutputFile, MissingFoldersBelowTheOutputFolderAreCreated)
{
    ASSERT_TRUE(save("2019/May/x.jpg"));
    FIBITMAP* saved = FreeImage_Load(FIF_JPEG, (out + "2019/May/x.jpg").c_str(), 0);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(saved), 64u);
    FreeImage_Unload(saved);
    EXPECT_EQ(namesIn(out + "2019/May"), std::vector<std::string>{"x.jpg"});

    // An existing folder is used as it is, also when reached by a link inside.
    ASSERT_EQ(symlink((out + "2019").c_str(), (out + "alias").c_str()), 0);
    EXPECT_TRUE(save("alias/May/y.jpg"));
    EXPECT_TRUE(fileExists(out + "2019/May/y.jpg"));
}

TEST_F(OutputFile, PathsLeadingOutsideTheOutputFolderFail)
{
    const std::string elsewhere = scratch.path + "elsewhere/";
    ASSERT_EQ(mkdir(elsewhere.c_str(), 0755), 0);
    ASSERT_EQ(symlink(elsewhere.c_str(), (out + "escape").c_str()), 0);

    EXPECT_FALSE(save("../x.jpg"));
    EXPECT_FALSE(save("sub/../../x.jpg"));
    EXPECT_FALSE(save("/x.jpg"));
    EXPECT_FALSE(save("./x.jpg"));
    EXPECT_FALSE(save("sub/"));
    EXPECT_FALSE(save("escape/x.jpg"));
    EXPECT_FALSE(save("escape/new/x.jpg"));
    EXPECT_FALSE(saveOutputFile(picture, FIF_JPEG, out, elsewhere + "x.jpg", 0));

    EXPECT_EQ(namesIn(scratch.path), (std::vector<std::string>{"elsewhere", "out"}));
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"escape"});
    EXPECT_TRUE(namesIn(elsewhere).empty());
}

TEST_F(OutputFile, SomethingInTheWayMakesTheSaveFail)
{
    writeFile(out + "taken", "a file, not a folder");
    EXPECT_FALSE(save("taken/x.jpg"));
    EXPECT_EQ(readFile(out + "taken"), "a file, not a folder");

    ASSERT_EQ(mkdir((out + "x.jpg").c_str(), 0755), 0);
    EXPECT_FALSE(save("x.jpg"));
    EXPECT_TRUE(namesIn(out + "x.jpg").empty());
    EXPECT_EQ(namesIn(out), (std::vector<std::string>{"taken", "x.jpg"}));
}

TEST_F(OutputFile, ExistingOutputIsReplacedOnlyBySuccess)
{
    writeFile(out + "x.jpg", "the earlier picture");
    ASSERT_EQ(chmod((out + "x.jpg").c_str(), 0640), 0);

    // FreeImage cannot write 16-bit grey as JPEG.
    const BitmapHandle grey(FreeImage_AllocateT(FIT_UINT16, 8, 8));
    EXPECT_FALSE(saveOutputFile(grey, FIF_JPEG, out, out + "x.jpg", 0));
    EXPECT_EQ(readFile(out + "x.jpg"), "the earlier picture");
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"x.jpg"});

    ASSERT_TRUE(save("x.jpg"));
    EXPECT_EQ(readFile(out + "x.jpg").substr(0, 2), "\xff\xd8");
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"x.jpg"});
    struct stat st { };
    ASSERT_EQ(stat((out + "x.jpg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(OutputFile, ReadOnlyExistingOutputIsLeftAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write every file";
    writeFile(out + "x.jpg", "keep me");
    ASSERT_EQ(chmod((out + "x.jpg").c_str(), 0444), 0);
    EXPECT_FALSE(save("x.jpg"));
    EXPECT_EQ(readFile(out + "x.jpg"), "keep me");
}

// A disk that fills up part way through: the file size limit of a child
// process stops its writes the same way.
TEST_F(OutputFile, SaveCutShortByAFullDiskFails)
{
    const BitmapHandle large(noisePicture(256, 256));  // about 196 KB as BMP
    writeFile(out + "x.bmp", "the earlier picture");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit { };
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(saveOutputFile(large, FIF_BMP, out, out + "x.bmp", 0) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the cut-short save was reported as a success";
    EXPECT_EQ(readFile(out + "x.bmp"), "the earlier picture");
    EXPECT_EQ(namesIn(out), std::vector<std::string>{"x.bmp"});

    // Without the limit the same save goes through.
    EXPECT_TRUE(saveOutputFile(large, FIF_BMP, out, out + "x.bmp", 0));
    EXPECT_GT(readFile(out + "x.bmp").size(), 64u * 1024);
}

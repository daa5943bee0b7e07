#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "test_support.h"

TEST(AtomicFile, ALinkedFileIsUpdatedWhereItLivesWithItsPermissions)
{
    ScratchFolder folder;
    const std::string real = folder.path + "kept/config.ini";
    const std::string link = folder.path + "config.ini";
    ASSERT_EQ(mkdir((folder.path + "kept").c_str(), 0700), 0);
    writeFile(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0600), 0);
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);

    ASSERT_TRUE(replaceFileAtomically(link, "new"));
    struct stat st { };
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readFile(real), "new");
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

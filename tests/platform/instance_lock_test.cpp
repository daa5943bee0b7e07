#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/instance_lock.h"
#include "test_support.h"

namespace {

constexpr uid_t kOtherUser = 65534;

// Takes the lock in a child process of its own, as a second copy of the
// program started with XDG_RUNTIME_DIR=runtime would; true when it got it.
bool childGetsLock(const std::string& runtime, const std::string& name)
{
    const pid_t child = fork();
    if (child == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        _exit(tryInstanceLock(name) ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// What the other user does: makes the lock file, open to all, and holds it.
int holdLock(const std::string& path, uid_t owner)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || fchmod(fd, 0666) != 0 || flock(fd, LOCK_EX | LOCK_NB) != 0 || fchown(fd, owner, owner) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

TEST(InstanceLock, ARuntimeFolderOrLockFileOfAnotherUserCannotBlockTheProgram)
{
    const std::string name = "instance-lock-test-" + std::to_string(getpid());
    const std::string fallback = "/tmp/korvane-" + std::to_string(geteuid()) + "/" + name + ".lock";
    const bool root = geteuid() == 0;
    ScratchFolder scratch;

    // The user's own private folder, with the lock held there: the second copy waits its turn.
    const std::string own = scratch.path + "own";
    ASSERT_EQ(mkdir(own.c_str(), 0700), 0);
    int held = holdLock(own + "/" + name + ".lock", geteuid());
    ASSERT_GE(held, 0);
    EXPECT_FALSE(childGetsLock(own, name));
    close(held);

    // A folder every user may write (after su without "-"), or one of another user.
    const std::string shared = scratch.path + "shared";
    ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    const std::string foreign = scratch.path + "foreign";
    ASSERT_EQ(mkdir(foreign.c_str(), 0700), 0);
    for (const std::string& runtime : {shared, foreign}) {
        if (runtime == foreign && !root)
            continue;  // only root can give a folder away
        if (runtime == foreign) {
            ASSERT_EQ(chown(foreign.c_str(), kOtherUser, kOtherUser), 0);
        }
        held = holdLock(runtime + "/" + name + ".lock", root ? kOtherUser : geteuid());
        ASSERT_GE(held, 0) << runtime;
        unlink(fallback.c_str());
        EXPECT_TRUE(childGetsLock(runtime, name)) << runtime;
        EXPECT_TRUE(fileExists(fallback)) << "the lock lives in the user's own folder below /tmp instead";
        close(held);
    }

    // A lock file of another user in the user's own folder is not used either.
    if (root) {
        held = holdLock(own + "/" + name + ".lock", kOtherUser);
        ASSERT_GE(held, 0);
        EXPECT_TRUE(childGetsLock(own, name));
        close(held);
    }
    unlink(fallback.c_str());
}

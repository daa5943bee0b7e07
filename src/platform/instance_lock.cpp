#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"

namespace {

int g_lockFile = -1;
bool g_held = false;

// $XDG_RUNTIME_DIR only when no one else could have put a lock file there:
// after su without "-" it may still name the other user's folder, or a shared
// one such as /tmp.
bool isUsersOwnFolder(const char* path)
{
    struct stat st { };
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 022) == 0 &&
           access(path, W_OK | X_OK) == 0;
}

std::string runtimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime == '/' && isUsersOwnFolder(runtime) ? std::string(runtime) + "/" : "";
}

// A name that is safe as one path component.
std::string lockFileName(const std::string& name)
{
    std::string safe;
    for (char c : name)
        safe += (c == '/' || c == ' ') ? '_' : c;
    return safe + ".lock";
}

// The lock file in folder when it is a regular file of this user's own; -1
// otherwise. A file another user owns is never locked: they could hold it
// for good.
int openOwnLockFile(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return -1;
    const int fd = open((folder + lockFileName(name)).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat st { };
    if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid())) {
        close(fd);
        return -1;
    }
    return fd;
}

// The descriptor stays open on purpose: the lock lives as long as the process.
int openLockFile(const std::string& name)
{
    if (g_lockFile < 0)
        g_lockFile = openOwnLockFile(runtimeFolder(), name);
    if (g_lockFile < 0)
        g_lockFile = openOwnLockFile(userPrivateFolder("/tmp/"), name);
    return g_lockFile;
}

}  // namespace

bool tryInstanceLock(const std::string& name)
{
    const int fd = openLockFile(name);
    if (fd < 0 || g_held)
        return true;
    g_held = flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
    return g_held;
}

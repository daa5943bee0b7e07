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

bool isWritableFolder(const char* path)
{
    struct stat st { };
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode) && access(path, W_OK | X_OK) == 0;
}

std::string lockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/' && isWritableFolder(runtime))
        return std::string(runtime) + "/";
    return userPrivateFolder("/tmp/");
}

// A name that is safe as one path component.
std::string lockFileName(const std::string& name)
{
    std::string safe;
    for (char c : name)
        safe += (c == '/' || c == ' ') ? '_' : c;
    return safe + ".lock";
}

// The descriptor stays open on purpose: the lock lives as long as the process.
int openLockFile(const std::string& name)
{
    if (g_lockFile < 0) {
        const std::string folder = lockFolder();
        if (!folder.empty())
            g_lockFile = open((folder + lockFileName(name)).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
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

void waitForInstanceLock(const std::string& name)
{
    const int fd = openLockFile(name);
    if (fd < 0 || g_held)
        return;
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) { }
    g_held = true;
}

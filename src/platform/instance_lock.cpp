#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace {

std::string lockFolder()
{
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "/tmp";
}

// A name that is safe as one path component.
std::string lockFileName(const std::string& name)
{
    std::string safe;
    for (char c : name)
        safe += (c == '/' || c == ' ') ? '_' : c;
    return safe + ".lock";
}

}  // namespace

bool acquireInstanceLock(const std::string& name)
{
    std::string path = lockFolder() + "/" + lockFileName(name);
    // The descriptor stays open on purpose: the lock lives as long as the process.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;  // no lock can be taken here; running beats refusing to run
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    return true;
}

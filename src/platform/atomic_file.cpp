#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/text.h"

namespace {

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool writeAndFlush(int fd, std::string_view bytes)
{
    bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
    // close can report a delayed write error of its own.
    return close(fd) == 0 && ok;
}

// Makes the rename itself durable. A folder that cannot be opened or flushed
// does not undo the replacement that has already happened.
void flushFolder(const std::string& folder)
{
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool replaceFileAtomically(const std::string& path, std::string_view bytes)
{
    // One process name per running copy: the name cannot clash with another
    // writer, and a leftover of a crashed run with the same number is stale.
    std::string temporary = path + ".tmp-" + std::to_string(getpid());
    unlink(temporary.c_str());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (!writeAndFlush(fd, bytes) || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    flushFolder(folderOf(path));
    return true;
}

#include "platform/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace {

constexpr int kTemporaryNameAttempts = 100;

// Closes the descriptor it holds when it is replaced or goes out of scope.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int value) : fd(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(-1); }
    void reset(int value)
    {
        if (fd >= 0)
            close(fd);
        fd = value;
    }
};

std::optional<std::vector<std::string>> pathParts(const std::string& relativePath)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (;;) {
        const size_t slash = relativePath.find('/', from);
        std::string part = relativePath.substr(from, slash == std::string::npos ? slash : slash - from);
        if (part.empty() || part == "." || part == "..")
            return std::nullopt;
        parts.push_back(std::move(part));
        if (slash == std::string::npos)
            return parts;
        from = slash + 1;
    }
}

// Where an open folder really is, symbolic links resolved.
std::string realFolderOf(int fd)
{
    char target[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = readlink(link.c_str(), target, sizeof(target) - 1);
    return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string();
}

bool isWithin(const std::string& folder, const std::string& base)
{
    if (folder.empty() || base.empty())
        return false;
    if (folder == base || base == "/")
        return true;
    return folder.compare(0, base.size() + 1, base + "/") == 0;
}

int openFolderAt(int parent, const std::string& name)
{
    return openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// mkdir does not follow a symbolic link at the last part, so a dangling link
// makes this fail instead of creating its target.
int openOrCreateFolderAt(int parent, const std::string& name)
{
    const int fd = openFolderAt(parent, name);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    if (mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST)
        return -1;
    return openFolderAt(parent, name);
}

bool writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

int createTemporaryFileAt(int folder, std::string& name)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = ".korvane-" + std::to_string(randomInRange(0, INT32_MAX)) + ".tmp";
        const int fd = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes, flushes and closes the temporary file; false on any error.
bool writeTemporaryFile(int fd, std::string_view content, std::optional<mode_t> keepMode)
{
    bool ok = writeAll(fd, content);
    if (ok && keepMode)
        ok = fchmod(fd, *keepMode) == 0;
    ok = ok && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

}  // namespace

bool replaceFileBelowFolder(const std::string& baseFolder, const std::string& relativePath,
                            std::string_view content)
{
    const std::optional<std::vector<std::string>> parts = pathParts(relativePath);
    if (!parts)
        return false;
    Descriptor folder(open(baseFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const std::string base = folder.fd >= 0 ? realFolderOf(folder.fd) : std::string();
    if (base.empty())
        return false;
    // Each folder is checked before anything is created inside it.
    for (size_t i = 0; i + 1 < parts->size(); ++i) {
        folder.reset(openOrCreateFolderAt(folder.fd, (*parts)[i]));
        if (folder.fd < 0 || !isWithin(realFolderOf(folder.fd), base))
            return false;
    }

    const std::string& name = parts->back();
    std::optional<mode_t> keepMode;
    struct stat existing{};
    if (fstatat(folder.fd, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(existing.st_mode))
            return false;
        if (S_ISREG(existing.st_mode)) {
            if (faccessat(folder.fd, name.c_str(), W_OK, AT_EACCESS) != 0)
                return false;
            keepMode = existing.st_mode & 0777;
        }
    }

    std::string temporaryName;
    const int fd = createTemporaryFileAt(folder.fd, temporaryName);
    if (fd < 0)
        return false;
    if (!writeTemporaryFile(fd, content, keepMode) ||
        renameat(folder.fd, temporaryName.c_str(), folder.fd, name.c_str()) != 0) {
        unlinkat(folder.fd, temporaryName.c_str(), 0);
        return false;
    }
    // Makes the new name durable; the file is in place whether or not this works.
    fsync(folder.fd);
    return true;
}

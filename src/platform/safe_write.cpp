#include "platform/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "platform/interruption_cleanup.h"
#include "platform/write_result.h"

namespace {

constexpr int kTemporaryNameAttempts = 100;

// Closes the descriptor it holds when it is replaced or goes out of scope.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int value) : fd(value) { }
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
// makes this fail instead of creating its target. made tells whether this
// call created the folder.
int openOrCreateFolderAt(int parent, const std::string& name, bool& made)
{
    made = false;
    const int fd = openFolderAt(parent, name);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    if (mkdirat(parent, name.c_str(), 0777) == 0)
        made = true;
    else if (errno != EEXIST)
        return -1;
    return openFolderAt(parent, name);
}

// The folders on the way to the file: the deepest one reached stays open.
struct FolderWalk {
    Descriptor folder{-1};
    std::vector<std::string> names;  // of the folders entered or made, top down
    std::vector<bool> made;          // whether this save created each of them
    bool deepestOpen = true;         // false when the last one was made but not entered

    // Removes the folders this save created, deepest first, up to the first
    // one that existed before; each only while it is empty.
    void removeMadeFolders()
    {
        size_t depth = names.size();
        if (!deepestOpen && depth > 0) {
            if (made[depth - 1])
                unlinkat(folder.fd, names[depth - 1].c_str(), AT_REMOVEDIR);
            --depth;
        }
        for (; depth > 0 && made[depth - 1] && folder.fd >= 0; --depth) {
            folder.reset(openat(folder.fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (folder.fd >= 0)
                unlinkat(folder.fd, names[depth - 1].c_str(), AT_REMOVEDIR);
        }
    }
};

// Each folder is checked before anything is created inside it.
WriteResult enterFolders(FolderWalk& walk, const std::vector<std::string>& parts, const std::string& base)
{
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        bool made = false;
        const int next = openOrCreateFolderAt(walk.folder.fd, parts[i], made);
        const int error = errno;
        walk.names.push_back(parts[i]);
        walk.made.push_back(made);
        if (next < 0) {
            walk.deepestOpen = false;
            return writeFailedWith(error);
        }
        walk.folder.reset(next);
        if (!isWithin(realFolderOf(walk.folder.fd), base))
            return writeFailed("a folder on the way leads outside the output folder");
    }
    return writeSucceeded();
}

WriteResult writeAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return writeFailedWith(errno);
        if (written == 0)
            return writeFailed("the disk took no more bytes");
        content.remove_prefix(static_cast<size_t>(written));
    }
    return writeSucceeded();
}

std::string temporaryName()
{
    return ".korvane-" + std::to_string(randomInRange(0, INT32_MAX)) + ".tmp";
}

// Writes and flushes.
WriteResult writeContent(int fd, std::string_view content, std::optional<mode_t> keepMode)
{
    if (WriteResult written = writeAll(fd, content); !written)
        return written;
    if (keepMode && fchmod(fd, *keepMode) != 0)
        return writeFailedWith(errno);
    return fsync(fd) == 0 ? writeSucceeded() : writeFailedWith(errno);
}

// The content under a new temporary name in the folder, registered so that
// an interruption removes it; on failure nothing was left behind. link makes
// the name and reports errno on failure.
template <typename MakeName>
WriteResult underTemporaryName(int folder, std::string& name, MakeName link)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = temporaryName();
        CleanupScope scope;
        if (link(name)) {
            registerTemporaryFile(folder, name);
            return writeSucceeded();
        }
        if (errno != EEXIST)
            return writeFailedWith(errno);
    }
    return writeFailed("no free temporary name in the folder");
}

// Puts the temporary file in the place of name; removes it on failure.
WriteResult moveIntoPlace(int folder, const std::string& temporary, const std::string& name)
{
    const bool moved = renameat(folder, temporary.c_str(), folder, name.c_str()) == 0;
    const int error = errno;
    if (!moved)
        unlinkat(folder, temporary.c_str(), 0);
    withdrawTemporaryFile(temporary);
    return moved ? writeSucceeded() : writeFailedWith(error);
}

// The content goes to a file without a name, which vanishes by itself
// whatever ends the program, even SIGKILL; only the complete file is linked
// into the folder. nullopt where the file system has no unnamed files.
std::optional<WriteResult> writeUnnamed(int folder, const std::string& name, std::string_view content,
                                        std::optional<mode_t> keepMode)
{
    // Linking an unnamed file by its descriptor goes through /proc.
    if (access("/proc/self/fd", X_OK) != 0)
        return std::nullopt;
    // Any refusal here is left to the named file to confirm or overcome.
    Descriptor file(openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.fd < 0)
        return std::nullopt;
    if (WriteResult written = writeContent(file.fd, content, keepMode); !written)
        return written;
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    auto linkAs = [&](const std::string& linkName) {
        return linkat(AT_FDCWD, self.c_str(), folder, linkName.c_str(), AT_SYMLINK_FOLLOW) == 0;
    };
    if (!keepMode) {
        // Nothing there yet: the name itself, unless something took it meanwhile.
        CleanupScope scope;
        if (linkAs(name))
            return writeSucceeded();
        if (errno != EEXIST)
            return writeFailedWith(errno);
    }
    std::string temporary;
    if (WriteResult linked = underTemporaryName(folder, temporary, linkAs); !linked)
        return linked;
    return moveIntoPlace(folder, temporary, name);
}

// Where unnamed files are missing: a named temporary file, removed on failure
// and by an interruption.
WriteResult writeNamed(int folder, const std::string& name, std::string_view content, std::optional<mode_t> keepMode)
{
    int fd = -1;
    auto create = [&](const std::string& temporary) {
        fd = openat(folder, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        return fd >= 0;
    };
    std::string temporary;
    if (WriteResult created = underTemporaryName(folder, temporary, create); !created)
        return created;
    WriteResult written = writeContent(fd, content, keepMode);
    // A failed close can be the first word of a failed write (NFS, quotas).
    if (close(fd) != 0 && written)
        written = writeFailedWith(errno);
    if (!written) {
        unlinkat(folder, temporary.c_str(), 0);
        withdrawTemporaryFile(temporary);
        return written;
    }
    return moveIntoPlace(folder, temporary, name);
}

}  // namespace

WriteResult replaceFileBelowFolder(const std::string& baseFolder, const std::string& relativePath,
                                   std::string_view content)
{
    const std::optional<std::vector<std::string>> parts = pathParts(relativePath);
    if (!parts)
        return writeFailed("the name has an empty, \".\" or \"..\" part");
    FolderWalk walk;
    walk.folder.reset(open(baseFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (walk.folder.fd < 0)
        return writeFailedWith(errno);
    const std::string base = realFolderOf(walk.folder.fd);
    if (base.empty())
        return writeFailedWith(errno);
    if (WriteResult entered = enterFolders(walk, *parts, base); !entered) {
        walk.removeMadeFolders();
        return entered;
    }

    const int folder = walk.folder.fd;
    const std::string& name = parts->back();
    std::optional<mode_t> keepMode;
    struct stat existing { };
    std::optional<WriteResult> written;
    if (fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISDIR(existing.st_mode))
            written = writeFailed("a folder has the file's name");
        if (S_ISREG(existing.st_mode)) {
            if (faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0)
                written = writeFailedWith(errno);
            keepMode = existing.st_mode & 0777;
        }
    }
    if (!written)
        written = writeUnnamed(folder, name, content, keepMode);
    if (!written)
        written = writeNamed(folder, name, content, keepMode);
    if (!*written) {
        walk.removeMadeFolders();
        return *written;
    }
    // Makes the new name durable; the file is in place whether or not this works.
    fsync(folder);
    return *written;
}

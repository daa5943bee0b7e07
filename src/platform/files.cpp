#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "platform/error_text.h"
#include "platform/interruption_cleanup.h"

std::optional<int64_t> regularFileSize(const std::string& path)
{
    struct stat st { };
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<int64_t>(st.st_size);
}

bool pathExists(const std::string& path)
{
    struct stat st { };
    return lstat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> regularFileNames(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            struct stat st { };
            if (name != "." && name != ".." && stat((folder + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                names.push_back(std::move(name));
        }
        closedir(dir);
    }
    return names;
}

bool removeFile(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

WriteResult createSymbolicLink(const std::string& target, const std::string& linkPath)
{
    return symlink(target.c_str(), linkPath.c_str()) == 0 ? writeSucceeded() : writeFailedWith(errno);
}

std::optional<int64_t> lastWriteTime(const std::string& path)
{
    struct stat st { };
    if (stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return static_cast<int64_t>(st.st_mtim.tv_sec);
}

bool setLastWriteTime(const std::string& path, int64_t seconds)
{
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(seconds);
    times[1].tv_nsec = 0;
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

PrivateFolder createPrivateTempFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/tmp";
    if (base.back() != '/')
        base += '/';
    std::string pattern = base + "korvane-XXXXXX";
    CleanupScope scope;
    if (!mkdtemp(pattern.data()))
        return {"", errorText(errno)};
    registerWorkFolder(pattern + "/");
    return {pattern + "/", ""};
}

namespace {

// Deeper folders than this are left: each level holds a descriptor open.
constexpr int kDeepestRemovedFolder = 64;

// Removes what the folder open as folderFd holds. Every step goes through the
// descriptor of the folder it is in, and a subfolder is opened with
// O_NOFOLLOW: a link is removed itself, whatever it points to, and never
// leads the removal outside.
void removeFolderContents(int folderFd, int depthLeft)
{
    std::vector<std::string> names;
    const int listed = fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (listed < 0)
        return;
    DIR* dir = fdopendir(listed);
    if (!dir) {
        close(listed);
        return;
    }
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    closedir(dir);
    for (const std::string& name : names) {
        if (unlinkat(folderFd, name.c_str(), 0) == 0 || errno != EISDIR || depthLeft == 0)
            continue;
        const int inner = openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0)
            continue;
        removeFolderContents(inner, depthLeft - 1);
        close(inner);
        unlinkat(folderFd, name.c_str(), AT_REMOVEDIR);
    }
}

}  // namespace

void removeTempFolder(const std::string& folder)
{
    if (folder.empty())
        return;
    // Without the trailing "/", which would make open follow a link after all.
    const std::string path = folder.back() == '/' ? folder.substr(0, folder.size() - 1) : folder;
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        removeFolderContents(fd, kDeepestRemovedFolder);
        close(fd);
    }
    rmdir(path.c_str());
    withdrawWorkFolder(folder);
}

std::string userPrivateFolder(const std::string& base)
{
    const std::string folder = base + "korvane-" + std::to_string(geteuid());
    mkdir(folder.c_str(), 0700);
    // lstat, without a trailing "/": a link planted under the name is refused, not followed.
    struct stat st { };
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & 077) != 0)
        return "";
    return folder + "/";
}

std::string executablePath()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string executableFolder()
{
    std::string path = executablePath();
    return path.empty() ? currentFolder() : path.substr(0, path.rfind('/') + 1);
}

std::string currentFolder()
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof(buffer)))
        return "/";
    std::string folder = buffer;
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    return currentFolder() + path;
}

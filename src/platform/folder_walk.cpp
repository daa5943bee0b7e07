#include "platform/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>

#include "platform/error_text.h"

namespace {

FileKey keyOf(const struct stat& status)
{
    return {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

std::optional<std::string> realPathOf(const std::string& path)
{
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return std::nullopt;
    return std::string(resolved);
}

struct Walk {
    const std::function<bool(const std::string&)>& wanted;
    std::string realRoot;  // ends with "/"
    WalkResult result;

    // Takes the target of the link at path when it is a wanted regular file
    // inside the tree; a link to a folder is named whatever its name.
    void followLink(const std::string& path, const std::string& relativeFolder, bool wantedName)
    {
        struct stat target { };
        const bool reached = stat(path.c_str(), &target) == 0;
        if (reached && S_ISDIR(target.st_mode)) {
            result.linksLeftOut.push_back(path + ": a link to a folder");
            return;
        }
        if (!wantedName)
            return;
        if (!reached) {
            result.linksLeftOut.push_back(path + ": leads nowhere");
            return;
        }
        const std::optional<std::string> real = realPathOf(path);
        if (!S_ISREG(target.st_mode) || !real || real->compare(0, realRoot.size(), realRoot) != 0) {
            result.linksLeftOut.push_back(path + ": leads out of the folder");
            return;
        }
        result.files.push_back({path, relativeFolder, keyOf(target), true});
    }

    void walk(int folderFd, const std::string& folder, const std::string& relativeFolder)
    {
        DIR* listing = fdopendir(folderFd);
        if (!listing) {
            result.unreadable.push_back(folder + ": " + errorText(errno));
            close(folderFd);
            return;
        }
        std::vector<std::string> names;
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            struct stat status { };
            if (fstatat(dirfd(listing), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue;  // gone meanwhile
            const std::string path = folder + name;
            if (S_ISDIR(status.st_mode)) {
                const int inner = openat(dirfd(listing), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (inner < 0)
                    result.unreadable.push_back(path + "/: " + errorText(errno));
                else
                    walk(inner, path + "/", relativeFolder + name + "/");
            } else if (S_ISREG(status.st_mode) && wanted(name)) {
                result.files.push_back({path, relativeFolder, keyOf(status), false});
            } else if (S_ISLNK(status.st_mode)) {
                followLink(path, relativeFolder, wanted(name));
            }
        }
        closedir(listing);
    }
};

// Own names before links, then sorted order: the first of each file stays.
void keepEachFileOnce(std::vector<FoundFile>& files)
{
    std::map<FileKey, size_t> firstOf;
    std::vector<bool> keep(files.size(), true);
    for (size_t i = 0; i < files.size(); ++i) {
        auto [known, added] = firstOf.emplace(files[i].key, i);
        if (added)
            continue;
        FoundFile& earlier = files[known->second];
        if (earlier.throughLink && !files[i].throughLink) {
            keep[known->second] = false;
            known->second = i;
        } else {
            keep[i] = false;
        }
    }
    std::vector<FoundFile> kept;
    for (size_t i = 0; i < files.size(); ++i)
        if (keep[i])
            kept.push_back(std::move(files[i]));
    files = std::move(kept);
}

}  // namespace

std::optional<FileKey> fileKeyOf(const std::string& path)
{
    struct stat status { };
    if (stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return keyOf(status);
}

WalkResult filesBelow(const std::string& folder, const std::function<bool(const std::string& name)>& wanted)
{
    Walk walk{wanted, "", {}};
    const std::optional<std::string> real = realPathOf(folder);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!real || fd < 0) {
        walk.result.unreadable.push_back(folder + ": " + errorText(errno));
        if (fd >= 0)
            close(fd);
        return walk.result;
    }
    walk.realRoot = *real == "/" ? "/" : *real + "/";
    walk.walk(fd, folder, "");
    // Every path begins with folder, so this is the order of the places in the tree.
    std::stable_sort(walk.result.files.begin(), walk.result.files.end(),
                     [](const FoundFile& a, const FoundFile& b) { return a.path < b.path; });
    keepEachFileOnce(walk.result.files);
    return walk.result;
}

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Which file a name leads to: the same for every link and hard link to it.
struct FileKey {
    uint64_t device = 0;
    uint64_t inode = 0;
    auto operator<=>(const FileKey&) const = default;
};

// The file a path leads to, every link followed; nullopt when it cannot be reached.
std::optional<FileKey> fileKeyOf(const std::string& path);

// One file found below a folder.
struct FoundFile {
    std::string path;            // the folder as given, then the names on the way down
    std::string relativeFolder;  // the folders below the one walked, each ending with "/"; "" directly in it
    FileKey key;
    bool throughLink = false;  // the name found is a symbolic link to the file
};

// What a walk found, and what it did not go into.
struct WalkResult {
    std::vector<FoundFile> files;  // sorted by path, byte by byte
    // Folders that could not be read, each with the system's reason: the
    // pictures in them were not found.
    std::vector<std::string> unreadable;
    // Symbolic links that were not followed, each with the reason.
    std::vector<std::string> linksLeftOut;
};

// Every regular file in folder (ending with "/") and the folders below it
// whose name wanted accepts.
//
// The walk stays in the tree it was given: a link to a folder is never
// followed (one inside the tree is walked anyway; one outside is not part of
// it, and a loop would never end), and a link to a file is followed only
// when the file really lies inside the tree. A file reached under several
// names, by links or hard links, is found once: under its own name when the
// walk meets it there, else under the first link in sorted order.
WalkResult filesBelow(const std::string& folder, const std::function<bool(const std::string& name)>& wanted);

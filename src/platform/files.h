#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/write_result.h"

// Size in bytes of a regular file; nullopt when it is missing, unreadable as a
// file or not a regular file.
std::optional<int64_t> regularFileSize(const std::string& path);
bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
// The names of the regular files in folder (ending with "/"; links followed),
// in no set order; empty when the folder cannot be read.
std::vector<std::string> regularFileNames(const std::string& folder);
bool removeFile(const std::string& path);
// A symbolic link at linkPath that points to target.
WriteResult createSymbolicLink(const std::string& target, const std::string& linkPath);

// Last-write time as seconds since 1970 (UTC); nullopt when it cannot be read.
std::optional<int64_t> lastWriteTime(const std::string& path);
// Changes only the last-write time; the access time stays as it is.
bool setLastWriteTime(const std::string& path, int64_t seconds);

// A new folder, private to this user, in $TMPDIR or /tmp, or why none could
// be made. An interruption removes it as well.
struct PrivateFolder {
    std::string path;  // ends with "/"; "" when there is none
    std::string failure;
};
PrivateFolder createPrivateTempFolder();
// Removes the folder with everything in it, folders included; links inside
// are removed, never followed.
void removeTempFolder(const std::string& folder);

// base + "korvane-UID/", a folder of this user's own that no one else may
// enter, made when missing. "" when that name is taken by anything else: a
// link, a file, or a folder that another user owns or may enter.
std::string userPrivateFolder(const std::string& base);

// The running executable's path, and its folder ending with "/".
std::string executablePath();
std::string executableFolder();
// The current working folder, ending with "/".
std::string currentFolder();
// path made absolute against the current folder.
std::string absolutePath(const std::string& path);

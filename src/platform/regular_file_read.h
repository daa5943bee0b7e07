#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The first maxBytes bytes of path (the whole file by default) when path is a
// regular file this process may read; nullopt otherwise. The file is opened
// without blocking and checked on the open descriptor, so a named pipe, a
// device or a folder where a file was expected is refused, never waited on,
// even when it replaced the file after an earlier check.
std::optional<std::string> readRegularFile(const std::string& path, size_t maxBytes = SIZE_MAX);

// The same, saying why a file could not be read: the system's words
// ("Permission denied", "Input/output error" for a scratched disc) or "not a
// regular file".
struct RegularFileStart {
    bool read = false;
    std::string bytes;    // the first maxBytes bytes, or fewer when the file is shorter
    std::string failure;  // "" when read
};
RegularFileStart readRegularFileStart(const std::string& path, size_t maxBytes);

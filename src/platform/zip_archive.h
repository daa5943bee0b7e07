#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Reading ZIP archives. Only regular files are opened (never waited on, even
// when a pipe stands where the archive was expected), and no entry is taken
// into memory beyond the limit its caller sets, whatever its header claims.

struct ZipEntry {
    std::string name;  // as stored
    int64_t size = 0;  // uncompressed size as its header states it; -1 when it states none
};

// Archives are opened by their central directory only, and one larger than
// kLargestZipArchiveBytes not at all: whatever a file holds, opening it reads
// no more than its end and its directory.
constexpr int64_t kLargestZipArchiveBytes = int64_t{64} << 20;

// The entries in central-directory order; nullopt when path is not a regular
// file, too large, or not a ZIP archive with a central directory that can be
// read to its end, or holds more than kMostZipEntries entries.
constexpr size_t kMostZipEntries = 65536;
std::optional<std::vector<ZipEntry>> listZipEntries(const std::string& path);

// The contents of the named entries, read in one pass. An entry that is
// missing, whose header claims more than maxEntryBytes, that turns out longer
// or that cannot be read whole is left out; of two entries with one name the
// first counts.
std::map<std::string, std::string> readZipEntries(const std::string& path, const std::set<std::string>& names,
                                                  size_t maxEntryBytes);

// The first count bytes of the named entry, or all of it when it is shorter;
// nullopt when the archive cannot be opened or has no such entry.
std::optional<std::string> readZipEntryStart(const std::string& path, const std::string& name, size_t count);

#include "platform/zip_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kChunkBytes = 65536;

// An archive reader over a descriptor of its own, both released together.
class ZipReader {
public:
    explicit ZipReader(const std::string& path)
    {
        fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat st { };
        if (fd_ < 0 || fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0 ||
            st.st_size > kLargestZipArchiveBytes)
            return;
        reader_ = archive_read_new();
        if (!reader_)
            return;
        // Only through the central directory, found from the end of the file:
        // the streaming reader would search an entry without stated sizes for
        // its end through the whole file. The sizes come from the directory
        // too, not from local headers that may leave them out.
        if (archive_read_support_format_zip_seekable(reader_) != ARCHIVE_OK ||
            archive_read_open_fd(reader_, fd_, kChunkBytes) != ARCHIVE_OK) {
            archive_read_free(reader_);
            reader_ = nullptr;
        }
    }
    ~ZipReader()
    {
        if (reader_)
            archive_read_free(reader_);
        if (fd_ >= 0)
            close(fd_);
    }
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return reader_ != nullptr; }

    // The next entry, or nullptr at the end; failed is set when the archive
    // breaks off instead of ending.
    archive_entry* next(bool& failed)
    {
        archive_entry* entry = nullptr;
        int status = archive_read_next_header(reader_, &entry);
        failed = status != ARCHIVE_OK && status != ARCHIVE_EOF && status != ARCHIVE_WARN;
        return status == ARCHIVE_OK || status == ARCHIVE_WARN ? entry : nullptr;
    }

    // Up to limit bytes of the current entry's data. With refuseLonger set,
    // an entry with more data than limit is a failure; otherwise it is cut.
    std::optional<std::string> data(size_t limit, bool refuseLonger)
    {
        std::string content;
        char buffer[kChunkBytes];
        for (;;) {
            la_ssize_t got = archive_read_data(reader_, buffer, sizeof(buffer));
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                return content;
            const auto length = static_cast<size_t>(got);
            if (content.size() + length > limit) {
                if (refuseLonger)
                    return std::nullopt;
                content.append(buffer, limit - content.size());
                return content;
            }
            content.append(buffer, length);
        }
    }

private:
    int fd_ = -1;
    archive* reader_ = nullptr;
};

int64_t statedSize(archive_entry* entry)
{
    return archive_entry_size_is_set(entry) ? static_cast<int64_t>(archive_entry_size(entry)) : -1;
}

std::string entryName(archive_entry* entry)
{
    const char* name = archive_entry_pathname(entry);
    return name ? name : "";
}

}  // namespace

std::optional<std::vector<ZipEntry>> listZipEntries(const std::string& path)
{
    ZipReader reader(path);
    if (!reader.isOpen())
        return std::nullopt;
    std::vector<ZipEntry> entries;
    bool failed = false;
    while (archive_entry* entry = reader.next(failed)) {
        if (entries.size() == kMostZipEntries)
            return std::nullopt;
        entries.push_back({entryName(entry), statedSize(entry)});
    }
    if (failed)
        return std::nullopt;
    return entries;
}

std::map<std::string, std::string> readZipEntries(const std::string& path, const std::set<std::string>& names,
                                                  size_t maxEntryBytes)
{
    std::map<std::string, std::string> contents;
    ZipReader reader(path);
    if (!reader.isOpen())
        return contents;
    std::set<std::string> seen;
    bool failed = false;
    size_t visited = 0;
    while (seen.size() < names.size() && visited++ < kMostZipEntries) {
        archive_entry* entry = reader.next(failed);
        if (!entry)
            break;
        std::string name = entryName(entry);
        if (!names.contains(name) || !seen.insert(name).second)
            continue;
        // Refused before any memory is set aside for it.
        if (statedSize(entry) > static_cast<int64_t>(maxEntryBytes))
            continue;
        if (std::optional<std::string> data = reader.data(maxEntryBytes, true))
            contents[name] = std::move(*data);
    }
    return contents;
}

std::optional<std::string> readZipEntryStart(const std::string& path, const std::string& name, size_t count)
{
    ZipReader reader(path);
    if (!reader.isOpen())
        return std::nullopt;
    bool failed = false;
    for (size_t visited = 0; visited < kMostZipEntries; ++visited) {
        archive_entry* entry = reader.next(failed);
        if (!entry)
            break;
        if (entryName(entry) == name)
            return reader.data(count, false);
    }
    return std::nullopt;
}

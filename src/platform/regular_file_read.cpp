#include "platform/regular_file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/error_text.h"
#include "platform/memory_advice.h"

RegularFileStart readRegularFileStart(const std::string& path, size_t maxBytes)
{
    RegularFileStart start;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        start.failure = errorText(errno);
        return start;
    }
    struct stat st { };
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        start.failure = "not a regular file";
        close(fd);
        return start;
    }
    start.read = true;
    // One allocation for the whole file, not a copy at every doubling.
    start.bytes.reserve(std::min(maxBytes, static_cast<size_t>(std::max<off_t>(st.st_size, 0))));
    adviseHugePages(start.bytes.data(), start.bytes.capacity());
    char buffer[65536];
    while (start.bytes.size() < maxBytes) {
        const size_t wanted = std::min(sizeof(buffer), maxBytes - start.bytes.size());
        const ssize_t got = read(fd, buffer, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            start = {false, "", errorText(errno)};
            break;
        }
        if (got == 0)
            break;
        start.bytes.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    return start;
}

std::optional<std::string> readRegularFile(const std::string& path, size_t maxBytes)
{
    RegularFileStart start = readRegularFileStart(path, maxBytes);
    if (!start.read)
        return std::nullopt;
    return std::move(start.bytes);
}

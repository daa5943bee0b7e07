#include "platform/regular_file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/memory_advice.h"

std::optional<std::string> readRegularFile(const std::string& path, size_t maxBytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st { };
    std::optional<std::string> content;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        content.emplace();
        // One allocation for the whole file, not a copy at every doubling.
        content->reserve(std::min(maxBytes, static_cast<size_t>(std::max<off_t>(st.st_size, 0))));
        adviseHugePages(content->data(), content->capacity());
        char buffer[65536];
        while (content->size() < maxBytes) {
            const size_t wanted = std::min(sizeof(buffer), maxBytes - content->size());
            const ssize_t got = read(fd, buffer, wanted);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                content.reset();
                break;
            }
            if (got == 0)
                break;
            content->append(buffer, static_cast<size_t>(got));
        }
    }
    close(fd);
    return content;
}

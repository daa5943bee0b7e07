#include "platform/file_access.h"

#include <fcntl.h>
#include <unistd.h>

bool isReadableFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

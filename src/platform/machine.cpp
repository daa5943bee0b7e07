#include "platform/machine.h"

#include <sched.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

int usableProcessorCount()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? static_cast<int>(count) : 1;
}

std::optional<int64_t> availableMemoryBytes()
{
    std::ifstream meminfo("/proc/meminfo");
    // "MemAvailable:   15728640 kB"; some other lines have no unit.
    for (std::string line; std::getline(meminfo, line);) {
        std::istringstream fields(line);
        std::string name;
        int64_t kibibytes = 0;
        if (fields >> name >> kibibytes && name == "MemAvailable:")
            return kibibytes * 1024;
    }
    return std::nullopt;
}

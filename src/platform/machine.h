#pragma once

#include <cstdint>
#include <optional>

// The processors this program may run on (its CPU affinity, which taskset
// and container limits narrow), at least 1.
int usableProcessorCount();

// The memory the kernel can give to new work without swapping (MemAvailable
// of /proc/meminfo), in bytes; nullopt when it does not say.
std::optional<int64_t> availableMemoryBytes();

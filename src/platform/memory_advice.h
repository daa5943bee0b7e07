#pragma once

#include <cstddef>

// Asks the kernel to back the whole 2 MiB stretches of a buffer not touched
// yet with huge pages, where the system lets a program ask (transparent huge
// pages set to "madvise"): a fresh 16Base picture then costs tens of page
// faults instead of thousands. Does nothing where that is not possible.
void adviseHugePages(void* data, size_t bytes);

#pragma once

#include <string>

// True when both paths lead to one and the same file (the same device and
// inode once every link is followed), however differently they are written.
// False when either cannot be reached.
bool isSameFile(const std::string& first, const std::string& second);

#pragma once

#include <string>

// True when this process may open path for reading. Never blocks, even on
// a named pipe.
bool isReadableFile(const std::string& path);

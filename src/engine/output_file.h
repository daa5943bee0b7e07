#pragma once

#include <string>

struct FIBITMAP;

// Writes the picture to path in the given FreeImage format; true on success.
bool saveOutputFile(FIBITMAP* picture, int fif, const std::string& path, int flags);

#pragma once

#include <string>

struct FIBITMAP;

// Writes the picture to path in the given FreeImage format; true only when the
// whole file is on disk. path must lie below outputFolder (which ends with
// "/"): missing folders between the two are created, and a path that leads
// outside it fails. A failed save leaves an existing file at path as it was
// and no partial file behind.
bool saveOutputFile(FIBITMAP* picture, int fif, const std::string& outputFolder, const std::string& path, int flags);

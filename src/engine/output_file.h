#pragma once

#include <string>

#include "picture/picture_handle.h"
#include "platform/write_result.h"

// Writes the picture to path in the given FreeImage format; written only when
// the whole file is on disk, else why not. path must lie below outputFolder
// (which ends with "/"): missing folders between the two are created, and a
// path that leads outside it fails. A failed save leaves an existing file at
// path as it was and no partial file behind.
WriteResult saveOutputFile(const BitmapHandle& picture, int fif, const std::string& outputFolder,
                           const std::string& path, int flags);

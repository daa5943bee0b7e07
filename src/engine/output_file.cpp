#include "engine/output_file.h"

#include <FreeImage.h>

bool saveOutputFile(FIBITMAP* picture, int fif, const std::string& path, int flags)
{
    return picture && FreeImage_Save(static_cast<FREE_IMAGE_FORMAT>(fif), picture, path.c_str(), flags);
}

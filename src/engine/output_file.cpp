#include "engine/output_file.h"

#include <FreeImage.h>

#include <string_view>

#include "platform/safe_write.h"
#include "platform/text.h"

WriteResult saveOutputFile(const BitmapHandle& picture, int fif, const std::string& outputFolder,
                           const std::string& path, int flags)
{
    if (!picture)
        return writeFailed("there is no picture to save");
    if (outputFolder.empty() || !startsWith(path, outputFolder))
        return writeFailed("the path lies outside the output folder");
    // FreeImage reports success even when a write to a file fails, so the
    // picture is encoded in memory and every write to the disk checked here.
    MemoryStreamHandle memory(FreeImage_OpenMemory());
    if (!memory)
        return writeFailed("no memory to encode the picture in");
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(fif), picture.get(), memory.get(), flags) ||
        !FreeImage_AcquireMemory(memory.get(), &data, &size))
        return writeFailed("the picture could not be encoded in this format");
    return replaceFileBelowFolder(outputFolder, path.substr(outputFolder.size()),
                                  std::string_view(reinterpret_cast<const char*>(data), size));
}

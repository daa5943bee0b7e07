#include "engine/output_file.h"

#include <FreeImage.h>

#include <string_view>

#include "picture/picture_handle.h"
#include "platform/safe_write.h"
#include "platform/text.h"

bool saveOutputFile(FIBITMAP* picture, int fif, const std::string& outputFolder, const std::string& path, int flags)
{
    if (!picture || outputFolder.empty() || !startsWith(path, outputFolder))
        return false;
    // FreeImage reports success even when a write to a file fails, so the
    // picture is encoded in memory and every write to the disk checked here.
    MemoryStreamHandle memory(FreeImage_OpenMemory());
    if (!memory)
        return false;
    BYTE* data = nullptr;
    DWORD size = 0;
    if (!FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(fif), picture, memory.get(), flags) ||
        !FreeImage_AcquireMemory(memory.get(), &data, &size))
        return false;
    return replaceFileBelowFolder(outputFolder, path.substr(outputFolder.size()),
                                  std::string_view(reinterpret_cast<const char*>(data), size));
}

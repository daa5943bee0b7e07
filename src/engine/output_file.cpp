#include "engine/output_file.h"

#include <FreeImage.h>

#include <string_view>

#include "engine/job_state.h"
#include "platform/safe_write.h"
#include "platform/text.h"

bool saveOutputFile(FIBITMAP* picture, int fif, const std::string& path, int flags)
{
    const std::string& folder = g_job.outputFolder;
    if (!picture || folder.empty() || !startsWith(path, folder))
        return false;
    // FreeImage reports success even when a write to a file fails, so the
    // picture is encoded in memory and every write to the disk checked here.
    FIMEMORY* memory = FreeImage_OpenMemory();
    if (!memory)
        return false;
    BYTE* data = nullptr;
    DWORD size = 0;
    bool saved = FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(fif), picture, memory, flags) &&
                 FreeImage_AcquireMemory(memory, &data, &size);
    if (saved)
        saved = replaceFileBelowFolder(folder, path.substr(folder.size()),
                                       std::string_view(reinterpret_cast<const char*>(data), size));
    FreeImage_CloseMemory(memory);
    return saved;
}

// The bytes the PhotoCD adapter reads from outside: an image pac header,
// given directly and as a file, and the header of the picture convert leaves.
#include <cstdlib>

#include "engine/photocd_source.h"
#include "engine/ppm_header.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<int> level = photoCdLevelFromHeader(data, size);
    if (level && (*level < 0 || *level > 2))
        std::abort();

    // The file never stores more than its header claims.
    static const std::string path = scratchPath("input.pcd");
    if (!writeScratch(path, inputText(data, size)))
        std::abort();
    const std::optional<int> stored = storedPhotoCdLevel(path);
    if (level && (!stored || *stored > *level))
        std::abort();

    const std::string_view text = inputText(data, size);
    if (std::optional<PpmHeader> header = parsePpmHeader(text)) {
        if (header->pixelOffset > size || text.substr(0, 2) != "P6" || header->width < 0 || header->height < 0 ||
            header->maximum < 0)
            std::abort();
    }
    return 0;
}

#include "engine/output_encoding.h"

#include <FreeImage.h>

#include "engine/job_state.h"
#include "settings/conversion_settings.h"

// JPEG only for now: 24 bits, the quality of the settings, no chroma subsampling.
void chooseOutputEncoding()
{
    g_job.outputBpp = g_settings.jpgBpp;
    g_job.autoBpp = g_job.outputBpp == 0;
    g_job.saveFlags = saveFlagsFor(g_job.outputExt);
}

int saveFlagsFor(const std::string& extension)
{
    return extension == "jpg" ? g_settings.jpgQuality | JPEG_SUBSAMPLING_444 : 0;
}

int nearestAllowedBpp(const std::string&, int) { return 24; }

FIBITMAP* convertToOutputBpp(FIBITMAP* picture)
{
    if (!picture || FreeImage_GetBPP(picture) == 24)
        return picture;
    FIBITMAP* converted = FreeImage_ConvertTo24Bits(picture);
    FreeImage_Unload(picture);
    return converted;
}

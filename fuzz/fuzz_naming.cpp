// Filename masks and watermark texts. The input's NUL-separated pieces are the
// mask, the watermark text, the input file name, the output extension and the
// subfolder; every output path lies below the output folder.
#include <algorithm>
#include <cstdlib>

#include "engine/job_state.h"
#include "fuzz_support.h"
#include "overlay/naming.h"
#include "overlay/watermark_text_box.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> pieces = piecesOf(inputText(data, size));
    pieces.resize(std::max<size_t>(pieces.size(), 5));
    g_settings.filenameMask = pieces[0];
    g_settings.wmText = pieces[1];
    g_settings.keepSubfolders = static_cast<int8_t>(size % 2);
    g_job.inputPath = "/input/" + pieces[2];
    g_job.outputExt = pieces[3];
    g_job.relativeFolder = pieces[4];
    g_job.outputFolder = "/output/";
    g_job.outputWidth = static_cast<int32_t>(size * 7);
    g_job.outputHeight = static_cast<int32_t>(size * 5);
    g_job.randomNumber = static_cast<int32_t>(size * 1234567);
    g_job.fileCounter = -static_cast<int32_t>(size);

    if (!startsWith(buildOutputPath(), g_job.outputFolder))
        std::abort();
    expandFileNameMask();
    const std::string text = expandWatermarkText();
    splitWatermarkLines(text);
    for (std::string_view placeholder : MaskPlaceholders)
        expandPlaceholder(pieces[1], placeholder);
    expandPlaceholder(pieces[1], pieces[0]);
    titleCase(pieces[2]);
    nameWithoutExtension(pieces[2]);
    fiveCharacterForm(g_job.randomNumber);
    return 0;
}

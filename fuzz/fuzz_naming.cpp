// Filename masks and watermark texts. The input's NUL-separated pieces are the
// mask, the watermark text, the input file name, the output extension and the
// subfolder; every output path lies below the output folder.
#include <algorithm>
#include <cstdlib>

#include "fuzz_support.h"
#include "overlay/naming.h"
#include "overlay/watermark_text_box.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> pieces = piecesOf(inputText(data, size));
    pieces.resize(std::max<size_t>(pieces.size(), 5));
    ConversionSettings settings;
    settings.filenameMask = pieces[0];
    settings.keepSubfolders = static_cast<int8_t>(size % 2);
    NamingFacts facts;
    facts.inputPath = "/input/" + pieces[2];
    facts.outputExt = pieces[3];
    facts.outputWidth = static_cast<int32_t>(size * 7);
    facts.outputHeight = static_cast<int32_t>(size * 5);
    facts.randomNumber = static_cast<int32_t>(size * 1234567);
    facts.fileCounter = -static_cast<int32_t>(size);
    const std::string outputFolder = "/output/";

    if (!startsWith(buildOutputPath(settings, outputFolder, pieces[4], facts), outputFolder))
        std::abort();
    expandFileNameMask(settings.filenameMask, facts);
    const std::string text = expandWatermarkText(pieces[1], facts);
    splitWatermarkLines(text);
    for (std::string_view placeholder : MaskPlaceholders)
        expandPlaceholder(pieces[1], placeholder, facts);
    expandPlaceholder(pieces[1], pieces[0], facts);
    titleCase(pieces[2]);
    nameWithoutExtension(pieces[2]);
    fiveCharacterForm(facts.randomNumber);
    return 0;
}

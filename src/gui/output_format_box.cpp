#include "gui/output_format_box.h"

#include "formats/format_lists.h"
#include "formats/format_registry.h"
#include "platform/text.h"

FormatBoxContent outputFormatBoxItems(bool withDescription, const std::string& chosenFormat)
{
    FormatBoxContent box;
    for (size_t i = 0; i < outputFormats.size(); ++i) {
        const std::string& extension = outputFormats[i];
        if (extension.empty())
            continue;
        std::string text = toUpperAscii(extension);
        if (withDescription)
            text += " (" + outputFormatInfo(extension).description + ")";
        if (extension == chosenFormat)
            box.selected = static_cast<int>(box.items.size());
        box.items.push_back({text, static_cast<int>(i)});
    }
    return box;
}

std::string outputFormatAt(int formatIndex)
{
    if (formatIndex >= 0 && static_cast<size_t>(formatIndex) < outputFormats.size())
        return outputFormats[formatIndex];
    return outputFormats.empty() ? std::string() : outputFormats.front();
}

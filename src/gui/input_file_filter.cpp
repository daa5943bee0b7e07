#include "gui/input_file_filter.h"

#include <map>

#include "formats/format_registry.h"
#include "settings/catalogue.h"

std::string inputFileDialogFilter()
{
    std::string allPatterns;
    std::map<std::string, std::string> groups;  // description to its patterns
    for (const std::string& extension : acceptedInputExtensions) {
        const std::string pattern = "*." + extension;
        allPatterns += pattern + ";";
        std::string& group = groups[inputFormatInfo(extension).description];
        group = group.empty() ? pattern : pattern + ";" + group;
    }
    if (!allPatterns.empty())
        allPatterns.pop_back();

    std::string filter = lookupText("Dialog", "All Supported Files") + "|" + allPatterns + "|";
    for (const auto& [description, patterns] : groups)
        filter += description + "|" + patterns + "|";
    return filter + lookupText("Dialog", "All Files") + " (*.*)|*.*";
}

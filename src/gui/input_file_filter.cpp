#include "gui/input_file_filter.h"

#include <map>

#include "formats/format_registry.h"
#include "settings/catalogue.h"

namespace {

// "*." and the extension with each letter matching either case: the file
// dialog compares names case-sensitively, and PhotoCD discs name their
// pictures in capitals (IMG0001.PCD).
std::string anyCasePattern(const std::string& extension)
{
    std::string pattern = "*.";
    for (char c : extension) {
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        const char upper = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (lower == upper)
            pattern += c;
        else
            pattern += std::string("[") + lower + upper + "]";
    }
    return pattern;
}

}  // namespace

std::string inputFileDialogFilter()
{
    std::string allPatterns;
    std::map<std::string, std::string> groups;  // description to its patterns
    for (const std::string& extension : acceptedInputExtensions) {
        const std::string pattern = anyCasePattern(extension);
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

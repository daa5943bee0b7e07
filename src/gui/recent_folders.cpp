#include "gui/recent_folders.h"

#include "platform/unicode_case.h"
#include "settings/conversion_settings.h"

namespace {

std::vector<std::string> splitAtTabs(const std::string& text)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t tab; (tab = text.find('\t', from)) != std::string::npos; from = tab + 1)
        parts.push_back(text.substr(from, tab - from));
    parts.push_back(text.substr(from));
    return parts;
}

std::string trimSpaces(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string recentOutFolderAt(const ConversionSettings& settings, int index)
{
    if (index < 0)
        return "";
    const std::vector<std::string> entries = splitAtTabs(settings.recentOutFolders);
    return static_cast<size_t>(index) < entries.size() ? trimSpaces(entries[index]) : "";
}

bool rememberOutputFolder(ConversionSettings& settings, const std::string& folder)
{
    if (folder.empty())
        return false;
    const int limit = settings.outFoldersNumber;
    const std::string upperFolder = upperCaseText(folder);
    std::string list = folder;
    int kept = 1;
    for (int i = 0; i < limit; ++i) {
        const std::string entry = recentOutFolderAt(settings, i);
        if (!entry.empty() && kept <= limit - 1 && upperCaseText(entry) != upperFolder) {
            list += '\t' + entry;
            ++kept;
        }
    }
    settings.recentOutFolders = list;
    return true;
}

FolderBoxContent outputFolderBoxContent(const ConversionSettings& settings, const std::string& outputFolder)
{
    FolderBoxContent content;
    if (settings.recentOutFolders.empty())
        return content;
    content.refill = true;
    for (int i = 0; i < settings.outFoldersNumber; ++i) {
        const std::string entry = recentOutFolderAt(settings, i);
        if (entry.empty())
            continue;
        // The position among the items shown, so that an empty entry in a
        // hand-edited list cannot shift the selection onto another folder.
        if (entry == outputFolder)
            content.selected = static_cast<int>(content.items.size());
        content.items.push_back(entry);
    }
    if (content.selected < 0 && !content.items.empty())
        content.selected = 0;
    return content;
}

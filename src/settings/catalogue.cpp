#include "settings/catalogue.h"

#include <map>
#include <utility>

#include "platform/text.h"

namespace {

// The console's texts only for now.
const std::map<std::pair<std::string, std::string>, std::string>& texts()
{
    static const std::map<std::pair<std::string, std::string>, std::string> table = {
        {{"GENERAL", "PREPARING"}, "Preparing..."},
        {{"GENERAL", "IMPORTING"}, "Importing..."},
        {{"GENERAL", "CONVERTING"}, "Converting..."},
        {{"MSG", "IMPORT COMPLETE"}, "Import complete, new files added: %s1%"},
        {{"MSG", "CONVERSION COMPLETE"}, "Conversion complete"},
        {{"MSG", "CONVERSION IS NOT COMPLETE"}, "Conversion stopped"},
        {{"MSG", "FILES CONVERTED"}, "Files converted: %s1% of %s2%"},
        {{"MSG", "EMPTY INPUT FILES"}, "No input file(s) found. Please, add valid file(s) and try again!"},
    };
    return table;
}

std::string replaceIgnoringCase(std::string text, const std::string& placeholder, const std::string& value)
{
    const std::string upperPlaceholder = toUpperAscii(placeholder);
    size_t from = 0;
    for (;;) {
        size_t at = toUpperAscii(text).find(upperPlaceholder, from);
        if (at == std::string::npos)
            return text;
        text.replace(at, placeholder.size(), value);
        from = at + value.size();
    }
}

}  // namespace

void buildCatalogue() {}

std::string lookupText(const std::string& group, const std::string& key)
{
    auto it = texts().find({toUpperAscii(group), toUpperAscii(key)});
    return it == texts().end() ? "%NO_STRING_ERROR%" : it->second;
}

std::string fillPlaceholders(const std::string& text, const std::string& s1, const std::string& s2,
                             const std::string& s3, const std::string& s4)
{
    if (text.empty())
        return text;
    std::string result = text;
    const std::string* values[] = {&s1, &s2, &s3, &s4};
    for (int i = 0; i < 4; ++i)
        if (!values[i]->empty())
            result = replaceIgnoringCase(result, "%s" + std::to_string(i + 1) + "%", *values[i]);
    return result;
}

#include "gui/custom_converter_search.h"

#include "platform/unicode_case.h"

namespace {

constexpr int kSearchFieldCharacters = 12;

bool isAsciiLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::string keepLettersAndDigits(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (isAsciiLetterOrDigit(c))
            kept += c;
    return kept;
}

std::string searchExtension(std::string_view fieldText)
{
    std::string lower = lowerCaseText(fieldText);
    std::string_view rest = lower;
    size_t cut = 0;
    for (int i = 0; i < kSearchFieldCharacters && cut < rest.size(); ++i)
        cut += firstCharacterLength(rest.substr(cut));
    return keepLettersAndDigits(rest.substr(0, cut));
}

std::string converterSearchTarget(const std::string& searchPage, std::string_view fromText, std::string_view toText)
{
    std::string customFromExt = searchExtension(fromText);
    std::string customToExt = searchExtension(toText);
    if (customFromExt.empty() || customToExt.empty())
        return "";
    return searchPage + customFromExt + "-" + customToExt + "/";
}

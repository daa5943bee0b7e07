#include "gui/colour_names.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/number_text.h"

namespace {

constexpr std::array<std::pair<const char*, const char*>, 19> kNamedColours = {{
    {"000000", "Black"}, {"C0C0C0", "Silver"}, {"808080", "Gray"},    {"FFFFFF", "White"},  {"800000", "Maroon"},
    {"FF0000", "Red"},   {"800080", "Purple"}, {"FF00FF", "Fuchsia"}, {"008000", "Green"},  {"00FF00", "Lime"},
    {"808000", "Olive"}, {"FFFF00", "Yellow"}, {"000080", "Navy"},    {"0000FF", "Blue"},   {"008080", "Teal"},
    {"00FFFF", "Aqua"},  {"FF8000", "Orange"}, {"804000", "Brown"},   {"8000FF", "Violet"},
}};

}  // namespace

std::string formatHexColour(RgbColour colour)
{
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour.red, colour.green, colour.blue);
    return text;
}

bool isHexColour(const std::string& text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return hexDigitValue(c) >= 0; });
}

std::string normalisedHexColour(const std::string& text)
{
    return formatHexColour(parseHexColour(trimBlanks(text)));
}

std::string colourName(const std::string& hex)
{
    const std::string upper = toUpperAscii(hex);
    for (const auto& [code, name] : kNamedColours)
        if (upper == code)
            return lookupText("Preferences", name);
    return lookupText("Preferences", "Color") + " #" + upper;
}

std::vector<std::string> colourListEntries(const std::string& list)
{
    std::vector<std::string> colours;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string entry = trimBlanks(std::string_view(list).substr(start, end - start));
        if (isHexColour(entry)) {
            const std::string colour = toUpperAscii(entry);
            if (std::find(colours.begin(), colours.end(), colour) == colours.end())
                colours.push_back(colour);
        }
        start = end + 1;
    }
    return colours;
}

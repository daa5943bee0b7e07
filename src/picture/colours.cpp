#include "picture/colours.h"

#include <algorithm>

#include "settings/number_text.h"

RgbColour parseHexColour(const std::string& text)
{
    if (text.size() != 6)
        return {};
    uint8_t channels[3] = {};
    for (size_t i = 0; i < 3; ++i) {
        const int high = hexDigitValue(text[2 * i]);
        const int low = hexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            return {};
        channels[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return {channels[0], channels[1], channels[2]};
}

RgbaColour colourFromHex(const std::string& text, int alpha)
{
    const RgbColour rgb = parseHexColour(text);
    return {rgb.red, rgb.green, rgb.blue, static_cast<uint8_t>(std::clamp(alpha, 0, 255))};
}

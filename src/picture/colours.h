#pragma once

#include <cstdint>
#include <string>

struct RgbColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

struct RgbaColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};

// Six hex digits RRGGBB; any other text is black.
RgbColour parseHexColour(const std::string& text);

// The colour of a six-digit RRGGBB text (black for any other) with the given
// alpha, held to 0..255.
RgbaColour colourFromHex(const std::string& text, int alpha);

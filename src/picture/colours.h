#pragma once

#include <cstdint>
#include <string>

struct RgbColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

struct RgbaColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};

// Six hex digits RRGGBB; any other text is black.
RgbColor parseHexColor(const std::string& text);

// The colour of a six-digit RRGGBB text (black for any other) with the given
// alpha, held to 0..255.
RgbaColor colorFromHex(const std::string& text, int alpha);

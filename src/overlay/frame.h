#pragma once

#include <cstdint>
#include <string>

struct FIBITMAP;

struct RgbaColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};

// The colour of a six-digit RRGGBB text (black for any other length) with the
// given alpha, held to 0..255.
RgbaColor colorFromHex(const std::string& text, int alpha);

// Paints the solid border bands over the picture's edges, mitred at the
// corners, with the frame opacity. Every frame type but 0 leaves a 24-bit
// picture; with frameType 0 the picture is returned untouched.
FIBITMAP* applyFrame(FIBITMAP* picture, int width, int height);

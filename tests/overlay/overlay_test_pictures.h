#pragma once

#include <FreeImage.h>

#include <string>

struct Rgba {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 255;
    bool operator==(const Rgba&) const = default;
};

// A picture of the given depth (24 or 32) filled with one colour.
FIBITMAP* filledPicture(int width, int height, Rgba colour, int bpp = 24);
// The pixel at (x, y), y counted from the top row; alpha 255 for 24 bits.
Rgba pixelAt(FIBITMAP* picture, int x, int y);
void setPixel(FIBITMAP* picture, int x, int y, Rgba colour);

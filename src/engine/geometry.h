#pragma once

#include <cstdint>
#include <string>

struct FIBITMAP;

struct RgbColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Each step reads its settings, returns its input unchanged while its setting
// is off, and unloads the picture it replaces.
FIBITMAP* rotatePicture(FIBITMAP* picture);
FIBITMAP* resizePicture(FIBITMAP* picture, int width, int height);
void flipPicture(FIBITMAP* picture);

// Six hex digits RRGGBB; any other length is black.
RgbColor parseHexColor(const std::string& text);
int targetDimension(int value, int unit, int currentSize);

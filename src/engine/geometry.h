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
// is off, and unloads the picture it replaces. When FreeImage makes nothing
// the step returns nullptr, which fails the file.
// Refuses (nullptr) a turn whose result would exceed 2^28 pixels.
FIBITMAP* rotatePicture(FIBITMAP* picture);
// Refuses (nullptr) a target of more than 2^28 pixels rather than trying to
// allocate it.
FIBITMAP* resizePicture(FIBITMAP* picture, int width, int height);
void flipPicture(FIBITMAP* picture);

// Six hex digits RRGGBB; any other text is black.
RgbColor parseHexColor(const std::string& text);
// A size setting in pixels: the value itself for PIXELS (0), the nearest whole
// percentage of currentSize for PERCENT (1), 0 for any other unit.
int targetDimension(int value, int unit, int currentSize);

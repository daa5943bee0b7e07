#pragma once

#include <FreeImage.h>

#include <utility>

#include "picture/picture_handle.h"

using Picture = BitmapHandle;

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

// A picture of one colour. Pictures of 8 bits or fewer hold the colour's red
// value as their palette index (1 bit: nonzero is 1); 8-bit ones get a grey ramp.
Picture makePicture(unsigned width, unsigned height, unsigned bpp, Rgb colour);

// Pixels counted from the top left, read through the palette if there is one.
Rgb colourAt(FIBITMAP* picture, unsigned x, unsigned y);
void setColourAt(FIBITMAP* picture, unsigned x, unsigned y, Rgb colour);  // 16 bits and more

using Size = std::pair<unsigned, unsigned>;
Size sizeOf(const Picture& picture);  // 0 by 0 for no picture

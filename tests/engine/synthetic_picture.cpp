#include "engine/synthetic_picture.h"

#include <cstring>

namespace {

RGBQUAD quadOf(Rgb colour)
{
    RGBQUAD value{};
    value.rgbRed = static_cast<BYTE>(colour.red);
    value.rgbGreen = static_cast<BYTE>(colour.green);
    value.rgbBlue = static_cast<BYTE>(colour.blue);
    return value;
}

}  // namespace

Picture makePicture(unsigned width, unsigned height, unsigned bpp, Rgb colour)
{
    Picture picture(FreeImage_Allocate(static_cast<int>(width), static_cast<int>(height), static_cast<int>(bpp)));
    if (bpp == 8) {
        RGBQUAD* palette = FreeImage_GetPalette(picture.get());
        for (int i = 0; i < 256; ++i)
            palette[i] = quadOf({i, i, i});
    }
    if (bpp <= 8) {
        const int index = bpp == 1 ? (colour.red ? 0xFF : 0) : colour.red;
        memset(FreeImage_GetBits(picture.get()), index, FreeImage_GetPitch(picture.get()) * height);
    } else {
        RGBQUAD value = quadOf(colour);
        FreeImage_FillBackground(picture.get(), &value, 0);
    }
    return picture;
}

Rgb colourAt(FIBITMAP* picture, unsigned x, unsigned y)
{
    const unsigned row = FreeImage_GetHeight(picture) - 1 - y;
    RGBQUAD value{};
    BYTE index = 0;
    if (FreeImage_GetPixelIndex(picture, x, row, &index))
        value = FreeImage_GetPalette(picture)[index];
    else
        FreeImage_GetPixelColor(picture, x, row, &value);
    return {value.rgbRed, value.rgbGreen, value.rgbBlue};
}

void setColourAt(FIBITMAP* picture, unsigned x, unsigned y, Rgb colour)
{
    RGBQUAD value = quadOf(colour);
    FreeImage_SetPixelColor(picture, x, FreeImage_GetHeight(picture) - 1 - y, &value);
}

Size sizeOf(const Picture& picture)
{
    return {FreeImage_GetWidth(picture.get()), FreeImage_GetHeight(picture.get())};
}

#include "overlay/overlay_test_pictures.h"

FIBITMAP* filledPicture(int width, int height, Rgba colour, int bpp)
{
    FIBITMAP* picture = FreeImage_Allocate(width, height, bpp, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            setPixel(picture, x, y, colour);
    }
    return picture;
}

Rgba pixelAt(FIBITMAP* picture, int x, int y)
{
    const int bytes = static_cast<int>(FreeImage_GetBPP(picture)) / 8;
    const BYTE* p = FreeImage_GetScanLine(picture, FreeImage_GetHeight(picture) - 1 - y) + x * bytes;
    return {p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE], bytes == 4 ? p[FI_RGBA_ALPHA] : 255};
}

void setPixel(FIBITMAP* picture, int x, int y, Rgba colour)
{
    const int bytes = static_cast<int>(FreeImage_GetBPP(picture)) / 8;
    BYTE* p = FreeImage_GetScanLine(picture, FreeImage_GetHeight(picture) - 1 - y) + x * bytes;
    p[FI_RGBA_RED] = static_cast<BYTE>(colour.red);
    p[FI_RGBA_GREEN] = static_cast<BYTE>(colour.green);
    p[FI_RGBA_BLUE] = static_cast<BYTE>(colour.blue);
    if (bytes == 4)
        p[FI_RGBA_ALPHA] = static_cast<BYTE>(colour.alpha);
}

#include "overlay/layer_blend.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr uint32_t kFull = 255;
constexpr uint32_t kFullSquared = kFull * kFull;

struct Overlap {
    int firstColumn = 0;  // in layer coordinates
    int firstRow = 0;
    int columns = 0;
    int rows = 0;
};

// The part of a layer of layerWidth by layerHeight at (left, top) that lies
// on a picture of pictureWidth by pictureHeight.
Overlap overlapOf(int pictureWidth, int pictureHeight, int layerWidth, int layerHeight, int left, int top)
{
    const int64_t x0 = std::max<int64_t>(0, left);
    const int64_t y0 = std::max<int64_t>(0, top);
    const int64_t x1 = std::min<int64_t>(pictureWidth, int64_t{left} + layerWidth);
    const int64_t y1 = std::min<int64_t>(pictureHeight, int64_t{top} + layerHeight);
    if (x1 <= x0 || y1 <= y0)
        return {};
    return {static_cast<int>(x0 - left), static_cast<int>(y0 - top), static_cast<int>(x1 - x0),
            static_cast<int>(y1 - y0)};
}

// Picture row counted from the top; FreeImage stores rows bottom-up.
BYTE* pictureRow(FIBITMAP* picture, int rowFromTop)
{
    return FreeImage_GetScanLine(picture, FreeImage_GetHeight(picture) - 1 - rowFromTop);
}

BYTE blendStraight(uint32_t colour, uint32_t alpha, uint32_t under)
{
    return static_cast<BYTE>((colour * alpha + under * (kFull - alpha) + kFull / 2) / kFull);
}

}  // namespace

void blendSurfaceOver(FIBITMAP* picture, cairo_surface_t* surface, int left, int top, int opacity)
{
    cairo_surface_flush(surface);
    const uint32_t constant = static_cast<uint32_t>(std::clamp(opacity, 0, 255));
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const Overlap part = overlapOf(static_cast<int>(FreeImage_GetWidth(picture)),
                                   static_cast<int>(FreeImage_GetHeight(picture)), width, height, left, top);
    if (constant == 0 || !data)
        return;
    for (int row = 0; row < part.rows; ++row) {
        const int layerRow = part.firstRow + row;
        const auto* source =
            reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(layerRow) * stride) + part.firstColumn;
        BYTE* target = pictureRow(picture, top + layerRow) + static_cast<size_t>(left + part.firstColumn) * 3;
        for (int column = 0; column < part.columns; ++column, target += 3) {
            const uint32_t pixel = source[column];
            const uint32_t alpha = pixel >> 24;
            if (alpha == 0)
                continue;
            // The weighted alpha is α·opacity/255², so colour × alpha is
            // premultiplied × opacity / 255.
            const uint32_t remaining = kFullSquared - alpha * constant;
            auto mix = [&](uint32_t premultiplied, BYTE under) {
                return static_cast<BYTE>((premultiplied * constant * kFull + under * remaining + kFullSquared / 2) /
                                         kFullSquared);
            };
            target[FI_RGBA_RED] = mix((pixel >> 16) & 0xFF, target[FI_RGBA_RED]);
            target[FI_RGBA_GREEN] = mix((pixel >> 8) & 0xFF, target[FI_RGBA_GREEN]);
            target[FI_RGBA_BLUE] = mix(pixel & 0xFF, target[FI_RGBA_BLUE]);
        }
    }
}

void blendBitmapOver(FIBITMAP* picture, FIBITMAP* layer, int left, int top)
{
    const int layerHeight = static_cast<int>(FreeImage_GetHeight(layer));
    const Overlap part =
        overlapOf(static_cast<int>(FreeImage_GetWidth(picture)), static_cast<int>(FreeImage_GetHeight(picture)),
                  static_cast<int>(FreeImage_GetWidth(layer)), layerHeight, left, top);
    for (int row = 0; row < part.rows; ++row) {
        const int layerRow = part.firstRow + row;
        const BYTE* source =
            FreeImage_GetScanLine(layer, layerHeight - 1 - layerRow) + static_cast<size_t>(part.firstColumn) * 4;
        BYTE* target = pictureRow(picture, top + layerRow) + static_cast<size_t>(left + part.firstColumn) * 3;
        for (int column = 0; column < part.columns; ++column, source += 4, target += 3) {
            const uint32_t alpha = source[FI_RGBA_ALPHA];
            if (alpha == 0)
                continue;
            target[FI_RGBA_RED] = blendStraight(source[FI_RGBA_RED], alpha, target[FI_RGBA_RED]);
            target[FI_RGBA_GREEN] = blendStraight(source[FI_RGBA_GREEN], alpha, target[FI_RGBA_GREEN]);
            target[FI_RGBA_BLUE] = blendStraight(source[FI_RGBA_BLUE], alpha, target[FI_RGBA_BLUE]);
        }
    }
}

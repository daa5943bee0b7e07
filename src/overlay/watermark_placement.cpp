#include "overlay/watermark_placement.h"

#include <FreeImage.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// The area the watermark is placed in. Computed in 64 bits: widths and
// offsets are user numbers and may be as large as an int holds.
struct PlacementArea {
    int64_t left = 0;
    int64_t top = 0;
    int64_t width = 0;
    int64_t height = 0;
};

PlacementArea areaFor(int pictureWidth, int pictureHeight, const ConversionSettings& s)
{
    if (s.frameType == kNoFrame || activePlacement(s).boundary != kFrameBoundary)
        return {0, 0, pictureWidth, pictureHeight};
    return {s.frameLeft, s.frameTop, int64_t{pictureWidth} - s.frameLeft - s.frameRight,
            int64_t{pictureHeight} - s.frameTop - s.frameBottom};
}

int toInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

WatermarkPlacement activePlacement(const ConversionSettings& s)
{
    if (s.watermarkType == kTextWatermark)
        return {s.wmTextBoundary, s.wmTextPosition, s.wmTextXOffset, s.wmTextYOffset, s.wmTextRotation};
    return {s.wmImageBoundary, s.wmImagePosition, s.wmImageXOffset, s.wmImageYOffset, s.wmImageRotation};
}

FIBITMAP* fitWatermark(FIBITMAP* bitmap, int pictureWidth, int pictureHeight, int markWidth, int markHeight,
                       const ConversionSettings& settings)
{
    const PlacementArea area = areaFor(pictureWidth, pictureHeight, settings);
    const WatermarkPlacement placement = activePlacement(settings);
    int64_t w = markWidth;
    int64_t h = markHeight;
    if (w + placement.xOffset > area.width)
        w = area.width - placement.xOffset;
    if (h + placement.yOffset > area.height)
        h = area.height - placement.yOffset;
    if (w == markWidth && h == markHeight)
        return bitmap;
    FIBITMAP* cut = w > 0 && h > 0 ? FreeImage_Copy(bitmap, 0, 0, static_cast<int>(w), static_cast<int>(h)) : nullptr;
    FreeImage_Unload(bitmap);
    return cut;
}

WatermarkPoint placeWatermark(int pictureWidth, int pictureHeight, int width, int height,
                              const ConversionSettings& settings)
{
    const PlacementArea area = areaFor(pictureWidth, pictureHeight, settings);
    const WatermarkPlacement placement = activePlacement(settings);
    const int64_t ox = placement.xOffset;
    const int64_t oy = placement.yOffset;
    const int64_t cx = (area.width - width) / 2;
    const int64_t cy = (area.height - height) / 2;
    const int64_t right = area.width - width - ox;
    const int64_t bottom = area.height - height - oy;
    int64_t x = 0;
    int64_t y = 0;
    switch (placement.position) {
    case kTopLeft:
        x = ox;
        y = oy;
        break;
    case kTopCenter:
        x = cx;
        y = oy;
        break;
    case kTopRight:
        x = right;
        y = oy;
        break;
    case kMiddleLeft:
        x = ox;
        y = cy;
        break;
    case kMiddleCenter:
        x = cx;
        y = cy;
        break;
    case kMiddleRight:
        x = right;
        y = cy;
        break;
    case kBottomLeft:
        x = ox;
        y = bottom;
        break;
    case kBottomCenter:
        x = cx;
        y = bottom;
        break;
    case kBottomRight:
        x = right;
        y = bottom;
        break;
    default: break;
    }
    return {toInt(x + area.left), toInt(y + area.top)};
}

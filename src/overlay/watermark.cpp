#include "overlay/watermark.h"

#include <FreeImage.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "overlay/layer_blend.h"
#include "overlay/naming.h"
#include "overlay/watermark_picture_layer.h"
#include "overlay/watermark_placement.h"
#include "overlay/watermark_text_layer.h"
#include "picture/picture_handle.h"
#include "picture/picture_handover.h"
#include "picture/picture_size.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

constexpr int kFullTurn = 360;

BitmapHandle buildWatermark(int width, int height, const ConversionSettings& settings, const NamingFacts& facts,
                            const std::optional<WatermarkFont>& font)
{
    switch (settings.watermarkType) {
    case kTextWatermark: {
        if (!font)
            return nullptr;
        // The text may name the size of the file being converted, which the
        // pipeline records only after this step.
        NamingFacts current = facts;
        current.outputWidth = width;
        current.outputHeight = height;
        return BitmapHandle(buildTextLayer(expandWatermarkText(settings.wmText, current), *font, settings));
    }
    case kPictureWatermark: return BitmapHandle(buildPictureLayer(settings));
    default: return nullptr;
    }
}

// The area of the bounding box the watermark turns into.
double rotatedPixels(FIBITMAP* bitmap, int angle)
{
    const double radians = angle * std::numbers::pi / 180.0;
    const double w = FreeImage_GetWidth(bitmap);
    const double h = FreeImage_GetHeight(bitmap);
    const double c = std::abs(std::cos(radians));
    const double s = std::abs(std::sin(radians));
    return (w * c + h * s) * (w * s + h * c);
}

// Turned by FreeImage's sense of rotation, the uncovered corners transparent.
// Only angles strictly between 0 and a full turn rotate; a result too large to
// hold leaves no watermark.
BitmapHandle rotated(BitmapHandle bitmap, int angle)
{
    if (angle <= 0 || angle >= kFullTurn)
        return bitmap;
    if (rotatedPixels(bitmap.get(), angle) > kLargestPicturePixels)
        return nullptr;
    return BitmapHandle(FreeImage_Rotate(bitmap.get(), angle, nullptr));
}

void stampWatermark(FIBITMAP* picture, int width, int height, const ConversionSettings& settings,
                    const NamingFacts& facts, const std::optional<WatermarkFont>& font)
{
    BitmapHandle mark =
        rotated(buildWatermark(width, height, settings, facts, font), activePlacement(settings).rotation);
    if (!mark)
        return;
    const int markWidth = static_cast<int>(FreeImage_GetWidth(mark.get()));
    const int markHeight = static_cast<int>(FreeImage_GetHeight(mark.get()));
    mark.reset(fitWatermark(mark.release(), width, height, markWidth, markHeight, settings));
    if (!mark)
        return;
    const int w = static_cast<int>(FreeImage_GetWidth(mark.get()));
    const int h = static_cast<int>(FreeImage_GetHeight(mark.get()));
    const WatermarkPoint at = placeWatermark(width, height, w, h, settings);
    // Only a watermark lying wholly on the picture is stamped.
    if (at.x < 0 || at.y < 0 || int64_t{at.x} + w > width || int64_t{at.y} + h > height)
        return;
    blendBitmapOver(picture, mark.get(), at.x, at.y);
}

}  // namespace

BitmapHandle applyWatermark(BitmapHandle picture, int width, int height, const ConversionSettings& settings,
                            const NamingFacts& facts, const std::optional<WatermarkFont>& font)
{
    if (settings.watermarkType == kNoWatermark || !picture)
        return picture;
    picture = inTwentyFourBits(std::move(picture));
    if (picture)
        stampWatermark(picture.get(), width, height, settings, facts, font);
    return picture;
}

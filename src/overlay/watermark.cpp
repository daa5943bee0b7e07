#include "overlay/watermark.h"

#include <FreeImage.h>

#include <cmath>
#include <cstdint>
#include <numbers>

#include "engine/job_state.h"
#include "engine/output_encoding.h"
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

// The text may name the size and depth of the file being converted, which
// the pipeline would otherwise record only after this step.
void recordCurrentOutput(int width, int height)
{
    g_job.outputWidth = width;
    g_job.outputHeight = height;
    resolveAutomaticOutputBpp();
}

BitmapHandle buildWatermark(int width, int height)
{
    switch (g_settings.watermarkType) {
    case kTextWatermark:
        recordCurrentOutput(width, height);
        return BitmapHandle(buildTextLayer(expandWatermarkText()));
    case kPictureWatermark:
        return BitmapHandle(buildPictureLayer());
    default:
        return nullptr;
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

void stampWatermark(FIBITMAP* picture, int width, int height)
{
    BitmapHandle mark = rotated(buildWatermark(width, height), activePlacement().rotation);
    if (!mark)
        return;
    const int fullWidth = static_cast<int>(FreeImage_GetWidth(mark.get()));
    const int fullHeight = static_cast<int>(FreeImage_GetHeight(mark.get()));
    mark.reset(fitWatermark(mark.release(), width, height, fullWidth, fullHeight));
    if (!mark)
        return;
    const int w = static_cast<int>(FreeImage_GetWidth(mark.get()));
    const int h = static_cast<int>(FreeImage_GetHeight(mark.get()));
    const WatermarkPoint at = placeWatermark(width, height, w, h);
    // Only a watermark lying wholly on the picture is stamped.
    if (at.x < 0 || at.y < 0 || int64_t{at.x} + w > width || int64_t{at.y} + h > height)
        return;
    blendBitmapOver(picture, mark.get(), at.x, at.y);
}

}  // namespace

FIBITMAP* applyWatermark(FIBITMAP* picture, int width, int height)
{
    if (g_settings.watermarkType == kNoWatermark || !picture)
        return picture;
    picture = inTwentyFourBits(picture);
    if (picture)
        stampWatermark(picture, width, height);
    return picture;
}

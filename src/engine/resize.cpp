#include "engine/resize.h"

#include <FreeImage.h>

#include <climits>
#include <cmath>
#include <cstdint>

#include "picture/picture_handover.h"
#include "picture/picture_size.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// The nearest whole number, halves upwards, held within int so that absurd
// sizes stay absurd instead of wrapping round.
int roundHalfUp(double value)
{
    const double rounded = std::floor(value + 0.5);
    if (!(rounded < INT_MAX))
        return INT_MAX;
    if (!(rounded > INT_MIN))
        return INT_MIN;
    return static_cast<int>(rounded);
}

FREE_IMAGE_FILTER filterFor(int algorithm)
{
    switch (algorithm) {
    case kBoxFilter: return FILTER_BOX;
    case kBilinearFilter: return FILTER_BILINEAR;
    case kBSplineFilter: return FILTER_BSPLINE;
    case kCatmullRomFilter: return FILTER_CATMULLROM;
    case kLanczosFilter: return FILTER_LANCZOS3;
    default: return FILTER_BICUBIC;
    }
}

struct Size {
    int width;
    int height;
};

// Only one target counts when the proportions are kept: the width for
// landscape and square pictures, the height for portraits.
Size keepProportions(int width, int height, int targetWidth, int targetHeight)
{
    if (width >= height) {
        const float ratio = static_cast<float>(width) / static_cast<float>(height);
        return {targetWidth, roundHalfUp(static_cast<float>(targetWidth) / ratio)};
    }
    const float ratio = static_cast<float>(height) / static_cast<float>(width);
    return {roundHalfUp(static_cast<float>(targetHeight) / ratio), targetHeight};
}

}  // namespace

int targetDimension(int value, int unit, int currentSize)
{
    switch (unit) {
    case kSizeInPixels: return value;
    case kSizeInPercent: return roundHalfUp(value / 100.0 * currentSize);
    default: return 0;
    }
}

BitmapHandle resizePicture(BitmapHandle picture, int width, int height, const ConversionSettings& settings)
{
    if (!picture || !settings.resizeEnabled || width <= 0 || height <= 0)
        return picture;

    const int targetWidth = targetDimension(settings.resizeWidth, settings.resizeWidthUnit, width);
    const int targetHeight = targetDimension(settings.resizeHeight, settings.resizeHeightUnit, height);
    if (targetWidth <= 0 || targetHeight <= 0)
        return picture;
    if (targetWidth == width && targetHeight == height)
        return picture;
    if (settings.resizeType == kResizeLargeImages && width < targetWidth && height < targetHeight)
        return picture;

    const Size size = settings.keepAspectRatio ? keepProportions(width, height, targetWidth, targetHeight)
                                               : Size{targetWidth, targetHeight};
    if (int64_t{size.width} * size.height > kLargestPicturePixels)
        return nullptr;
    return replacePicture(std::move(picture), FreeImage_Rescale(picture.get(), size.width, size.height,
                                                                filterFor(settings.resizeAlgorithm)));
}

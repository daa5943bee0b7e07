#include "engine/geometry.h"

#include <FreeImage.h>

#include <cmath>
#include <numbers>

#include "picture/colours.h"
#include "picture/picture_handover.h"
#include "picture/picture_size.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// FreeImage_Rotate and FreeImage_RotateEx work on 8, 24 and 32 bits only, and
// a palette cannot take an arbitrary background colour.
bool needsTrueColourToRotate(unsigned bpp)
{
    return bpp <= 16 || bpp > 32;
}

// The simple rotation makes a picture as large as the bounding box of the
// turned one (a square turned by 45 degrees doubles); the advanced one keeps
// the size. One pixel more each way covers FreeImage's rounding.
bool rotatedSizeFits(FIBITMAP* picture, int angle)
{
    const double radians = angle * std::numbers::pi / 180.0;
    const double cosine = std::fabs(std::cos(radians));
    const double sine = std::fabs(std::sin(radians));
    const double width = FreeImage_GetWidth(picture);
    const double height = FreeImage_GetHeight(picture);
    const double turnedWidth = std::ceil(width * cosine + height * sine) + 1;
    const double turnedHeight = std::ceil(width * sine + height * cosine) + 1;
    return turnedWidth * turnedHeight <= static_cast<double>(kLargestPicturePixels);
}

}  // namespace

BitmapHandle rotatePicture(BitmapHandle picture, const ConversionSettings& settings)
{
    const int angle = settings.rotationAngle;
    if (!picture || !settings.rotateEnabled || angle <= 0 || angle >= 360)
        return picture;

    // The turning point is the centre of the picture as it came in.
    const double originX = FreeImage_GetWidth(picture.get()) / 2.0;
    const double originY = FreeImage_GetHeight(picture.get()) / 2.0;
    // Checked before anything is allocated, the depth change included.
    if (settings.rotationType != kAdvancedRotation && angle % 90 != 0 && !rotatedSizeFits(picture.get(), angle))
        return nullptr;
    if (needsTrueColourToRotate(FreeImage_GetBPP(picture.get()))) {
        picture = convertTo24Bits(std::move(picture));
        if (!picture)
            return nullptr;
    }

    if (settings.rotationType == kAdvancedRotation)
        return replacePicture(std::move(picture),
                              FreeImage_RotateEx(picture.get(), angle, 0.0, 0.0, originX, originY, FALSE));

    const RgbColour colour = parseHexColour(settings.rotationBackColor);
    RGBQUAD background{};
    background.rgbRed = colour.red;
    background.rgbGreen = colour.green;
    background.rgbBlue = colour.blue;
    return replacePicture(std::move(picture), FreeImage_Rotate(picture.get(), angle, &background));
}

BitmapHandle flipPicture(BitmapHandle picture, const ConversionSettings& settings)
{
    if (!picture)
        return picture;
    if (settings.flipHorizontal)
        FreeImage_FlipHorizontal(picture.get());
    if (settings.flipVertical)
        FreeImage_FlipVertical(picture.get());
    return picture;
}

#include "engine/tone.h"

#include <FreeImage.h>

#include "picture/picture_handover.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

FREE_IMAGE_DITHER ditherFor(int algorithm)
{
    switch (algorithm) {
    case kBayer4Dither: return FID_BAYER4x4;
    case kBayer8Dither: return FID_BAYER8x8;
    case kBayer16Dither: return FID_BAYER16x16;
    case kCluster6Dither: return FID_CLUSTER6x6;
    case kCluster8Dither: return FID_CLUSTER8x8;
    case kCluster16Dither: return FID_CLUSTER16x16;
    default: return FID_FS;
    }
}

// FreeImage would only recolour the palette of a 1-bit picture instead of
// reducing its colours again, and has no 1-bit path for deeper pictures.
FIBITMAP* prepareForOneBit(FIBITMAP* picture)
{
    const unsigned bpp = FreeImage_GetBPP(picture);
    return bpp > 32 || bpp < 4 ? convertTo24Bits(picture) : picture;
}

}  // namespace

FIBITMAP* adjustPicture(FIBITMAP* picture, const ConversionSettings& settings)
{
    if (!picture || !settings.adjustEnabled)
        return picture;
    const unsigned bpp = FreeImage_GetBPP(picture);
    if (bpp < 8 || bpp > 32) {
        picture = convertTo24Bits(picture);
        if (!picture)
            return nullptr;
    }
    FreeImage_AdjustColors(picture, settings.brightness, settings.contrast, settings.gamma,
                           settings.invert ? TRUE : FALSE);
    return picture;
}

FIBITMAP* greyscalePicture(FIBITMAP* picture, const ConversionSettings& settings)
{
    if (!picture || !settings.greyscale)
        return picture;
    if (FreeImage_GetBPP(picture) > 32) {
        picture = convertTo24Bits(picture);
        if (!picture)
            return nullptr;
    }
    return replacePicture(picture, FreeImage_ConvertToGreyscale(picture));
}

FIBITMAP* thresholdPicture(FIBITMAP* picture, const ConversionSettings& settings)
{
    if (!picture || !settings.thresholdEnabled)
        return picture;
    picture = prepareForOneBit(picture);
    if (!picture)
        return nullptr;
    const BYTE level = static_cast<BYTE>(settings.threshold & 0xFF);
    return replacePicture(picture, FreeImage_Threshold(picture, level));
}

FIBITMAP* ditherPicture(FIBITMAP* picture, const ConversionSettings& settings)
{
    if (!picture || !settings.ditherEnabled)
        return picture;
    picture = prepareForOneBit(picture);
    if (!picture)
        return nullptr;
    return replacePicture(picture, FreeImage_Dither(picture, ditherFor(settings.ditherAlgorithm)));
}

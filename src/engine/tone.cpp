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
BitmapHandle prepareForOneBit(BitmapHandle picture)
{
    const unsigned bpp = FreeImage_GetBPP(picture.get());
    return bpp > 32 || bpp < 4 ? convertTo24Bits(std::move(picture)) : std::move(picture);
}

}  // namespace

BitmapHandle adjustPicture(BitmapHandle picture, const ConversionSettings& settings)
{
    if (!picture || !settings.adjustEnabled)
        return picture;
    const unsigned bpp = FreeImage_GetBPP(picture.get());
    if (bpp < 8 || bpp > 32) {
        picture = convertTo24Bits(std::move(picture));
        if (!picture)
            return nullptr;
    }
    FreeImage_AdjustColors(picture.get(), settings.brightness, settings.contrast, settings.gamma,
                           settings.invert ? TRUE : FALSE);
    return picture;
}

BitmapHandle greyscalePicture(BitmapHandle picture, const ConversionSettings& settings)
{
    if (!picture || !settings.greyscale)
        return picture;
    if (FreeImage_GetBPP(picture.get()) > 32) {
        picture = convertTo24Bits(std::move(picture));
        if (!picture)
            return nullptr;
    }
    return replacePicture(std::move(picture), FreeImage_ConvertToGreyscale(picture.get()));
}

BitmapHandle thresholdPicture(BitmapHandle picture, const ConversionSettings& settings)
{
    if (!picture || !settings.thresholdEnabled)
        return picture;
    picture = prepareForOneBit(std::move(picture));
    if (!picture)
        return nullptr;
    const BYTE level = static_cast<BYTE>(settings.threshold & 0xFF);
    return replacePicture(std::move(picture), FreeImage_Threshold(picture.get(), level));
}

BitmapHandle ditherPicture(BitmapHandle picture, const ConversionSettings& settings)
{
    if (!picture || !settings.ditherEnabled)
        return picture;
    picture = prepareForOneBit(std::move(picture));
    if (!picture)
        return nullptr;
    return replacePicture(std::move(picture), FreeImage_Dither(picture.get(), ditherFor(settings.ditherAlgorithm)));
}

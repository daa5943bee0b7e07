#include "overlay/watermark_picture_layer.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>

#include "picture/picture_handle.h"
#include "picture/picture_size.h"
#include "settings/conversion_settings.h"

namespace {

bool offeredFormat(FREE_IMAGE_FORMAT format)
{
    return format == FIF_PNG || format == FIF_BMP || format == FIF_JPEG;
}

// Reads only the header first, so that a picture too large to hold is
// refused before its pixels are decoded.
bool sizeAcceptable(FREE_IMAGE_FORMAT format, const char* path)
{
    BitmapHandle header(FreeImage_Load(format, path, FIF_LOAD_NOPIXELS));
    if (!header)
        return false;
    const uint64_t pixels = uint64_t{FreeImage_GetWidth(header.get())} * FreeImage_GetHeight(header.get());
    return pixels > 0 && pixels <= static_cast<uint64_t>(kLargestPicturePixels);
}

// 32 bits with the picture's own transparency; 16-bit channels and grey
// types go through FreeImage's standard conversion first.
BitmapHandle withAlphaChannel(FIBITMAP* loaded)
{
    if (FIBITMAP* direct = FreeImage_ConvertTo32Bits(loaded))
        return BitmapHandle(direct);
    BitmapHandle standard(FreeImage_ConvertToStandardType(loaded, TRUE));
    return BitmapHandle(standard ? FreeImage_ConvertTo32Bits(standard.get()) : nullptr);
}

void applyOpacity(FIBITMAP* layer, int opacity)
{
    const unsigned constant = static_cast<unsigned>(std::clamp(opacity, 0, 255));
    const unsigned width = FreeImage_GetWidth(layer);
    const unsigned height = FreeImage_GetHeight(layer);
    for (unsigned row = 0; row < height; ++row) {
        BYTE* pixel = FreeImage_GetScanLine(layer, row);
        for (unsigned column = 0; column < width; ++column, pixel += 4)
            pixel[FI_RGBA_ALPHA] = static_cast<BYTE>((pixel[FI_RGBA_ALPHA] * constant + 127) / 255);
    }
}

// The colour channels become grey = (77 r + 150 g + 29 b) >> 8; alpha stays.
void makeLayerGrey(FIBITMAP* layer)
{
    const unsigned width = FreeImage_GetWidth(layer);
    const unsigned height = FreeImage_GetHeight(layer);
    for (unsigned row = 0; row < height; ++row) {
        BYTE* pixel = FreeImage_GetScanLine(layer, row);
        for (unsigned column = 0; column < width; ++column, pixel += 4) {
            const unsigned grey =
                (77u * pixel[FI_RGBA_RED] + 150u * pixel[FI_RGBA_GREEN] + 29u * pixel[FI_RGBA_BLUE]) >> 8;
            pixel[FI_RGBA_RED] = pixel[FI_RGBA_GREEN] = pixel[FI_RGBA_BLUE] = static_cast<BYTE>(grey);
        }
    }
}

}  // namespace

FIBITMAP* buildPictureLayer(const ConversionSettings& settings)
{
    const char* path = settings.wmImage.c_str();
    if (settings.wmImage.empty())
        return nullptr;
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path, 0);
    if (!offeredFormat(format) || !sizeAcceptable(format, path))
        return nullptr;
    BitmapHandle loaded(FreeImage_Load(format, path, 0));
    if (!loaded)
        return nullptr;
    BitmapHandle layer = withAlphaChannel(loaded.get());
    if (!layer)
        return nullptr;
    if (settings.wmImageGreyscale)
        makeLayerGrey(layer.get());
    applyOpacity(layer.get(), settings.wmImageOpacity);
    return layer.release();
}

#include "engine/output_encoding.h"

#include <FreeImage.h>

#include <sstream>

#include "engine/job_state.h"
#include "picture/picture_handover.h"
#include "formats/format_registry.h"
#include "settings/bit_depth_settings.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

constexpr int kLosslessWebpQuality = 100;

int bmpFlags()
{
    return g_settings.bmpCompression == kRleCompression ? BMP_SAVE_RLE : BMP_DEFAULT;
}

int exrFlags()
{
    switch (g_settings.exrCompression) {
    case kNoCompression: return EXR_NONE;
    case kExrZip: return EXR_ZIP;
    case kExrPiz: return EXR_PIZ;
    case kExrPxr24: return EXR_PXR24;
    case kExrB44: return EXR_B44;
    default: return 0;
    }
}

int jpegFlags()
{
    int flags = g_settings.jpgQuality;
    switch (g_settings.jpgChroma) {
    case kNoChromaSubsampling: flags |= JPEG_SUBSAMPLING_444; break;
    case kLowChromaSubsampling: flags |= JPEG_SUBSAMPLING_422; break;
    case kMediumChromaSubsampling: flags |= JPEG_SUBSAMPLING_420; break;
    case kHighChromaSubsampling: flags |= JPEG_SUBSAMPLING_411; break;
    default: break;
    }
    switch (g_settings.jpgSaveAs) {
    case kSimpleJpeg: flags |= JPEG_BASELINE; break;
    case kOptimizedJpeg: flags |= JPEG_OPTIMIZE; break;
    case kProgressiveJpeg: flags |= JPEG_PROGRESSIVE; break;
    default: break;
    }
    return flags;
}

int pngFlags()
{
    int flags = 0;
    switch (g_settings.pngCompression) {
    case kNoCompression: flags = PNG_Z_NO_COMPRESSION; break;
    case kPngZlib1: flags = PNG_Z_BEST_SPEED; break;
    case kPngZlib6: flags = PNG_Z_DEFAULT_COMPRESSION; break;
    case kPngZlib9: flags = PNG_Z_BEST_COMPRESSION; break;
    default: break;
    }
    return g_settings.pngInterlaced ? flags | PNG_INTERLACED : flags;
}

int tgaFlags()
{
    return g_settings.tgaCompression == kRleCompression ? TARGA_SAVE_RLE : TARGA_DEFAULT;
}

int tiffCompressionFlags(int code)
{
    switch (code) {
    case kNoCompression: return TIFF_NONE;
    case kTiffCcittFax3: return TIFF_CCITTFAX3;
    case kTiffCcittFax4: return TIFF_CCITTFAX4;
    case kTiffPackBits: return TIFF_PACKBITS;
    case kTiffDeflate: return TIFF_DEFLATE;
    case kTiffAdobeDeflate: return TIFF_ADOBE_DEFLATE;
    case kTiffLzw: return TIFF_LZW;
    case kTiffJpeg: return TIFF_JPEG;
    case kTiffLogLuv: return TIFF_LOGLUV;
    default: return 0;
    }
}

int tiffFlags()
{
    const int flags = tiffCompressionFlags(g_settings.tiffCompression);
    return g_settings.tiffColorMode == kCmykColorMode ? flags | TIFF_CMYK : flags;
}

int webpFlags()
{
    return g_settings.webpQuality == kLosslessWebpQuality ? WEBP_LOSSLESS : g_settings.webpQuality;
}

bool isGreyCapable(const std::string& extension)
{
    return extension == "j2k" || extension == "jp2" || extension == "jpg" || extension == "jxr";
}

FIBITMAP* toSixteenBits(FIBITMAP* picture, unsigned current)
{
    if (current > 32) {
        picture = convertTo24Bits(picture);
        if (!picture)
            return nullptr;
    }
    const bool fiveFiveFive = g_job.outputExt == "ico" || g_job.outputExt == "tga";
    return replacePicture(picture, fiveFiveFive ? FreeImage_ConvertTo16Bits555(picture) : FreeImage_ConvertTo16Bits565(picture));
}

FIBITMAP* toEightBits(FIBITMAP* picture, unsigned current)
{
    if (isGreyCapable(g_job.outputExt))
        return replacePicture(picture, FreeImage_ConvertTo8Bits(picture));
    if (current != 24) {
        picture = convertTo24Bits(picture);
        if (!picture)
            return nullptr;
    }
    return replacePicture(picture, FreeImage_ColorQuantizeEx(picture, FIQ_WUQUANT, 256, 0, nullptr));
}

}  // namespace

void chooseOutputEncoding()
{
    g_job.outputBpp = bitDepthSettingFor(g_settings, g_job.outputExt);
    g_job.autoBpp = g_job.outputBpp == 0;
    g_job.saveFlags = saveFlagsFor(g_job.outputExt);
}

int saveFlagsFor(const std::string& extension)
{
    if (extension == "bmp") return bmpFlags();
    if (extension == "exr") return exrFlags();
    if (extension == "jpg") return jpegFlags();
    if (extension == "jxr") return JXR_LOSSLESS;
    if (extension == "png") return pngFlags();
    if (extension == "tga") return tgaFlags();
    if (extension == "tiff") return tiffFlags();
    if (extension == "webp") return webpFlags();
    return 0;
}

int nearestAllowedBpp(const std::string& extension, int bpp)
{
    std::istringstream list(outputFormatInfo(extension).allowedBpp);
    int value = 0;
    for (std::string field; std::getline(list, field, ',');) {
        value = std::stoi(field);
        if (bpp <= value)
            break;
    }
    return value;
}

void resolveAutomaticOutputBpp()
{
    if (g_job.autoBpp)
        g_job.outputBpp = nearestAllowedBpp(g_job.outputExt, g_job.sourceBpp);
}

FIBITMAP* convertToOutputBpp(FIBITMAP* picture)
{
    if (!picture)
        return nullptr;
    resolveAutomaticOutputBpp();
    const unsigned current = FreeImage_GetBPP(picture);
    if (static_cast<int>(current) == g_job.outputBpp)
        return picture;
    switch (g_job.outputBpp) {
    case 96: return replacePicture(picture, FreeImage_ConvertToRGBF(picture));
    case 48: return replacePicture(picture, FreeImage_ConvertToRGB16(picture));
    case 32: return replacePicture(picture, FreeImage_ConvertTo32Bits(picture));
    case 24: return convertTo24Bits(picture);
    case 16: return toSixteenBits(picture, current);
    case 8: return toEightBits(picture, current);
    case 4: return replacePicture(picture, FreeImage_ConvertTo4Bits(picture));
    case 1: return replacePicture(picture, FreeImage_Dither(picture, FID_FS));
    default: return replacePicture(picture, nullptr);
    }
}

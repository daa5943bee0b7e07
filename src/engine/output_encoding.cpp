#include "engine/output_encoding.h"

#include <FreeImage.h>

#include <sstream>

#include "engine/job_state.h"
#include "formats/format_registry.h"
#include "picture/picture_handover.h"
#include "settings/conversion_settings.h"
#include "settings/setting_table.h"
#include "settings/vocabularies.h"

namespace {

constexpr int kLosslessWebpQuality = 100;

int bmpFlags(const ConversionSettings& settings)
{
    return settings.bmpCompression == kRleCompression ? BMP_SAVE_RLE : BMP_DEFAULT;
}

int exrFlags(const ConversionSettings& settings)
{
    switch (settings.exrCompression) {
    case kNoCompression: return EXR_NONE;
    case kExrZip: return EXR_ZIP;
    case kExrPiz: return EXR_PIZ;
    case kExrPxr24: return EXR_PXR24;
    case kExrB44: return EXR_B44;
    default: return 0;
    }
}

int jpegFlags(const ConversionSettings& settings)
{
    int flags = settings.jpgQuality;
    switch (settings.jpgChroma) {
    case kNoChromaSubsampling: flags |= JPEG_SUBSAMPLING_444; break;
    case kLowChromaSubsampling: flags |= JPEG_SUBSAMPLING_422; break;
    case kMediumChromaSubsampling: flags |= JPEG_SUBSAMPLING_420; break;
    case kHighChromaSubsampling: flags |= JPEG_SUBSAMPLING_411; break;
    default: break;
    }
    switch (settings.jpgSaveAs) {
    case kSimpleJpeg: flags |= JPEG_BASELINE; break;
    case kOptimizedJpeg: flags |= JPEG_OPTIMIZE; break;
    case kProgressiveJpeg: flags |= JPEG_PROGRESSIVE; break;
    default: break;
    }
    return flags;
}

int pngFlags(const ConversionSettings& settings)
{
    int flags = 0;
    switch (settings.pngCompression) {
    case kNoCompression: flags = PNG_Z_NO_COMPRESSION; break;
    case kPngZlib1: flags = PNG_Z_BEST_SPEED; break;
    case kPngZlib6: flags = PNG_Z_DEFAULT_COMPRESSION; break;
    case kPngZlib9: flags = PNG_Z_BEST_COMPRESSION; break;
    default: break;
    }
    return settings.pngInterlaced ? flags | PNG_INTERLACED : flags;
}

int tgaFlags(const ConversionSettings& settings)
{
    return settings.tgaCompression == kRleCompression ? TARGA_SAVE_RLE : TARGA_DEFAULT;
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

int tiffFlags(const ConversionSettings& settings)
{
    const int flags = tiffCompressionFlags(settings.tiffCompression);
    return settings.tiffColorMode == kCmykColorMode ? flags | TIFF_CMYK : flags;
}

int webpFlags(const ConversionSettings& settings)
{
    return settings.webpQuality == kLosslessWebpQuality ? WEBP_LOSSLESS : settings.webpQuality;
}

bool isGreyCapable(const std::string& extension)
{
    return outputFormatInfo(extension).greyEightBits;
}

BitmapHandle toSixteenBits(BitmapHandle picture, unsigned current, const std::string& extension)
{
    if (current > 32) {
        picture = convertTo24Bits(std::move(picture));
        if (!picture)
            return nullptr;
    }
    const bool fiveFiveFive = outputFormatInfo(extension).sixteenBits555;
    return replacePicture(std::move(picture), fiveFiveFive ? FreeImage_ConvertTo16Bits555(picture.get())
                                                           : FreeImage_ConvertTo16Bits565(picture.get()));
}

BitmapHandle toEightBits(BitmapHandle picture, unsigned current, const std::string& extension)
{
    if (isGreyCapable(extension))
        return replacePicture(std::move(picture), FreeImage_ConvertTo8Bits(picture.get()));
    if (current != 24) {
        picture = convertTo24Bits(std::move(picture));
        if (!picture)
            return nullptr;
    }
    return replacePicture(std::move(picture), FreeImage_ColorQuantizeEx(picture.get(), FIQ_WUQUANT, 256, 0, nullptr));
}

}  // namespace

void chooseOutputEncoding(const ConversionSettings& settings, JobState& job)
{
    job.outputBpp = bitDepthSettingFor(settings, job.outputExt);
    job.autoBpp = job.outputBpp == 0;
    job.saveFlags = saveFlagsFor(settings, job.outputExt);
}

// Each FreeImage plugin reads its own flags.
int saveFlagsFor(const ConversionSettings& settings, const std::string& extension)
{
    const OutputFormatInfo format = outputFormatInfo(extension);
    if (format.extension.empty())
        return 0;
    switch (format.fif) {
    case FIF_BMP: return bmpFlags(settings);
    case FIF_EXR: return exrFlags(settings);
    case FIF_JPEG: return jpegFlags(settings);
    case FIF_JXR: return JXR_LOSSLESS;
    case FIF_PNG: return pngFlags(settings);
    case FIF_TARGA: return tgaFlags(settings);
    case FIF_TIFF: return tiffFlags(settings);
    case FIF_WEBP: return webpFlags(settings);
    default: return 0;
    }
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

int outputBppFor(const JobState& job, int sourceBpp)
{
    return job.autoBpp ? nearestAllowedBpp(job.outputExt, sourceBpp) : job.outputBpp;
}

BitmapHandle convertToOutputBpp(BitmapHandle picture, int outputBpp, const std::string& extension)
{
    if (!picture)
        return nullptr;
    const unsigned current = FreeImage_GetBPP(picture.get());
    if (static_cast<int>(current) == outputBpp)
        return picture;
    FIBITMAP* p = picture.get();
    switch (outputBpp) {
    case 96: return replacePicture(std::move(picture), FreeImage_ConvertToRGBF(p));
    case 48: return replacePicture(std::move(picture), FreeImage_ConvertToRGB16(p));
    case 32: return replacePicture(std::move(picture), FreeImage_ConvertTo32Bits(p));
    case 24: return convertTo24Bits(std::move(picture));
    case 16: return toSixteenBits(std::move(picture), current, extension);
    case 8: return toEightBits(std::move(picture), current, extension);
    case 4: return replacePicture(std::move(picture), FreeImage_ConvertTo4Bits(p));
    case 1: return replacePicture(std::move(picture), FreeImage_Dither(p, FID_FS));
    default: return nullptr;
    }
}

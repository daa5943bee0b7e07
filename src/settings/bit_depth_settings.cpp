#include "settings/bit_depth_settings.h"

namespace {

using S = ConversionSettings;

constexpr BitDepthSetting kBitDepthSettings[] = {
    {"bmp", &S::bmpBpp},   {"dds", &S::ddsBpp},   {"exr", &S::exrBpp}, {"gif", &S::gifBpp}, {"hdr", &S::hdrBpp},
    {"ico", &S::icoBpp},   {"j2k", &S::j2kBpp},   {"jng", &S::jngBpp}, {"jp2", &S::jp2Bpp}, {"jpg", &S::jpgBpp},
    {"jxr", &S::jxrBpp},   {"pbm", &S::pbmBpp},   {"pcx", &S::pcxBpp}, {"pfm", &S::pfmBpp}, {"pgm", &S::pgmBpp},
    {"png", &S::pngBpp},   {"ppm", &S::ppmBpp},   {"psd", &S::psdBpp}, {"tga", &S::tgaBpp}, {"tiff", &S::tiffBpp},
    {"wbmp", &S::wbmpBpp}, {"webp", &S::webpBpp}, {"xpm", &S::xpmBpp},
};

}  // namespace

const BitDepthSetting* bitDepthSettingOf(std::string_view extension)
{
    for (const BitDepthSetting& entry : kBitDepthSettings)
        if (extension == entry.extension)
            return &entry;
    return nullptr;
}

int32_t bitDepthSettingFor(const ConversionSettings& settings, std::string_view extension)
{
    const BitDepthSetting* entry = bitDepthSettingOf(extension);
    return entry ? settings.*(entry->field) : 0;
}

#include "app/option_table.h"

#include <vector>

#include "platform/text.h"
#include "settings/number_text.h"
#include "settings/vocabularies.h"

namespace {

using S = ConversionSettings;
using Kind = OptionValueKind;

SettingOption option(std::string_view name, Kind kind, SettingField field, int32_t vocabulary = 0)
{
    SettingOption entry;
    entry.name = name;
    entry.kind = kind;
    entry.field = field;
    entry.vocabulary = vocabulary;
    return entry;
}

SettingOption integer(std::string_view name, int32_t S::*field)
{
    return option(name, Kind::kInteger, field);
}
SettingOption text(std::string_view name, std::string S::*field)
{
    return option(name, Kind::kText, field);
}
SettingOption switchOn(std::string_view name, int8_t S::*field)
{
    return option(name, Kind::kSwitchOn, field);
}

template <typename Field>
SettingOption word(std::string_view name, Field S::*field, int32_t vocabulary)
{
    return option(name, Kind::kWord, field, vocabulary);
}

SettingOption enabling(SettingOption entry, int8_t S::*flag, int8_t code = 1)
{
    entry.enables = flag;
    entry.enablesCode = code;
    return entry;
}

SettingOption commandLineOnly(SettingOption entry)
{
    entry.inProfile = false;
    return entry;
}

SettingOption profileOnly(SettingOption entry)
{
    entry.onCommandLine = false;
    return entry;
}

const std::vector<SettingOption>& optionTable()
{
    static const std::vector<SettingOption> table = [] {
        SettingOption filenameMask = text("--FILENAME-MASK", &S::filenameMask);
        filenameMask.profileRemovesQuotes = true;
        return std::vector<SettingOption>{
            // Input formats
            word("--DDS-LOAD-AS", &S::ddsLoadAs, kDdsLoadAs),
            word("--GIF-FRAME-LOADING", &S::gifFrameLoading, kFrameLoading),
            word("--ICO-FRAME-LOADING", &S::icoFrameLoading, kFrameLoading),
            word("--PSD-COLOR-MODE", &S::psdColorMode, kColorMode),
            word("--RAW-LOAD-AS", &S::rawLoadAs, kRawLoadAs),
            integer("--RAW-HEADER-SIZE", &S::rawHeaderSize),
            integer("--RAW-WIDTH", &S::rawWidth),
            integer("--RAW-HEIGHT", &S::rawHeight),
            word("--RAW-TONE-MAPPING", &S::rawToneMapping, kRawToneMapping),
            word("--TIFF-FRAME-LOADING", &S::tiffFrameLoading, kFrameLoading),

            // Output bit depths
            integer("--BMP-BPP", &S::bmpBpp),
            integer("--DDS-BPP", &S::ddsBpp),
            integer("--EXR-BPP", &S::exrBpp),
            integer("--GIF-BPP", &S::gifBpp),
            integer("--HDR-BPP", &S::hdrBpp),
            integer("--ICO-BPP", &S::icoBpp),
            integer("--J2K-BPP", &S::j2kBpp),
            integer("--JNG-BPP", &S::jngBpp),
            integer("--JP2-BPP", &S::jp2Bpp),
            integer("--JPG-BPP", &S::jpgBpp),
            integer("--JXR-BPP", &S::jxrBpp),
            integer("--PBM-BPP", &S::pbmBpp),
            integer("--PCX-BPP", &S::pcxBpp),
            integer("--PFM-BPP", &S::pfmBpp),
            integer("--PGM-BPP", &S::pgmBpp),
            integer("--PNG-BPP", &S::pngBpp),
            integer("--PPM-BPP", &S::ppmBpp),
            integer("--PSD-BPP", &S::psdBpp),
            integer("--TGA-BPP", &S::tgaBpp),
            integer("--TIFF-BPP", &S::tiffBpp),
            integer("--WBMP-BPP", &S::wbmpBpp),
            integer("--WEBP-BPP", &S::webpBpp),
            integer("--XPM-BPP", &S::xpmBpp),

            // Other output options
            word("--BMP-COMPRESSION", &S::bmpCompression, kCompressionCode),
            word("--BMP-COLOR-TABLE", &S::bmpColorTable, kColorTableMode),
            word("--EXR-COMPRESSION", &S::exrCompression, kCompressionCode),
            integer("--JPG-QUALITY", &S::jpgQuality),
            word("--JPG-CHROMA", &S::jpgChroma, kJpegChroma),
            word("--JPG-SAVE-AS", &S::jpgSaveAs, kJpegSaveAs),
            word("--PNG-COMPRESSION", &S::pngCompression, kCompressionCode),
            switchOn("--PNG-INTERLACED", &S::pngInterlaced),
            word("--TGA-COMPRESSION", &S::tgaCompression, kCompressionCode),
            word("--TIFF-COMPRESSION", &S::tiffCompression, kCompressionCode),
            word("--TIFF-COLOR-MODE", &S::tiffColorMode, kColorMode),
            integer("--WEBP-QUALITY", &S::webpQuality),

            // Transform and adjustment
            word("--ROTATION-TYPE", &S::rotationType, kRotationType),
            enabling(integer("--ROTATION", &S::rotationAngle), &S::rotateEnabled),
            text("--ROTATION-BACK-COLOR", &S::rotationBackColor),
            enabling(integer("--WIDTH", &S::resizeWidth), &S::resizeEnabled),
            word("--WIDTH-UNIT", &S::resizeWidthUnit, kSizeUnit),
            enabling(integer("--HEIGHT", &S::resizeHeight), &S::resizeEnabled),
            word("--HEIGHT-UNIT", &S::resizeHeightUnit, kSizeUnit),
            switchOn("--KEEP-ASPECT-RATIO", &S::keepAspectRatio),
            word("--RESIZE-TYPE", &S::resizeType, kResizeType),
            word("--RESIZE-ALGORITHM", &S::resizeAlgorithm, kResizeAlgorithm),
            switchOn("--FLIP-HORIZONTAL", &S::flipHorizontal),
            switchOn("--FLIP-VERTICAL", &S::flipVertical),
            enabling(integer("--BRIGHTNESS", &S::brightness), &S::adjustEnabled),
            enabling(integer("--CONTRAST", &S::contrast), &S::adjustEnabled),
            enabling(option("--GAMMA", Kind::kReal, &S::gamma), &S::adjustEnabled),
            enabling(switchOn("--INVERT", &S::invert), &S::adjustEnabled),
            switchOn("--GREYSCALE", &S::greyscale),
            enabling(integer("--THRESHOLD", &S::threshold), &S::thresholdEnabled),
            enabling(word("--DITHER", &S::ditherAlgorithm, kDitherAlgorithm), &S::ditherEnabled),

            // Frame
            enabling(integer("--FR-SOLID-LEFT", &S::frameLeft), &S::frameType, kSolidFrame),
            enabling(integer("--FR-SOLID-RIGHT", &S::frameRight), &S::frameType, kSolidFrame),
            enabling(integer("--FR-SOLID-TOP", &S::frameTop), &S::frameType, kSolidFrame),
            enabling(integer("--FR-SOLID-BOTTOM", &S::frameBottom), &S::frameType, kSolidFrame),
            text("--FR-SOLID-LEFT-COLOR", &S::frameLeftColor),
            text("--FR-SOLID-RIGHT-COLOR", &S::frameRightColor),
            text("--FR-SOLID-TOP-COLOR", &S::frameTopColor),
            text("--FR-SOLID-BOTTOM-COLOR", &S::frameBottomColor),
            // Profiles have always named the frame opacity after the watermark.
            commandLineOnly(integer("--FR-SOLID-OPACITY", &S::frameOpacity)),
            profileOnly(integer("--WM-SOLID-OPACITY", &S::frameOpacity)),

            // Watermark
            enabling(text("--WM-TEXT", &S::wmText), &S::watermarkType, kTextWatermark),
            text("--WM-FONT", &S::wmFont),
            integer("--WM-FONT-SIZE", &S::wmFontSize),
            integer("--WM-FONT-LEADING", &S::wmFontLeading),
            text("--WM-FONT-COLOR", &S::wmFontColor),
            word("--WM-FONT-STYLE", &S::wmFontStyle, kFontStyle),
            word("--WM-FONT-EFFECT", &S::wmFontEffect, kFontEffect),
            switchOn("--WM-TEXT-ANTIALIASING", &S::wmTextAntialiasing),
            word("--WM-TEXT-ALIGNMENT", &S::wmTextAlignment, kTextAlignment),
            integer("--WM-TEXT-PADDING", &S::wmTextPadding),
            integer("--WM-TEXT-OPACITY", &S::wmTextOpacity),
            text("--WM-BACK-COLOR", &S::wmBackColor),
            integer("--WM-BACK-OPACITY", &S::wmBackOpacity),
            word("--WM-TEXT-BOUNDARY", &S::wmTextBoundary, kPlacementBoundary),
            word("--WM-TEXT-POSITION", &S::wmTextPosition, kPlacementPosition),
            integer("--WM-TEXT-X-OFFSET", &S::wmTextXOffset),
            integer("--WM-TEXT-Y-OFFSET", &S::wmTextYOffset),
            integer("--WM-TEXT-ROTATION", &S::wmTextRotation),
            word("--WM-TEXT-SIZE", &S::wmTextSize, kWatermarkSize),
            enabling(text("--WM-IMAGE", &S::wmImage), &S::watermarkType, kPictureWatermark),
            switchOn("--WM-IMAGE-GREYSCALE", &S::wmImageGreyscale),
            integer("--WM-IMAGE-OPACITY", &S::wmImageOpacity),
            word("--WM-IMAGE-BOUNDARY", &S::wmImageBoundary, kPlacementBoundary),
            word("--WM-IMAGE-POSITION", &S::wmImagePosition, kPlacementPosition),
            integer("--WM-IMAGE-X-OFFSET", &S::wmImageXOffset),
            integer("--WM-IMAGE-Y-OFFSET", &S::wmImageYOffset),
            integer("--WM-IMAGE-ROTATION", &S::wmImageRotation),
            word("--WM-IMAGE-SIZE", &S::wmImageSize, kWatermarkSize),

            // Naming
            filenameMask,
            word("--FILE-TIMESTAMP", &S::fileTimestamp, kFileTimestampMode),
            integer("--FILE-TIMESTAMP-CUSTOM", &S::customTimestamp),
            option("--NO-SUBFOLDERS", Kind::kSwitchOff, &S::keepSubfolders),
        };
    }();
    return table;
}

int32_t convertedNumber(const SettingOption& option, const std::string& value)
{
    switch (option.kind) {
    case Kind::kSwitchOn: return 1;
    case Kind::kSwitchOff: return 0;
    case Kind::kWord: return settingValueFromName(option.vocabulary, trimBlanks(value));
    default: return parseInteger(value);
    }
}

}  // namespace

const SettingOption* findSettingOption(std::string_view upperName, OptionSource source)
{
    for (const SettingOption& entry : optionTable()) {
        bool offered = source == OptionSource::kCommandLine ? entry.onCommandLine : entry.inProfile;
        if (offered && entry.name == upperName)
            return &entry;
    }
    return nullptr;
}

void applySettingOption(const SettingOption& option, const std::string& value)
{
    if (option.enables)
        g_settings.*option.enables = option.enablesCode;
    if (auto field = std::get_if<std::string S::*>(&option.field))
        g_settings.*(*field) = value;
    else if (auto field = std::get_if<float S::*>(&option.field))
        g_settings.*(*field) = realToFloat(parseReal(value));
    else if (auto field = std::get_if<int32_t S::*>(&option.field))
        g_settings.*(*field) = convertedNumber(option, value);
    else if (auto field = std::get_if<int8_t S::*>(&option.field))
        g_settings.*(*field) = static_cast<int8_t>(convertedNumber(option, value));
}

std::string withoutEndQuotes(std::string_view text)
{
    size_t begin = text.find_first_not_of('"');
    if (begin == std::string_view::npos)
        return "";
    return std::string(text.substr(begin, text.find_last_not_of('"') + 1 - begin));
}

std::span<const SettingOption> settingOptions()
{
    return optionTable();
}

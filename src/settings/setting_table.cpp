#include "settings/setting_table.h"

#include <utility>

#include "settings/vocabularies.h"

namespace {

using S = ConversionSettings;
using Kind = PreferenceKind;

constexpr ListingCondition kWhenRotating{&S::rotateEnabled};
constexpr ListingCondition kWhenResizing{&S::resizeEnabled};
constexpr ListingCondition kWhenAdjusting{&S::adjustEnabled};
constexpr ListingCondition kWhenThresholding{&S::thresholdEnabled};
constexpr ListingCondition kWhenDithering{&S::ditherEnabled};
constexpr ListingCondition kWhenSolidFrame{&S::frameType, kSolidFrame};
constexpr ListingCondition kWhenTextWatermark{&S::watermarkType, kTextWatermark};
constexpr ListingCondition kWhenPictureWatermark{&S::watermarkType, kPictureWatermark};
constexpr ListingCondition kWhenCustomTimestamp{&S::fileTimestamp, kCustomTimestamp};

OptionSpec option(const char* name)
{
    return {.name = name};
}

OptionSpec enabling(const char* name, int8_t S::*feature, int8_t code = 1)
{
    return {.name = name, .enables = feature, .enablesCode = code};
}

ListingSpec listed(const char* label, ListingCondition when = {}, std::vector<std::string> problemsAfter = {})
{
    return {.label = label, .when = when, .problemsAfter = std::move(problemsAfter)};
}

ListingSpec continued(const char* separator, ListingCondition when)
{
    return {.when = when, .continues = separator};
}

PreferenceSpec list(const char* label, const ItemKeys& items)
{
    return {.kind = Kind::kList, .label = label, .items = &items};
}

PreferenceSpec check(const char* label)
{
    return {.kind = Kind::kCheck, .label = label};
}

PreferenceSpec pair(const char* label, PairRange range)
{
    return {.kind = Kind::kPair, .label = label, .range = range};
}

PreferenceSpec offsetPair(const char* label)
{
    return {.kind = Kind::kOffsetPair, .label = label, .range = kBrightnessRange};
}

PreferenceSpec number(const char* label, const ItemKeys& units, int8_t S::*unitSetting = nullptr)
{
    return {.kind = Kind::kNumber, .label = label, .items = &units, .unitSetting = unitSetting};
}

PreferenceSpec shown(Kind kind, const char* label)
{
    return {.kind = kind, .label = label};
}

PreferenceSpec choice(Kind kind, const char* label, std::string S::*choices)
{
    return {.kind = kind, .label = label, .choicesSetting = choices};
}

SettingRow bitDepth(int32_t S::*field, const char* format, const char* key, const char* optionName)
{
    return {.field = field,
            .config = {"Output", key},
            .format = format,
            .option = option(optionName),
            .listing = listed(key),
            .preference = {.kind = Kind::kBitDepth}};
}

// One row per setting: the field, its config.ini key, the format it belongs
// to and its words; then its option and listing line; then its preferences row.
// clang-format off
const std::vector<SettingRow>& table()
{
    static const std::vector<SettingRow> rows = {
        {.field = &S::configVersion, .config = {"General", "CFG"}},
        {.field = &S::language, .config = {"General", "Language"}},
        {.field = &S::updateRange, .config = {"General", "Update Range"},
         .preference = list("Check For Updates", kUpdateRangeItems)},
        {.field = &S::updateDate, .config = {"General", "Update Date"}},
        {.field = &S::saveWindowPosition, .config = {"General", "Save Window Position"},
         .preference = check("Save window position")},
        {.field = &S::windowMaximized, .config = {"Window", "IsMaximized"}},
        {.field = &S::windowWidth, .config = {"Window", "Width"}},
        {.field = &S::windowHeight, .config = {"Window", "Height"}},
        {.field = &S::windowX, .config = {"Window", "X"}},
        {.field = &S::windowY, .config = {"Window", "Y"}},
        {.field = &S::uiTheme, .config = {"Interface", "UI Theme"}},
        {.field = &S::uiSize, .config = {"Interface", "UI Size"}, .preference = list("UI Size", kIconSizeItems)},

        {.field = &S::inputGroup, .config = {"Input", "Format"}},
        {.field = &S::ddsLoadAs, .config = {"Input", "DDS Load As"}, .format = "dds", .vocabulary = kDdsLoadAs,
         .option = option("--DDS-LOAD-AS"), .listing = listed("DDS Load As"),
         .preference = list("Load As", kDdsLoadAsItems)},
        {.field = &S::gifFrameLoading, .config = {"Input", "GIF Frame Loading"}, .format = "gif",
         .vocabulary = kFrameLoading,
         .option = option("--GIF-FRAME-LOADING"), .listing = listed("GIF Frame Loading"),
         .preference = list("Frame Loading", kFrameLoadingItems)},
        {.field = &S::icoFrameLoading, .config = {"Input", "ICO Frame Loading"}, .format = "ico",
         .vocabulary = kFrameLoading,
         .option = option("--ICO-FRAME-LOADING"), .listing = listed("ICO Frame Loading"),
         .preference = list("Frame Loading", kFrameLoadingItems)},
        {.field = &S::psdColorMode, .config = {"Input", "PSD Color Mode"}, .format = "psd", .vocabulary = kColorMode,
         .option = option("--PSD-COLOR-MODE"), .listing = listed("PSD Color Mode"),
         .preference = list("Color Mode", kPsdColorModeItems)},
        {.field = &S::rawLoadAs, .config = {"Input", "RAW Load As"}, .format = "raw", .vocabulary = kRawLoadAs,
         .option = option("--RAW-LOAD-AS"), .listing = listed("RAW Load As"),
         .preference = list("Load As", kRawLoadAsItems)},
        {.field = &S::rawHeaderSize, .config = {"Input", "RAW Header Size"}, .format = "raw",
         .option = option("--RAW-HEADER-SIZE"), .listing = listed("RAW Header Size"),
         .preference = number("Header Size", kBytesUnit)},
        {.field = &S::rawWidth, .config = {"Input", "RAW Image Width"}, .format = "raw",
         .option = option("--RAW-WIDTH"), .listing = listed("RAW Image Width"),
         .preference = number("Image Width", kPixelsUnit)},
        {.field = &S::rawHeight, .config = {"Input", "RAW Image Height"}, .format = "raw",
         .option = option("--RAW-HEIGHT"), .listing = listed("RAW Image Height"),
         .preference = number("Image Height", kPixelsUnit)},
        {.field = &S::rawToneMapping, .config = {"Input", "RAW Tone Mapping"}, .format = "raw",
         .vocabulary = kRawToneMapping,
         .option = option("--RAW-TONE-MAPPING"), .listing = listed("RAW Tone Mapping"),
         .preference = list("Tone Mapping", kToneMappingItems)},
        {.field = &S::tiffFrameLoading, .config = {"Input", "TIFF Frame Loading"}, .format = "tiff",
         .vocabulary = kFrameLoading,
         .option = option("--TIFF-FRAME-LOADING"), .listing = listed("TIFF Frame Loading"),
         .preference = list("Frame Loading", kFrameLoadingItems)},

        {.field = &S::outputFormat, .config = {"Output", "Format"}},
        bitDepth(&S::bmpBpp, "bmp", "BMP BPP", "--BMP-BPP"),
        bitDepth(&S::ddsBpp, "dds", "DDS BPP", "--DDS-BPP"),
        bitDepth(&S::exrBpp, "exr", "EXR BPP", "--EXR-BPP"),
        bitDepth(&S::gifBpp, "gif", "GIF BPP", "--GIF-BPP"),
        bitDepth(&S::hdrBpp, "hdr", "HDR BPP", "--HDR-BPP"),
        bitDepth(&S::icoBpp, "ico", "ICO BPP", "--ICO-BPP"),
        bitDepth(&S::j2kBpp, "j2k", "J2K BPP", "--J2K-BPP"),
        bitDepth(&S::jngBpp, "jng", "JNG BPP", "--JNG-BPP"),
        bitDepth(&S::jp2Bpp, "jp2", "JP2 BPP", "--JP2-BPP"),
        bitDepth(&S::jpgBpp, "jpg", "JPG BPP", "--JPG-BPP"),
        bitDepth(&S::jxrBpp, "jxr", "JXR BPP", "--JXR-BPP"),
        bitDepth(&S::pbmBpp, "pbm", "PBM BPP", "--PBM-BPP"),
        bitDepth(&S::pcxBpp, "pcx", "PCX BPP", "--PCX-BPP"),
        bitDepth(&S::pfmBpp, "pfm", "PFM BPP", "--PFM-BPP"),
        bitDepth(&S::pgmBpp, "pgm", "PGM BPP", "--PGM-BPP"),
        bitDepth(&S::pngBpp, "png", "PNG BPP", "--PNG-BPP"),
        bitDepth(&S::ppmBpp, "ppm", "PPM BPP", "--PPM-BPP"),
        bitDepth(&S::psdBpp, "psd", "PSD BPP", "--PSD-BPP"),
        bitDepth(&S::tgaBpp, "tga", "TGA BPP", "--TGA-BPP"),
        bitDepth(&S::tiffBpp, "tiff", "TIFF BPP", "--TIFF-BPP"),
        bitDepth(&S::wbmpBpp, "wbmp", "WBMP BPP", "--WBMP-BPP"),
        bitDepth(&S::webpBpp, "webp", "WEBP BPP", "--WEBP-BPP"),
        bitDepth(&S::xpmBpp, "xpm", "XPM BPP", "--XPM-BPP"),
        {.field = &S::bmpCompression, .config = {"Output", "BMP Compression"}, .format = "bmp",
         .vocabulary = kCompressionCode,
         .option = option("--BMP-COMPRESSION"), .listing = listed("BMP Compression"),
         .preference = list("Compression", kBmpCompressionItems)},
        {.field = &S::bmpColorTable, .config = {"Output", "BMP Color Table"}, .format = "bmp",
         .vocabulary = kColorTableMode,
         .option = option("--BMP-COLOR-TABLE"), .listing = listed("BMP Color Table"),
         .preference = list("Color Table", kColorTableItems)},
        {.field = &S::exrCompression, .config = {"Output", "EXR Compression"}, .format = "exr",
         .vocabulary = kCompressionCode,
         .option = option("--EXR-COMPRESSION"), .listing = listed("EXR Compression"),
         .preference = list("Compression", kExrCompressionItems)},
        {.field = &S::jpgQuality, .config = {"Output", "JPG Quality"}, .format = "jpg",
         .option = option("--JPG-QUALITY"), .listing = listed("JPG Quality"),
         .preference = pair("Image Quality", kQualityRange)},
        {.field = &S::jpgChroma, .config = {"Output", "JPG Chroma"}, .format = "jpg", .vocabulary = kJpegChroma,
         .option = option("--JPG-CHROMA"), .listing = listed("JPG Chroma Subsampling"),
         .preference = list("Chroma Subsampling", kJpegChromaItems)},
        {.field = &S::jpgSaveAs, .config = {"Output", "JPG Save As"}, .format = "jpg", .vocabulary = kJpegSaveAs,
         .option = option("--JPG-SAVE-AS"), .listing = listed("JPG Save As"),
         .preference = list("Save As", kJpegSaveAsItems)},
        {.field = &S::pcxCompression, .config = {"Output"}, .format = "pcx",
         .preference = list("Compression", kPcxCompressionItems)},
        {.field = &S::pngCompression, .config = {"Output", "PNG Compression"}, .format = "png",
         .vocabulary = kCompressionCode,
         .option = option("--PNG-COMPRESSION"), .listing = listed("PNG Compression"),
         .preference = list("Compression", kPngCompressionItems)},
        {.field = &S::pngInterlaced, .config = {"Output", "PNG Interlaced"}, .format = "png",
         .option = option("--PNG-INTERLACED"), .listing = listed("PNG Interlaced"), .preference = check("Interlaced")},
        {.field = &S::tgaCompression, .config = {"Output", "TGA Compression"}, .format = "tga",
         .vocabulary = kCompressionCode,
         .option = option("--TGA-COMPRESSION"), .listing = listed("TGA Compression"),
         .preference = list("Compression", kTgaCompressionItems)},
        {.field = &S::tiffCompression, .config = {"Output", "TIFF Compression"}, .format = "tiff",
         .vocabulary = kCompressionCode,
         .option = option("--TIFF-COMPRESSION"), .listing = listed("TIFF Compression"),
         .preference = list("Compression", kTiffCompressionItems)},
        {.field = &S::tiffColorMode, .config = {"Output", "TIFF Color Mode"}, .format = "tiff",
         .vocabulary = kColorMode,
         .option = option("--TIFF-COLOR-MODE"), .listing = listed("TIFF Color Mode"),
         .preference = list("Color Mode", kTiffColorModeItems)},
        {.field = &S::webpQuality, .config = {"Output", "WEBP Quality"}, .format = "webp",
         .option = option("--WEBP-QUALITY"), .listing = listed("WEBP Quality"),
         .preference = pair("Image Quality", kQualityRange)},

        {.field = &S::rotateEnabled, .config = {"Transform", "Do Image Rotation"},
         .preference = check("Image Rotation")},
        {.field = &S::rotationType, .config = {"Transform", "Image Rotation Type"}, .vocabulary = kRotationType,
         .option = option("--ROTATION-TYPE"), .listing = listed("Image Rotation Type", kWhenRotating),
         .preference = list("Rotation Type", kRotationTypeItems)},
        {.field = &S::rotationAngle, .config = {"Transform", "Image Rotation"},
         .option = enabling("--ROTATION", &S::rotateEnabled), .listing = listed("Image Rotation", kWhenRotating),
         .preference = pair("Rotation Angle", kAngleRange)},
        {.field = &S::rotationBackColor, .config = {"Transform", "Image Rotation Back Color"},
         .option = option("--ROTATION-BACK-COLOR"), .listing = listed("Image Rotation Back Color", kWhenRotating),
         .preference = shown(Kind::kHexColour, "Background Color")},
        {.field = &S::resizeEnabled, .config = {"Transform", "Do Image Resize"}, .preference = check("Image Resize")},
        {.field = &S::resizeWidth, .config = {"Transform", "Image Width"},
         .option = enabling("--WIDTH", &S::resizeEnabled), .listing = listed("Width", kWhenResizing, {"Invalid width"}),
         .preference = number("Image Width", kSizeUnitItems, &S::resizeWidthUnit)},
        // The units show in the row of their size.
        {.field = &S::resizeWidthUnit, .config = {"Transform", "Image Width Unit"}, .vocabulary = kSizeUnit,
         .option = option("--WIDTH-UNIT"), .listing = continued(" ", kWhenResizing),
         .preference = list(nullptr, kSizeUnitItems)},
        {.field = &S::resizeHeight, .config = {"Transform", "Image Height"},
         .option = enabling("--HEIGHT", &S::resizeEnabled),
         .listing = listed("Height", kWhenResizing, {"Invalid height"}),
         .preference = number("Image Height", kSizeUnitItems, &S::resizeHeightUnit)},
        {.field = &S::resizeHeightUnit, .config = {"Transform", "Image Height Unit"}, .vocabulary = kSizeUnit,
         .option = option("--HEIGHT-UNIT"), .listing = continued(" ", kWhenResizing),
         .preference = list(nullptr, kSizeUnitItems)},
        {.field = &S::keepAspectRatio, .config = {"Transform", "Keep Aspect Ratio"},
         .option = option("--KEEP-ASPECT-RATIO"), .listing = listed("Keep Aspect Ratio", kWhenResizing),
         .preference = check("Keep Aspect Ratio")},
        {.field = &S::resizeType, .config = {"Transform", "Image Resize Type"}, .vocabulary = kResizeType,
         .option = option("--RESIZE-TYPE"), .listing = listed("Image Resize Type", kWhenResizing),
         .preference = list("Resize Type", kResizeTypeItems)},
        {.field = &S::resizeAlgorithm, .config = {"Transform", "Image Resize Algorithm"},
         .vocabulary = kResizeAlgorithm,
         .option = option("--RESIZE-ALGORITHM"), .listing = listed("Image Resize Algorithm", kWhenResizing),
         .preference = list("Resize Algorithm", kResizeAlgorithmItems)},
        {.field = &S::flipHorizontal, .config = {"Transform", "Do Image Flip Horizontal"},
         .option = option("--FLIP-HORIZONTAL"), .listing = listed("Flip Horizontal"),
         .preference = check("Image Flip Horizontal")},
        {.field = &S::flipVertical, .config = {"Transform", "Do Image Flip Vertical"},
         .option = option("--FLIP-VERTICAL"), .listing = listed("Flip Vertical"),
         .preference = check("Image Flip Vertical")},

        // The preferences switch the colour correction on whenever a value
        // differs from its neutral one.
        {.field = &S::adjustEnabled, .config = {"Adjustment", "Do Image Color Correction"}},
        {.field = &S::brightness, .config = {"Adjustment", "Image Brightness"},
         .option = enabling("--BRIGHTNESS", &S::adjustEnabled),
         .listing = listed("Brightness", kWhenAdjusting, {"Invalid brightness"}),
         .preference = offsetPair("Image Brightness")},
        {.field = &S::contrast, .config = {"Adjustment", "Image Contrast"},
         .option = enabling("--CONTRAST", &S::adjustEnabled),
         .listing = listed("Contrast", kWhenAdjusting, {"Invalid contrast"}),
         .preference = offsetPair("Image Contrast")},
        {.field = &S::gamma, .config = {"Adjustment", "Image Gamma"},
         .option = enabling("--GAMMA", &S::adjustEnabled),
         .listing = listed("Gamma", kWhenAdjusting, {"Invalid gamma"}),
         .preference = {.kind = Kind::kGamma, .label = "Image Gamma", .range = kGammaRange}},
        {.field = &S::invert, .config = {"Adjustment", "Image Invert"},
         .option = enabling("--INVERT", &S::adjustEnabled), .listing = listed("Invert", kWhenAdjusting),
         .preference = check("Image Invert")},
        {.field = &S::greyscale, .config = {"Adjustment", "Do Image Greyscale"},
         .option = option("--GREYSCALE"), .listing = listed("Greyscale"), .preference = check("Image Greyscale")},
        {.field = &S::thresholdEnabled, .config = {"Adjustment", "Do Image Threshold"},
         .preference = check("Image Threshold")},
        {.field = &S::threshold, .config = {"Adjustment", "Image Threshold"},
         .option = enabling("--THRESHOLD", &S::thresholdEnabled),
         .listing = listed("Image Threshold", kWhenThresholding),
         .preference = pair("Threshold Level", kThresholdRange)},
        {.field = &S::ditherEnabled, .config = {"Adjustment", "Do Image Dither"}, .preference = check("Image Dither")},
        {.field = &S::ditherAlgorithm, .config = {"Adjustment", "Image Dither Algorithm"},
         .vocabulary = kDitherAlgorithm,
         .option = enabling("--DITHER", &S::ditherEnabled),
         .listing = listed("Image Dithering Algorithm", kWhenDithering),
         .preference = list("Dither Algorithm", kDitherAlgorithmItems)},

        {.field = &S::frameType, .config = {"Frame", "Do Frame"}, .vocabulary = kFrameType,
         .listing = listed("Frame"), .preference = list("Frame Type", kFrameTypeItems)},
        {.field = &S::frameLeft, .config = {"Frame", "Solid Left"},
         .option = enabling("--FR-SOLID-LEFT", &S::frameType, kSolidFrame),
         .listing = listed("Frame left", kWhenSolidFrame),
         .preference = number("Left", kPixelsUnit)},
        {.field = &S::frameRight, .config = {"Frame", "Solid Right"},
         .option = enabling("--FR-SOLID-RIGHT", &S::frameType, kSolidFrame),
         .listing = listed("Frame right", kWhenSolidFrame),
         .preference = number("Right", kPixelsUnit)},
        {.field = &S::frameTop, .config = {"Frame", "Solid Top"},
         .option = enabling("--FR-SOLID-TOP", &S::frameType, kSolidFrame),
         .listing = listed("Frame top", kWhenSolidFrame),
         .preference = number("Top", kPixelsUnit)},
        {.field = &S::frameBottom, .config = {"Frame", "Solid Bottom"},
         .option = enabling("--FR-SOLID-BOTTOM", &S::frameType, kSolidFrame),
         .listing = listed("Frame bottom", kWhenSolidFrame),
         .preference = number("Bottom", kPixelsUnit)},
        {.field = &S::frameLeftColor, .config = {"Frame", "Solid Left Color"},
         .option = option("--FR-SOLID-LEFT-COLOR"), .listing = listed("Frame left color", kWhenSolidFrame),
         .preference = shown(Kind::kHexColour, "Left Color")},
        {.field = &S::frameRightColor, .config = {"Frame", "Solid Right Color"},
         .option = option("--FR-SOLID-RIGHT-COLOR"), .listing = listed("Frame right color", kWhenSolidFrame),
         .preference = shown(Kind::kHexColour, "Right Color")},
        {.field = &S::frameTopColor, .config = {"Frame", "Solid Top Color"},
         .option = option("--FR-SOLID-TOP-COLOR"), .listing = listed("Frame top color", kWhenSolidFrame),
         .preference = shown(Kind::kHexColour, "Top Color")},
        {.field = &S::frameBottomColor, .config = {"Frame", "Solid Bottom Color"},
         .option = option("--FR-SOLID-BOTTOM-COLOR"), .listing = listed("Frame bottom color", kWhenSolidFrame),
         .preference = shown(Kind::kHexColour, "Bottom Color")},
        // Profiles have always named the frame opacity after the watermark.
        {.field = &S::frameOpacity, .config = {"Frame", "Solid Opacity"},
         .option = {.name = "--FR-SOLID-OPACITY", .profileName = "--WM-SOLID-OPACITY"},
         .listing = listed("Frame opacity", kWhenSolidFrame),
         .preference = pair("Opacity", kOpacityRange)},

        {.field = &S::watermarkType, .config = {"Watermark", "Do Watermark"}, .vocabulary = kWatermarkType,
         .listing = listed("Watermark"), .preference = list("Watermark Type", kWatermarkTypeItems)},
        {.field = &S::wmText, .config = {"Watermark", "Text"},
         .option = enabling("--WM-TEXT", &S::watermarkType, kTextWatermark),
         .listing = listed("Watermark text", kWhenTextWatermark),
         .preference = shown(Kind::kText, "Text")},
        {.field = &S::wmFontList, .config = {"Watermark", "Fonts"}},
        {.field = &S::wmFont, .config = {"Watermark", "Font"},
         .option = option("--WM-FONT"), .listing = listed("Watermark font", kWhenTextWatermark),
         .preference = choice(Kind::kFontList, "Font", &S::wmFontList)},
        {.field = &S::wmFontSize, .config = {"Watermark", "Font Size"},
         .option = option("--WM-FONT-SIZE"), .listing = listed("Watermark font size", kWhenTextWatermark),
         .preference = number("Font Size", kPointsUnit)},
        {.field = &S::wmFontLeading, .config = {"Watermark", "Font Leading"},
         .option = option("--WM-FONT-LEADING"), .listing = listed("Watermark font leading", kWhenTextWatermark),
         .preference = number("Font Leading", kPixelsUnit)},
        {.field = &S::wmFontColorList, .config = {"Watermark", "Font Colors"}},
        {.field = &S::wmFontColor, .config = {"Watermark", "Font Color"},
         .option = option("--WM-FONT-COLOR"), .listing = listed("Watermark font color", kWhenTextWatermark),
         .preference = choice(Kind::kColourList, "Font Color", &S::wmFontColorList)},
        {.field = &S::wmFontStyle, .config = {"Watermark", "Font Style"}, .vocabulary = kFontStyle,
         .option = option("--WM-FONT-STYLE"), .listing = listed("Watermark font style", kWhenTextWatermark),
         .preference = list("Font Style", kFontStyleItems)},
        {.field = &S::wmFontEffect, .config = {"Watermark", "Font Effect"}, .vocabulary = kFontEffect,
         .option = option("--WM-FONT-EFFECT"), .listing = listed("Watermark font effect", kWhenTextWatermark),
         .preference = list("Font Effect", kFontEffectItems)},
        {.field = &S::wmTextAntialiasing, .config = {"Watermark", "Text Antialiasing"},
         .option = option("--WM-TEXT-ANTIALIASING"),
         .listing = listed("Watermark text antialiasing", kWhenTextWatermark),
         .preference = check("Antialiasing")},
        {.field = &S::wmTextAlignment, .config = {"Watermark", "Text Alignment"}, .vocabulary = kTextAlignment,
         .option = option("--WM-TEXT-ALIGNMENT"), .listing = listed("Watermark text alignment", kWhenTextWatermark),
         .preference = list("Text Alignment", kTextAlignmentItems)},
        {.field = &S::wmTextPadding, .config = {"Watermark", "Text Padding"},
         .option = option("--WM-TEXT-PADDING"), .listing = listed("Watermark text padding", kWhenTextWatermark),
         .preference = number("Text Padding", kPixelsUnit)},
        {.field = &S::wmTextOpacity, .config = {"Watermark", "Text Opacity"},
         .option = option("--WM-TEXT-OPACITY"), .listing = listed("Watermark text opacity", kWhenTextWatermark),
         .preference = pair("Text Opacity", kOpacityRange)},
        {.field = &S::wmBackColorList, .config = {"Watermark", "Back Colors"}},
        {.field = &S::wmBackColor, .config = {"Watermark", "Back Color"},
         .option = option("--WM-BACK-COLOR"), .listing = listed("Watermark background color", kWhenTextWatermark),
         .preference = choice(Kind::kColourList, "Background Color", &S::wmBackColorList)},
        {.field = &S::wmBackOpacity, .config = {"Watermark", "Back Opacity"},
         .option = option("--WM-BACK-OPACITY"), .listing = listed("Watermark background opacity", kWhenTextWatermark),
         .preference = pair("Background Opacity", kOpacityRange)},
        {.field = &S::wmTextBoundary, .config = {"Watermark", "Text Boundary"}, .vocabulary = kPlacementBoundary,
         .option = option("--WM-TEXT-BOUNDARY"), .listing = listed("Watermark boundary", kWhenTextWatermark),
         .preference = list("Boundary", kBoundaryItems)},
        {.field = &S::wmTextPosition, .config = {"Watermark", "Text Position"}, .vocabulary = kPlacementPosition,
         .option = option("--WM-TEXT-POSITION"), .listing = listed("Watermark position", kWhenTextWatermark),
         .preference = list("Position", kPositionItems)},
        {.field = &S::wmTextXOffset, .config = {"Watermark", "Text X Offset"},
         .option = option("--WM-TEXT-X-OFFSET"), .listing = listed("Watermark offset (x/y)", kWhenTextWatermark),
         .preference = number("X-Offset", kPixelsUnit)},
        {.field = &S::wmTextYOffset, .config = {"Watermark", "Text Y Offset"},
         .option = option("--WM-TEXT-Y-OFFSET"), .listing = continued("/", kWhenTextWatermark),
         .preference = number("Y-Offset", kPixelsUnit)},
        {.field = &S::wmTextRotation, .config = {"Watermark", "Text Rotation"},
         .option = option("--WM-TEXT-ROTATION"), .listing = listed("Watermark rotation", kWhenTextWatermark),
         .preference = pair("Rotation Angle", kAngleRange)},
        // The font is checked with the whole text watermark, so its error
        // follows the watermark's last line.
        {.field = &S::wmTextSize, .config = {"Watermark", "Text Size"}, .vocabulary = kWatermarkSize,
         .option = option("--WM-TEXT-SIZE"),
         .listing = listed("Watermark size/mode", kWhenTextWatermark, {"Invalid watermark font"}),
         .preference = list("Size", kWatermarkSizeItems)},
        {.field = &S::wmTextScale, .config = {"Watermark", "Text Scale"}, .preference = pair("Scale", kScaleRange)},
        {.field = &S::wmImage, .config = {"Watermark", "Image"},
         .option = enabling("--WM-IMAGE", &S::watermarkType, kPictureWatermark),
         .listing = listed("Watermark image", kWhenPictureWatermark),
         .preference = shown(Kind::kPicture, "Image")},
        {.field = &S::wmImageGreyscale, .config = {"Watermark", "Image Greyscale"},
         .option = option("--WM-IMAGE-GREYSCALE"), .listing = listed("Watermark greyscale", kWhenPictureWatermark),
         .preference = check("Image Greyscale")},
        {.field = &S::wmImageOpacity, .config = {"Watermark", "Image Opacity"},
         .option = option("--WM-IMAGE-OPACITY"), .listing = listed("Watermark opacity", kWhenPictureWatermark),
         .preference = pair("Opacity", kOpacityRange)},
        {.field = &S::wmImageBoundary, .config = {"Watermark", "Image Boundary"}, .vocabulary = kPlacementBoundary,
         .option = option("--WM-IMAGE-BOUNDARY"), .listing = listed("Watermark boundary", kWhenPictureWatermark),
         .preference = list("Boundary", kBoundaryItems)},
        {.field = &S::wmImagePosition, .config = {"Watermark", "Image Position"}, .vocabulary = kPlacementPosition,
         .option = option("--WM-IMAGE-POSITION"), .listing = listed("Watermark position", kWhenPictureWatermark),
         .preference = list("Position", kPositionItems)},
        {.field = &S::wmImageXOffset, .config = {"Watermark", "Image X Offset"},
         .option = option("--WM-IMAGE-X-OFFSET"), .listing = listed("Watermark offset (x/y)", kWhenPictureWatermark),
         .preference = number("X-Offset", kPixelsUnit)},
        {.field = &S::wmImageYOffset, .config = {"Watermark", "Image Y Offset"},
         .option = option("--WM-IMAGE-Y-OFFSET"), .listing = continued("/", kWhenPictureWatermark),
         .preference = number("Y-Offset", kPixelsUnit)},
        {.field = &S::wmImageRotation, .config = {"Watermark", "Image Rotation"},
         .option = option("--WM-IMAGE-ROTATION"), .listing = listed("Watermark rotation", kWhenPictureWatermark),
         .preference = pair("Rotation Angle", kAngleRange)},
        // The same for the picture.
        {.field = &S::wmImageSize, .config = {"Watermark", "Image Size"}, .vocabulary = kWatermarkSize,
         .option = option("--WM-IMAGE-SIZE"),
         .listing = listed("Watermark size/mode", kWhenPictureWatermark,
                           {"Empty watermark image", "Invalid watermark image"}),
         .preference = list("Size", kWatermarkSizeItems)},
        {.field = &S::wmImageScale, .config = {"Watermark", "Image Scale"}, .preference = pair("Scale", kScaleRange)},

        {.field = &S::filenameMask, .config = {"Advanced", "Filename Mask"},
         .option = {.name = "--FILENAME-MASK", .profileRemovesQuotes = true}, .listing = listed("Filename Mask"),
         .preference = shown(Kind::kText, "Filename Mask")},
        {.field = &S::fileTimestamp, .config = {"Advanced", "File Timestamp"}, .vocabulary = kFileTimestampMode,
         .option = option("--FILE-TIMESTAMP"), .listing = listed("File Timestamp"),
         .preference = list("File Timestamp", kFileTimestampItems)},
        {.field = &S::customTimestamp, .config = {"Advanced", "Custom Timestamp"},
         .option = option("--FILE-TIMESTAMP-CUSTOM"), .listing = listed("Custom Timestamp", kWhenCustomTimestamp),
         .preference = shown(Kind::kDate, "Custom Timestamp")},
        {.field = &S::outFoldersHistory, .config = {"Advanced", "Out Folders History"},
         .preference = list("Out Folders History", kFoldersHistoryItems)},
        {.field = &S::outFoldersNumber, .config = {"Advanced", "Out Folders Number"},
         .preference = pair("Out Folders Number", kFoldersNumberRange)},
        {.field = &S::keepSubfolders, .config = {"Advanced", "Keep Subfolders"},
         .option = {.name = "--NO-SUBFOLDERS", .switchesOff = true}, .listing = listed("Keep Subfolders")},
        {.field = &S::photoCdDecoder, .config = {"Advanced", "PhotoCD Decoder"}, .vocabulary = kPhotoCdDecoderChoice,
         .option = option("--DECODER"), .listing = listed("PhotoCD Decoder"),
         .preference = list("PhotoCD Decoder", kPhotoCdDecoderItems)},
        {.field = &S::recentOutFolders, .config = {"File", "Recent Out Folders"}},
        {.field = &S::recentFiles, .config = {"File", "Recent Files"}},
        {.field = &S::cleanRecentFiles, .config = {"Privacy", "Clean Recent Files"}},
    };
    return rows;
}
// clang-format on

}  // namespace

std::span<const SettingRow> settingRows()
{
    return table();
}

const SettingRow* findSettingRow(const SettingField& field)
{
    for (const SettingRow& row : table())
        if (row.field == field)
            return &row;
    return nullptr;
}

bool isOptionOf(const SettingRow& row, FormatSide side, std::string_view format)
{
    const std::string_view group = side == FormatSide::kInput ? "Input" : "Output";
    return row.format && row.config.group && row.format == format && row.config.group == group;
}

const SettingRow* bitDepthRowOf(std::string_view extension)
{
    for (const SettingRow& row : table())
        if (row.preference.kind == PreferenceKind::kBitDepth && isOptionOf(row, FormatSide::kOutput, extension))
            return &row;
    return nullptr;
}

int32_t bitDepthSettingFor(const ConversionSettings& settings, std::string_view extension)
{
    const SettingRow* row = bitDepthRowOf(extension);
    return row ? settingNumber(settings, row->field) : 0;
}

int32_t settingNumber(const ConversionSettings& settings, const SettingField& field)
{
    if (const auto* number = std::get_if<int32_t S::*>(&field))
        return settings.*(*number);
    if (const auto* byte = std::get_if<int8_t S::*>(&field))
        return settings.*(*byte);
    return 0;
}

void setSettingNumber(ConversionSettings& settings, const SettingField& field, int32_t value)
{
    if (const auto* number = std::get_if<int32_t S::*>(&field))
        settings.*(*number) = value;
    else if (const auto* byte = std::get_if<int8_t S::*>(&field))
        settings.*(*byte) = static_cast<int8_t>(value);
}

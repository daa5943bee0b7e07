#include "gui/preference_controls.h"

#include <algorithm>

#include "formats/format_lists.h"
#include "formats/format_registry.h"
#include "gui/colour_names.h"
#include "gui/preference_lists.h"
#include "gui/preference_rules.h"
#include "platform/text.h"
#include "settings/configuration.h"
#include "settings/number_text.h"

namespace {

using S = ConversionSettings;

// Every output format whose bit depth the settings keep, with that setting.
const std::vector<std::pair<const char*, int32_t S::*>> kBitDepthSettings = {
    {"bmp", &S::bmpBpp},   {"dds", &S::ddsBpp},   {"exr", &S::exrBpp}, {"gif", &S::gifBpp}, {"hdr", &S::hdrBpp},
    {"ico", &S::icoBpp},   {"j2k", &S::j2kBpp},   {"jng", &S::jngBpp}, {"jp2", &S::jp2Bpp}, {"jpg", &S::jpgBpp},
    {"jxr", &S::jxrBpp},   {"pbm", &S::pbmBpp},   {"pcx", &S::pcxBpp}, {"pfm", &S::pfmBpp}, {"pgm", &S::pgmBpp},
    {"png", &S::pngBpp},   {"ppm", &S::ppmBpp},   {"psd", &S::psdBpp}, {"tga", &S::tgaBpp}, {"tiff", &S::tiffBpp},
    {"wbmp", &S::wbmpBpp}, {"webp", &S::webpBpp}, {"xpm", &S::xpmBpp},
};

// The position a list shows for a stored code: none when the code has no item.
int listPosition(int code, const ItemKeys& items)
{
    return code >= 0 && code < static_cast<int>(items.size()) ? code : -1;
}

int pairValue(int value, PairRange range)
{
    return std::clamp(value, range.minimum, range.maximum);
}

std::string numberText(int32_t value)
{
    return std::to_string(value);
}

int8_t flag(bool on)
{
    return on ? 1 : 0;
}

template <typename Field>
void storeList(int selected, Field& field)
{
    field = static_cast<Field>(selected);
}

std::vector<int> allowedDepths(const std::string& format)
{
    std::vector<int> depths;
    const std::string list = outputFormatInfo(format).allowedBpp;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = std::min(list.find(',', start), list.size());
        const std::string entry = trimBlanks(std::string_view(list).substr(start, end - start));
        if (!entry.empty())
            depths.push_back(parseInteger(entry));
        start = end + 1;
    }
    return depths;
}

BitDepthChoice bitDepthChoice(const std::string& format, int32_t stored)
{
    BitDepthChoice choice;
    choice.depths = allowedDepths(format);
    if (stored == 0)
        return choice;
    const auto found = std::find(choice.depths.begin(), choice.depths.end(), stored);
    choice.selected = found == choice.depths.end() ? -1 : static_cast<int>(found - choice.depths.begin()) + 1;
    return choice;
}

// "Auto" and a depth the format does not offer both store 0, automatic.
int32_t bitDepthValue(const BitDepthChoice& choice)
{
    if (choice.selected < 1 || choice.selected > static_cast<int>(choice.depths.size()))
        return 0;
    return choice.depths[choice.selected - 1];
}

std::vector<std::string> nonEmpty(const std::vector<std::string>& formats)
{
    std::vector<std::string> kept;
    for (const std::string& format : formats)
        if (!format.empty())
            kept.push_back(format);
    return kept;
}

// The stored entry, or the first when the stored one is not offered.
int formatPosition(const std::vector<std::string>& formats, const std::string& stored)
{
    if (formats.empty())
        return -1;
    const auto found = std::find(formats.begin(), formats.end(), stored);
    return found == formats.end() ? 0 : static_cast<int>(found - formats.begin());
}

void storeFormat(const std::vector<std::string>& formats, int selected, std::string& setting)
{
    if (selected >= 0 && selected < static_cast<int>(formats.size()))
        setting = formats[selected];
}

// Themes in key order regardless of case; a package without a display name
// is left out, and "None" stands in when nothing is left.
std::vector<ThemeItem> themeItems(const std::vector<std::pair<std::string, std::string>>& themes)
{
    std::vector<ThemeItem> items;
    for (const auto& [key, name] : themes)
        if (!name.empty())
            items.push_back({key, name});
    std::stable_sort(items.begin(), items.end(),
                     [](const ThemeItem& a, const ThemeItem& b) { return toLowerAscii(a.key) < toLowerAscii(b.key); });
    if (items.empty())
        items.push_back({"", "None"});
    return items;
}

int themePosition(const std::vector<ThemeItem>& items, const std::string& key)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].key == key)
            return static_cast<int>(i);
    return 0;
}

std::string selectedThemeKey(const PreferenceControls& c)
{
    if (c.theme < 0 || c.theme >= static_cast<int>(c.themes.size()))
        return "";
    return c.themes[c.theme].key;
}

FontChoice fontChoice(const std::string& list, const std::string& font)
{
    FontChoice choice;
    const std::string entries = trimBlanks(list).empty() ? font : list;
    size_t start = 0;
    while (start <= entries.size()) {
        size_t end = std::min(entries.find(',', start), entries.size());
        const std::string name = trimBlanks(std::string_view(entries).substr(start, end - start));
        if (!name.empty() && std::find(choice.names.begin(), choice.names.end(), name) == choice.names.end())
            choice.names.push_back(name);
        start = end + 1;
    }
    const auto found = std::find(choice.names.begin(), choice.names.end(), font);
    choice.selected = found == choice.names.end() ? -1 : static_cast<int>(found - choice.names.begin());
    return choice;
}

ColourChoice colourChoice(const std::string& list, const std::string& colour)
{
    ColourChoice choice;
    choice.colours = colourListEntries(list);
    if (isHexColor(trimBlanks(colour))) {
        const auto found = std::find(choice.colours.begin(), choice.colours.end(), normalisedHexColor(colour));
        if (found != choice.colours.end())
            choice.selected = static_cast<int>(found - choice.colours.begin());
    }
    return choice;
}

// A list without a selection keeps the colour or font the settings hold.
void storeChoice(const std::vector<std::string>& entries, int selected, std::string& setting)
{
    if (selected >= 0 && selected < static_cast<int>(entries.size()))
        setting = entries[selected];
}

}  // namespace

InterfaceRefresh interfaceRefreshBetween(const std::string& oldTheme, int oldSize, const std::string& newTheme,
                                         int newSize)
{
    if (oldTheme != newTheme)
        return kRefreshTheme;
    if (oldSize != newSize)
        return kRefreshIconSize;
    return kRefreshNothing;
}

PreferenceControls loadPreferenceControls(const ConversionSettings& s,
                                          const std::vector<std::pair<std::string, std::string>>& themes)
{
    PreferenceControls c;
    c.updateRange = listPosition(s.updateRange, kUpdateRangeItems);
    c.saveWindowPosition = s.saveWindowPosition;

    c.themes = themeItems(themes);
    c.theme = themePosition(c.themes, s.uiTheme);
    c.uiSize = listPosition(s.uiSize, kIconSizeItems);

    c.inputFormats = nonEmpty(inputFormats);
    c.inputFormat = formatPosition(c.inputFormats, s.inputGroup);
    c.ddsLoadAs = listPosition(s.ddsLoadAs, kDdsLoadAsItems);
    c.gifFrameLoading = listPosition(s.gifFrameLoading, kFrameLoadingItems);
    c.icoFrameLoading = listPosition(s.icoFrameLoading, kFrameLoadingItems);
    c.tiffFrameLoading = listPosition(s.tiffFrameLoading, kFrameLoadingItems);
    c.psdColorMode = listPosition(s.psdColorMode, kPsdColorModeItems);
    c.rawLoadAs = listPosition(s.rawLoadAs, kRawLoadAsItems);
    c.rawHeaderSize = numberText(s.rawHeaderSize);
    c.rawWidth = numberText(s.rawWidth);
    c.rawHeight = numberText(s.rawHeight);
    c.rawToneMapping = listPosition(s.rawToneMapping, kToneMappingItems);

    c.outputFormats = nonEmpty(outputFormats);
    c.outputFormat = formatPosition(c.outputFormats, s.outputFormat);
    for (const auto& [format, field] : kBitDepthSettings)
        c.bitDepths[format] = bitDepthChoice(format, s.*field);
    c.bmpCompression = listPosition(s.bmpCompression, kBmpCompressionItems);
    c.bmpColorTable = listPosition(s.bmpColorTable, kColorTableItems);
    c.exrCompression = listPosition(s.exrCompression, kExrCompressionItems);
    c.jpgQuality = pairValue(s.jpgQuality, kQualityRange);
    c.jpgChroma = listPosition(s.jpgChroma, kJpegChromaItems);
    c.jpgSaveAs = listPosition(s.jpgSaveAs, kJpegSaveAsItems);
    c.pcxCompression = 0;
    c.pngCompression = listPosition(s.pngCompression, kPngCompressionItems);
    c.pngInterlaced = s.pngInterlaced;
    c.tgaCompression = listPosition(s.tgaCompression, kTgaCompressionItems);
    c.tiffCompression = listPosition(s.tiffCompression, kTiffCompressionItems);
    c.tiffColorMode = listPosition(s.tiffColorMode, kTiffColorModeItems);
    c.webpQuality = pairValue(s.webpQuality, kQualityRange);

    c.rotateEnabled = s.rotateEnabled;
    c.rotationType = listPosition(s.rotationType, kRotationTypeItems);
    c.rotationAngle = pairValue(s.rotationAngle, kAngleRange);
    c.rotationBackColor = s.rotationBackColor;
    c.resizeEnabled = s.resizeEnabled;
    c.resizeWidth = numberText(s.resizeWidth);
    c.resizeWidthUnit = listPosition(s.resizeWidthUnit, kSizeUnitItems);
    c.resizeHeight = numberText(s.resizeHeight);
    c.resizeHeightUnit = listPosition(s.resizeHeightUnit, kSizeUnitItems);
    c.keepAspectRatio = s.keepAspectRatio;
    c.resizeType = listPosition(s.resizeType, kResizeTypeItems);
    c.resizeAlgorithm = listPosition(s.resizeAlgorithm, kResizeAlgorithmItems);
    c.flipHorizontal = s.flipHorizontal;
    c.flipVertical = s.flipVertical;

    c.brightness = pairValue(s.brightness, kBrightnessRange);
    c.contrast = pairValue(s.contrast, kBrightnessRange);
    c.gamma = gammaHundredths(s.gamma);
    c.invert = s.invert;
    c.greyscale = s.greyscale;
    c.thresholdEnabled = s.thresholdEnabled;
    c.threshold = pairValue(s.threshold, kThresholdRange);
    c.ditherEnabled = s.ditherEnabled;
    c.ditherAlgorithm = listPosition(s.ditherAlgorithm, kDitherAlgorithmItems);

    c.frameType = listPosition(s.frameType, kFrameTypeItems);
    c.frameLeft = numberText(s.frameLeft);
    c.frameRight = numberText(s.frameRight);
    c.frameTop = numberText(s.frameTop);
    c.frameBottom = numberText(s.frameBottom);
    c.frameLeftColor = s.frameLeftColor;
    c.frameRightColor = s.frameRightColor;
    c.frameTopColor = s.frameTopColor;
    c.frameBottomColor = s.frameBottomColor;
    c.frameOpacity = pairValue(s.frameOpacity, kOpacityRange);

    c.watermarkType = listPosition(s.watermarkType, kWatermarkTypeItems);
    c.wmText = s.wmText;
    c.wmFont = fontChoice(s.wmFontList, s.wmFont);
    c.wmFontSize = numberText(s.wmFontSize);
    c.wmFontLeading = numberText(s.wmFontLeading);
    c.wmFontColor = colourChoice(s.wmFontColorList, s.wmFontColor);
    c.wmFontStyle = listPosition(s.wmFontStyle, kFontStyleItems);
    c.wmFontEffect = listPosition(s.wmFontEffect, kFontEffectItems);
    c.wmTextAntialiasing = s.wmTextAntialiasing;
    c.wmTextAlignment = listPosition(s.wmTextAlignment, kTextAlignmentItems);
    c.wmTextPadding = numberText(s.wmTextPadding);
    c.wmTextOpacity = pairValue(s.wmTextOpacity, kOpacityRange);
    c.wmBackColor = colourChoice(s.wmBackColorList, s.wmBackColor);
    c.wmBackOpacity = pairValue(s.wmBackOpacity, kOpacityRange);
    c.wmTextBoundary = listPosition(s.wmTextBoundary, kBoundaryItems);
    c.wmTextPosition = listPosition(s.wmTextPosition, kPositionItems);
    c.wmTextXOffset = numberText(s.wmTextXOffset);
    c.wmTextYOffset = numberText(s.wmTextYOffset);
    c.wmTextRotation = pairValue(s.wmTextRotation, kAngleRange);
    c.wmTextSize = listPosition(s.wmTextSize, kWatermarkSizeItems);
    c.wmTextScale = pairValue(s.wmTextScale, kScaleRange);
    c.wmImage = s.wmImage;
    c.wmImageGreyscale = s.wmImageGreyscale;
    c.wmImageOpacity = pairValue(s.wmImageOpacity, kOpacityRange);
    c.wmImageBoundary = listPosition(s.wmImageBoundary, kBoundaryItems);
    c.wmImagePosition = listPosition(s.wmImagePosition, kPositionItems);
    c.wmImageXOffset = numberText(s.wmImageXOffset);
    c.wmImageYOffset = numberText(s.wmImageYOffset);
    c.wmImageRotation = pairValue(s.wmImageRotation, kAngleRange);
    c.wmImageSize = listPosition(s.wmImageSize, kWatermarkSizeItems);
    c.wmImageScale = pairValue(s.wmImageScale, kScaleRange);

    c.filenameMask = s.filenameMask;
    c.fileTimestamp = listPosition(s.fileTimestamp, kFileTimestampItems);
    c.customTimestamp = s.customTimestamp;
    c.outFoldersHistory = listPosition(s.outFoldersHistory, kFoldersHistoryItems);
    c.outFoldersNumber = pairValue(s.outFoldersNumber, kFoldersNumberRange);
    return c;
}

InterfaceRefresh storePreferenceControls(const PreferenceControls& c, ConversionSettings& s)
{
    const InterfaceRefresh refresh = interfaceRefreshBetween(s.uiTheme, s.uiSize, selectedThemeKey(c), c.uiSize);

    s.language = "en";
    storeList(c.updateRange, s.updateRange);
    s.saveWindowPosition = flag(c.saveWindowPosition);

    s.uiTheme = selectedThemeKey(c);
    storeList(c.uiSize, s.uiSize);

    storeFormat(c.inputFormats, c.inputFormat, s.inputGroup);
    storeList(c.ddsLoadAs, s.ddsLoadAs);
    storeList(c.gifFrameLoading, s.gifFrameLoading);
    storeList(c.icoFrameLoading, s.icoFrameLoading);
    storeList(c.tiffFrameLoading, s.tiffFrameLoading);
    storeList(c.psdColorMode, s.psdColorMode);
    storeList(c.rawLoadAs, s.rawLoadAs);
    s.rawHeaderSize = numberFieldValue(c.rawHeaderSize);
    s.rawWidth = numberFieldValue(c.rawWidth);
    s.rawHeight = numberFieldValue(c.rawHeight);
    storeList(c.rawToneMapping, s.rawToneMapping);

    storeFormat(c.outputFormats, c.outputFormat, s.outputFormat);
    for (const auto& [format, field] : kBitDepthSettings) {
        const auto choice = c.bitDepths.find(format);
        if (choice != c.bitDepths.end())
            s.*field = bitDepthValue(choice->second);
    }
    storeList(c.bmpCompression, s.bmpCompression);
    storeList(c.bmpColorTable, s.bmpColorTable);
    storeList(c.exrCompression, s.exrCompression);
    s.jpgQuality = pairValue(c.jpgQuality, kQualityRange);
    storeList(c.jpgChroma, s.jpgChroma);
    storeList(c.jpgSaveAs, s.jpgSaveAs);
    storeList(c.pngCompression, s.pngCompression);
    s.pngInterlaced = flag(c.pngInterlaced);
    storeList(c.tgaCompression, s.tgaCompression);
    storeList(c.tiffCompression, s.tiffCompression);
    storeList(c.tiffColorMode, s.tiffColorMode);
    s.webpQuality = pairValue(c.webpQuality, kQualityRange);

    s.rotateEnabled = flag(c.rotateEnabled);
    storeList(c.rotationType, s.rotationType);
    s.rotationAngle = pairValue(c.rotationAngle, kAngleRange);
    s.rotationBackColor = normalisedHexColor(c.rotationBackColor);
    s.resizeEnabled = flag(c.resizeEnabled);
    s.resizeWidth = numberFieldValue(c.resizeWidth);
    storeList(c.resizeWidthUnit, s.resizeWidthUnit);
    s.resizeHeight = numberFieldValue(c.resizeHeight);
    storeList(c.resizeHeightUnit, s.resizeHeightUnit);
    s.keepAspectRatio = flag(c.keepAspectRatio);
    storeList(c.resizeType, s.resizeType);
    storeList(c.resizeAlgorithm, s.resizeAlgorithm);
    s.flipHorizontal = flag(c.flipHorizontal);
    s.flipVertical = flag(c.flipVertical);

    s.brightness = pairValue(c.brightness, kBrightnessRange);
    s.contrast = pairValue(c.contrast, kBrightnessRange);
    const int gamma = pairValue(c.gamma, kGammaRange);
    s.gamma = static_cast<float>(gamma) / 100.0f;
    s.invert = flag(c.invert);
    s.adjustEnabled = flag(s.brightness != 0 || s.contrast != 0 || gamma != 100 || c.invert);
    s.greyscale = flag(c.greyscale);
    s.thresholdEnabled = flag(c.thresholdEnabled);
    s.threshold = pairValue(c.threshold, kThresholdRange);
    s.ditherEnabled = flag(c.ditherEnabled);
    storeList(c.ditherAlgorithm, s.ditherAlgorithm);

    storeList(c.frameType, s.frameType);
    s.frameLeft = numberFieldValue(c.frameLeft);
    s.frameRight = numberFieldValue(c.frameRight);
    s.frameTop = numberFieldValue(c.frameTop);
    s.frameBottom = numberFieldValue(c.frameBottom);
    s.frameLeftColor = normalisedHexColor(c.frameLeftColor);
    s.frameRightColor = normalisedHexColor(c.frameRightColor);
    s.frameTopColor = normalisedHexColor(c.frameTopColor);
    s.frameBottomColor = normalisedHexColor(c.frameBottomColor);
    s.frameOpacity = pairValue(c.frameOpacity, kOpacityRange);

    storeList(c.watermarkType, s.watermarkType);
    s.wmText = cleanedFieldText(c.wmText);
    storeChoice(c.wmFont.names, c.wmFont.selected, s.wmFont);
    s.wmFontSize = numberFieldValue(c.wmFontSize);
    s.wmFontLeading = numberFieldValue(c.wmFontLeading);
    storeChoice(c.wmFontColor.colours, c.wmFontColor.selected, s.wmFontColor);
    storeList(c.wmFontStyle, s.wmFontStyle);
    storeList(c.wmFontEffect, s.wmFontEffect);
    s.wmTextAntialiasing = flag(c.wmTextAntialiasing);
    storeList(c.wmTextAlignment, s.wmTextAlignment);
    s.wmTextPadding = numberFieldValue(c.wmTextPadding);
    s.wmTextOpacity = pairValue(c.wmTextOpacity, kOpacityRange);
    storeChoice(c.wmBackColor.colours, c.wmBackColor.selected, s.wmBackColor);
    s.wmBackOpacity = pairValue(c.wmBackOpacity, kOpacityRange);
    storeList(c.wmTextBoundary, s.wmTextBoundary);
    storeList(c.wmTextPosition, s.wmTextPosition);
    s.wmTextXOffset = numberFieldValue(c.wmTextXOffset);
    s.wmTextYOffset = numberFieldValue(c.wmTextYOffset);
    s.wmTextRotation = pairValue(c.wmTextRotation, kAngleRange);
    storeList(c.wmTextSize, s.wmTextSize);
    s.wmTextScale = pairValue(c.wmTextScale, kScaleRange);
    s.wmImage = cleanedFieldText(c.wmImage);
    s.wmImageGreyscale = flag(c.wmImageGreyscale);
    s.wmImageOpacity = pairValue(c.wmImageOpacity, kOpacityRange);
    storeList(c.wmImageBoundary, s.wmImageBoundary);
    storeList(c.wmImagePosition, s.wmImagePosition);
    s.wmImageXOffset = numberFieldValue(c.wmImageXOffset);
    s.wmImageYOffset = numberFieldValue(c.wmImageYOffset);
    s.wmImageRotation = pairValue(c.wmImageRotation, kAngleRange);
    storeList(c.wmImageSize, s.wmImageSize);
    s.wmImageScale = pairValue(c.wmImageScale, kScaleRange);

    s.filenameMask = cleanedFieldText(c.filenameMask);
    storeList(c.fileTimestamp, s.fileTimestamp);
    s.customTimestamp = c.customTimestamp;
    storeList(c.outFoldersHistory, s.outFoldersHistory);
    s.outFoldersNumber = static_cast<int8_t>(pairValue(c.outFoldersNumber, kFoldersNumberRange));
    return refresh;
}

InterfaceRefresh applyPreferences(const PreferenceControls& controls)
{
    const InterfaceRefresh refresh = storePreferenceControls(controls, g_settings);
    saveConfiguration();
    return refresh;
}

// The main window shows the theme and icon size the settings held before the
// reset, so that is what the reset is measured against.
InterfaceRefresh applyDefaultPreferences(DesktopSize desktop)
{
    const std::string oldTheme = g_settings.uiTheme;
    const int oldSize = g_settings.uiSize;
    resetSettings(false, desktop);
    saveConfiguration();
    return interfaceRefreshBetween(oldTheme, oldSize, g_settings.uiTheme, g_settings.uiSize);
}

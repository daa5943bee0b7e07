#include "settings/configuration.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "formats/format_lists.h"
#include "platform/atomic_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"
#include "settings/number_text.h"
#include "settings/preference_file.h"
#include "settings/preference_writer.h"
#include "settings/vocabularies.h"

namespace {

using S = ConversionSettings;
using SettingField = std::variant<int32_t S::*, int8_t S::*, float S::*, std::string S::*>;

// One key of config.ini. Keys with a format are that format's options; they
// are read always but written only while the format is offered.
struct ConfigKey {
    const char* group;
    const char* key;
    SettingField field;
    const char* format = nullptr;
};

// A config.ini that exists but could not be read (no permission, not a
// regular file, a failing disk): nothing is saved over it.
std::string g_unreadablePath;

// The layout this program writes; older files are upgraded after loading.
constexpr int32_t kLayoutVersion = 19;

// Groups and keys in the order they are written.
const std::vector<ConfigKey> kConfigKeys = {
    {"General", "CFG", &S::configVersion},
    {"General", "Language", &S::language},
    {"General", "Update Range", &S::updateRange},
    {"General", "Update Date", &S::updateDate},
    {"General", "Save Window Position", &S::saveWindowPosition},
    {"Window", "IsMaximized", &S::windowMaximized},
    {"Window", "Width", &S::windowWidth},
    {"Window", "Height", &S::windowHeight},
    {"Window", "X", &S::windowX},
    {"Window", "Y", &S::windowY},
    {"Interface", "UI Theme", &S::uiTheme},
    {"Interface", "UI Size", &S::uiSize},
    {"Input", "Format", &S::inputGroup},
    {"Input", "DDS Load As", &S::ddsLoadAs, "dds"},
    {"Input", "GIF Frame Loading", &S::gifFrameLoading, "gif"},
    {"Input", "ICO Frame Loading", &S::icoFrameLoading, "ico"},
    {"Input", "TIFF Frame Loading", &S::tiffFrameLoading, "tiff"},
    {"Input", "PSD Color Mode", &S::psdColorMode, "psd"},
    {"Input", "RAW Load As", &S::rawLoadAs, "raw"},
    {"Input", "RAW Header Size", &S::rawHeaderSize, "raw"},
    {"Input", "RAW Image Width", &S::rawWidth, "raw"},
    {"Input", "RAW Image Height", &S::rawHeight, "raw"},
    {"Input", "RAW Tone Mapping", &S::rawToneMapping, "raw"},
    {"Output", "Format", &S::outputFormat},
    {"Output", "BMP BPP", &S::bmpBpp, "bmp"},
    {"Output", "BMP Compression", &S::bmpCompression, "bmp"},
    {"Output", "BMP Color Table", &S::bmpColorTable, "bmp"},
    {"Output", "DDS BPP", &S::ddsBpp, "dds"},
    {"Output", "EXR BPP", &S::exrBpp, "exr"},
    {"Output", "EXR Compression", &S::exrCompression, "exr"},
    {"Output", "GIF BPP", &S::gifBpp, "gif"},
    {"Output", "HDR BPP", &S::hdrBpp, "hdr"},
    {"Output", "ICO BPP", &S::icoBpp, "ico"},
    {"Output", "J2K BPP", &S::j2kBpp, "j2k"},
    {"Output", "JNG BPP", &S::jngBpp, "jng"},
    {"Output", "JP2 BPP", &S::jp2Bpp, "jp2"},
    {"Output", "JPG BPP", &S::jpgBpp, "jpg"},
    {"Output", "JPG Quality", &S::jpgQuality, "jpg"},
    {"Output", "JPG Chroma", &S::jpgChroma, "jpg"},
    {"Output", "JPG Save As", &S::jpgSaveAs, "jpg"},
    {"Output", "JXR BPP", &S::jxrBpp, "jxr"},
    {"Output", "PBM BPP", &S::pbmBpp, "pbm"},
    {"Output", "PCX BPP", &S::pcxBpp, "pcx"},
    {"Output", "PFM BPP", &S::pfmBpp, "pfm"},
    {"Output", "PGM BPP", &S::pgmBpp, "pgm"},
    {"Output", "PNG BPP", &S::pngBpp, "png"},
    {"Output", "PNG Compression", &S::pngCompression, "png"},
    {"Output", "PNG Interlaced", &S::pngInterlaced, "png"},
    {"Output", "PPM BPP", &S::ppmBpp, "ppm"},
    {"Output", "PSD BPP", &S::psdBpp, "psd"},
    {"Output", "TGA BPP", &S::tgaBpp, "tga"},
    {"Output", "TGA Compression", &S::tgaCompression, "tga"},
    {"Output", "TIFF BPP", &S::tiffBpp, "tiff"},
    {"Output", "TIFF Compression", &S::tiffCompression, "tiff"},
    {"Output", "TIFF Color Mode", &S::tiffColorMode, "tiff"},
    {"Output", "WBMP BPP", &S::wbmpBpp, "wbmp"},
    {"Output", "WEBP BPP", &S::webpBpp, "webp"},
    {"Output", "WEBP Quality", &S::webpQuality, "webp"},
    {"Output", "XPM BPP", &S::xpmBpp, "xpm"},
    {"Transform", "Do Image Rotation", &S::rotateEnabled},
    {"Transform", "Image Rotation Type", &S::rotationType},
    {"Transform", "Image Rotation", &S::rotationAngle},
    {"Transform", "Image Rotation Back Color", &S::rotationBackColor},
    {"Transform", "Do Image Resize", &S::resizeEnabled},
    {"Transform", "Image Width", &S::resizeWidth},
    {"Transform", "Image Width Unit", &S::resizeWidthUnit},
    {"Transform", "Image Height", &S::resizeHeight},
    {"Transform", "Image Height Unit", &S::resizeHeightUnit},
    {"Transform", "Keep Aspect Ratio", &S::keepAspectRatio},
    {"Transform", "Image Resize Type", &S::resizeType},
    {"Transform", "Image Resize Algorithm", &S::resizeAlgorithm},
    {"Transform", "Do Image Flip Horizontal", &S::flipHorizontal},
    {"Transform", "Do Image Flip Vertical", &S::flipVertical},
    {"Adjustment", "Do Image Color Correction", &S::adjustEnabled},
    {"Adjustment", "Image Brightness", &S::brightness},
    {"Adjustment", "Image Contrast", &S::contrast},
    {"Adjustment", "Image Gamma", &S::gamma},
    {"Adjustment", "Image Invert", &S::invert},
    {"Adjustment", "Do Image Greyscale", &S::greyscale},
    {"Adjustment", "Do Image Threshold", &S::thresholdEnabled},
    {"Adjustment", "Image Threshold", &S::threshold},
    {"Adjustment", "Do Image Dither", &S::ditherEnabled},
    {"Adjustment", "Image Dither Algorithm", &S::ditherAlgorithm},
    {"Frame", "Do Frame", &S::frameType},
    {"Frame", "Solid Left", &S::frameLeft},
    {"Frame", "Solid Right", &S::frameRight},
    {"Frame", "Solid Top", &S::frameTop},
    {"Frame", "Solid Bottom", &S::frameBottom},
    {"Frame", "Solid Left Color", &S::frameLeftColor},
    {"Frame", "Solid Right Color", &S::frameRightColor},
    {"Frame", "Solid Top Color", &S::frameTopColor},
    {"Frame", "Solid Bottom Color", &S::frameBottomColor},
    {"Frame", "Solid Opacity", &S::frameOpacity},
    {"Watermark", "Do Watermark", &S::watermarkType},
    {"Watermark", "Text", &S::wmText},
    {"Watermark", "Fonts", &S::wmFontList},
    {"Watermark", "Font", &S::wmFont},
    {"Watermark", "Font Size", &S::wmFontSize},
    {"Watermark", "Font Leading", &S::wmFontLeading},
    {"Watermark", "Font Colors", &S::wmFontColorList},
    {"Watermark", "Font Color", &S::wmFontColor},
    {"Watermark", "Font Style", &S::wmFontStyle},
    {"Watermark", "Font Effect", &S::wmFontEffect},
    {"Watermark", "Text Antialiasing", &S::wmTextAntialiasing},
    {"Watermark", "Text Alignment", &S::wmTextAlignment},
    {"Watermark", "Text Padding", &S::wmTextPadding},
    {"Watermark", "Text Opacity", &S::wmTextOpacity},
    {"Watermark", "Back Colors", &S::wmBackColorList},
    {"Watermark", "Back Color", &S::wmBackColor},
    {"Watermark", "Back Opacity", &S::wmBackOpacity},
    {"Watermark", "Text Boundary", &S::wmTextBoundary},
    {"Watermark", "Text Position", &S::wmTextPosition},
    {"Watermark", "Text X Offset", &S::wmTextXOffset},
    {"Watermark", "Text Y Offset", &S::wmTextYOffset},
    {"Watermark", "Text Rotation", &S::wmTextRotation},
    {"Watermark", "Text Size", &S::wmTextSize},
    {"Watermark", "Text Scale", &S::wmTextScale},
    {"Watermark", "Image", &S::wmImage},
    {"Watermark", "Image Greyscale", &S::wmImageGreyscale},
    {"Watermark", "Image Opacity", &S::wmImageOpacity},
    {"Watermark", "Image Boundary", &S::wmImageBoundary},
    {"Watermark", "Image Position", &S::wmImagePosition},
    {"Watermark", "Image X Offset", &S::wmImageXOffset},
    {"Watermark", "Image Y Offset", &S::wmImageYOffset},
    {"Watermark", "Image Rotation", &S::wmImageRotation},
    {"Watermark", "Image Size", &S::wmImageSize},
    {"Watermark", "Image Scale", &S::wmImageScale},
    {"Advanced", "Filename Mask", &S::filenameMask},
    {"Advanced", "File Timestamp", &S::fileTimestamp},
    {"Advanced", "Custom Timestamp", &S::customTimestamp},
    {"Advanced", "Out Folders History", &S::outFoldersHistory},
    {"Advanced", "Out Folders Number", &S::outFoldersNumber},
    {"Advanced", "Keep Subfolders", &S::keepSubfolders},
    {"File", "Recent Out Folders", &S::recentOutFolders},
    {"File", "Recent Files", &S::recentFiles},
    {"Privacy", "Clean Recent Files", &S::cleanRecentFiles},
};

// What a missing key reads as: the window-mode default, except that a file
// without "CFG" counts as the oldest layout and a window placement that was
// never stored is 100, 100 rather than centred.
ConversionSettings missingKeyValues()
{
    resetSettings(false);
    ConversionSettings values = g_settings;
    values.configVersion = 0;
    values.windowX = 100;
    values.windowY = 100;
    return values;
}

// Repeated keys: the reader gives the one written last, so a hand-edited file
// that appends a changed line wins over the line it repeats.
void readKey(const PreferenceFile& file, const ConfigKey& entry, const ConversionSettings& missing)
{
    std::visit(
        [&](auto field) {
            using Value = std::remove_reference_t<decltype(g_settings.*field)>;
            if constexpr (std::is_same_v<Value, std::string>) {
                g_settings.*field = readString(file, entry.group, entry.key, missing.*field);
            } else if constexpr (std::is_same_v<Value, float>) {
                g_settings.*field = realToFloat(readReal(file, entry.group, entry.key, missing.*field));
            } else if constexpr (std::is_same_v<Value, int8_t>) {
                // A byte field keeps the low 8 bits of whatever number is written.
                int32_t number = readInteger(file, entry.group, entry.key, missing.*field);
                g_settings.*field = static_cast<int8_t>(static_cast<uint8_t>(number & 0xFF));
            } else {
                g_settings.*field = readInteger(file, entry.group, entry.key, missing.*field);
            }
        },
        entry.field);
}

void writeKey(PreferenceText& text, const ConfigKey& entry)
{
    // configVersion tells the layout that was read; what is written is this layout.
    const auto* number = std::get_if<int32_t S::*>(&entry.field);
    if (number && *number == &S::configVersion) {
        writeInteger(text, entry.key, kLayoutVersion);
        return;
    }
    std::visit(
        [&](auto field) {
            using Value = std::remove_reference_t<decltype(g_settings.*field)>;
            if constexpr (std::is_same_v<Value, std::string>)
                writeString(text, entry.key, g_settings.*field);
            else if constexpr (std::is_same_v<Value, float>)
                writeReal(text, entry.key, g_settings.*field);
            else
                writeInteger(text, entry.key, g_settings.*field);
        },
        entry.field);
}

// The formats whose options a group holds.
const std::vector<std::string>* offeredFormats(std::string_view group)
{
    if (group == "Input")
        return &inputFormats;
    if (group == "Output")
        return &outputFormats;
    return nullptr;
}

// One group: its general keys in table order, then the options of each offered
// format in the order the formats are offered, then the closing empty comment.
void writeGroup(PreferenceText& text, std::string_view group, const ConfigKey* first, const ConfigKey* end)
{
    beginGroup(text, group);
    bool placementKept = group != "Window" || g_settings.saveWindowPosition;
    if (placementKept) {
        for (const ConfigKey* entry = first; entry != end; ++entry)
            if (!entry->format)
                writeKey(text, *entry);
        if (const std::vector<std::string>* formats = offeredFormats(group))
            for (const std::string& format : *formats)
                for (const ConfigKey* entry = first; entry != end; ++entry)
                    if (entry->format && equalsIgnoreCaseAscii(entry->format, format))
                        writeKey(text, *entry);
    }
    writeComment(text, "");
}

void upgradeOlderLayout(const std::optional<PreferenceFile>& file)
{
    if (g_settings.configVersion < 11 && g_settings.filenameMask.find("%ext%") == std::string::npos)
        g_settings.filenameMask += ".%ext%";
    // Layout 14 inserted the words 8 and 16 before the older codes.
    if (g_settings.configVersion < 14 && g_settings.rawLoadAs != kRawLoadAuto)
        g_settings.rawLoadAs += 2;
    // Before layout 19 the colour modes were stored as "Color Model".
    if (g_settings.configVersion < 19 && file) {
        if (int32_t mode = readInteger(*file, "Input", "PSD Color Model", 0))
            g_settings.psdColorMode = mode;
        if (int32_t mode = readInteger(*file, "Output", "TIFF Color Model", 0))
            g_settings.tiffColorMode = mode;
    }
}

}  // namespace

void loadConfiguration()
{
    std::optional<PreferenceFile> file = readPreferenceFile(g_settings.configPath);
    g_unreadablePath = !file && pathExists(g_settings.configPath) ? g_settings.configPath : std::string();
    if (!file) {
        resetSettings(false);
    } else {
        const ConversionSettings missing = missingKeyValues();
        for (const ConfigKey& entry : kConfigKeys)
            readKey(*file, entry, missing);
    }
    upgradeOlderLayout(file);
}

bool saveConfiguration()
{
    // Defaults saved over a file that exists but could not be read would
    // destroy the user's settings for good.
    if (g_settings.configPath.empty() || g_settings.configPath == g_unreadablePath)
        return false;
    PreferenceText text;
    const ConfigKey* const end = kConfigKeys.data() + kConfigKeys.size();
    for (const ConfigKey* first = kConfigKeys.data(); first != end;) {
        const ConfigKey* last = first;
        while (last != end && std::string_view(last->group) == first->group)
            ++last;
        writeGroup(text, first->group, first, last);
        first = last;
    }
    return replaceFileAtomically(g_settings.configPath, text.bytes).written;
}

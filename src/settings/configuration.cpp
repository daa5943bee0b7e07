#include "settings/configuration.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "formats/format_lists.h"
#include "platform/atomic_file.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/regular_file_read.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"
#include "settings/number_text.h"
#include "settings/preference_file.h"
#include "settings/preference_writer.h"
#include "settings/setting_table.h"
#include "settings/vocabularies.h"

namespace {

using S = ConversionSettings;

// A config.ini that exists but could not be read (no permission, not a
// regular file, a failing disk): nothing is saved over it.
std::string g_unreadablePath;

// The layout this program writes; older files are upgraded after loading.
constexpr int32_t kLayoutVersion = 19;

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
void readKey(const PreferenceFile& file, const SettingRow& row, const ConversionSettings& missing)
{
    const ConfigKey& entry = row.config;
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
        row.field);
}

void writeKey(PreferenceText& text, const SettingRow& row)
{
    const ConfigKey& entry = row.config;
    // configVersion tells the layout that was read; what is written is this layout.
    if (row.field == SettingField(&S::configVersion)) {
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
        row.field);
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
void writeGroup(PreferenceText& text, std::string_view group, std::span<const SettingRow> rows)
{
    beginGroup(text, group);
    bool placementKept = group != "Window" || g_settings.saveWindowPosition;
    if (placementKept) {
        for (const SettingRow& row : rows)
            if (!row.format && row.config.key)
                writeKey(text, row);
        if (const std::vector<std::string>* formats = offeredFormats(group))
            for (const std::string& format : *formats)
                for (const SettingRow& row : rows)
                    if (row.format && row.config.key && equalsIgnoreCaseAscii(row.format, format))
                        writeKey(text, row);
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

// A config.ini that holds something, but not one key this program knows (an
// encoding it cannot read, another program's file): the first save keeps it
// as config.ini.bak, so that defaults never replace the user's settings for good.
std::string g_unrecognisedPath;

bool holdsAnyKnownKey(const PreferenceFile& file)
{
    return std::ranges::any_of(settingRows(), [&](const SettingRow& row) {
        return row.config.key && findValue(file, row.config.group, row.config.key) != nullptr;
    });
}

void noteUnrecognisedFile(const std::optional<PreferenceFile>& file)
{
    const std::optional<int64_t> size = regularFileSize(g_settings.configPath);
    const bool unrecognised = file && size && *size > 0 && !holdsAnyKnownKey(*file);
    g_unrecognisedPath = unrecognised ? g_settings.configPath : std::string();
}

// False when the file should have been kept and could not be.
bool keepUnrecognisedFile()
{
    if (g_unrecognisedPath.empty() || g_unrecognisedPath != g_settings.configPath)
        return true;
    const std::string backup = g_unrecognisedPath + ".bak";
    const std::optional<std::string> bytes = readRegularFile(g_unrecognisedPath);
    if (bytes && !replaceFileAtomically(backup, *bytes))
        return false;
    if (bytes)
        printErrorLine("No setting could be read from " + g_unrecognisedPath + "; it was kept as " + backup +
                       " before the settings were saved");
    g_unrecognisedPath.clear();
    return true;
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
        for (const SettingRow& row : settingRows())
            if (row.config.key)
                readKey(*file, row, missing);
    }
    noteUnrecognisedFile(file);
    upgradeOlderLayout(file);
}

bool saveConfiguration()
{
    // Defaults saved over a file that exists but could not be read would
    // destroy the user's settings for good.
    if (g_settings.configPath.empty() || g_settings.configPath == g_unreadablePath || !keepUnrecognisedFile())
        return false;
    PreferenceText text;
    const std::span<const SettingRow> rows = settingRows();
    for (size_t first = 0; first < rows.size();) {
        size_t last = first;
        while (last < rows.size() && std::string_view(rows[last].config.group) == rows[first].config.group)
            ++last;
        writeGroup(text, rows[first].config.group, rows.subspan(first, last - first));
        first = last;
    }
    return replaceFileAtomically(g_settings.configPath, text.bytes).written;
}

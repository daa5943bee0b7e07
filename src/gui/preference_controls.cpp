#include "gui/preference_controls.h"

#include <algorithm>

#include "formats/format_lists.h"
#include "formats/format_registry.h"
#include "gui/colour_names.h"
#include "gui/preference_rules.h"
#include "platform/text.h"
#include "settings/configuration.h"
#include "settings/number_text.h"
#include "settings/setting_table.h"

namespace {

using S = ConversionSettings;

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
    if (isHexColour(trimBlanks(colour))) {
        const auto found = std::find(choice.colours.begin(), choice.colours.end(), normalisedHexColour(colour));
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

// The position of a row in the settings table; past its end for none.
size_t rowIndex(const SettingRow* row)
{
    const std::span<const SettingRow> rows = settingRows();
    return row ? static_cast<size_t>(row - rows.data()) : rows.size();
}

// The control of a row as it shows the setting.
ControlValue controlValue(const SettingRow& row, const ConversionSettings& s)
{
    const PreferenceSpec& shown = row.preference;
    switch (shown.kind) {
    case PreferenceKind::kNone: break;
    case PreferenceKind::kList: return listPosition(settingNumber(s, row.field), *shown.items);
    case PreferenceKind::kCheck: return settingNumber(s, row.field) != 0;
    case PreferenceKind::kPair:
    case PreferenceKind::kOffsetPair: return pairValue(settingNumber(s, row.field), shown.range);
    case PreferenceKind::kGamma: return gammaHundredths(s.*std::get<float S::*>(row.field));
    case PreferenceKind::kNumber: return numberText(settingNumber(s, row.field));
    case PreferenceKind::kHexColour:
    case PreferenceKind::kText:
    case PreferenceKind::kPicture: return s.*std::get<std::string S::*>(row.field);
    case PreferenceKind::kDate: return settingNumber(s, row.field);
    case PreferenceKind::kColourList:
        return colourChoice(s.*shown.choicesSetting, s.*std::get<std::string S::*>(row.field));
    case PreferenceKind::kFontList:
        return fontChoice(s.*shown.choicesSetting, s.*std::get<std::string S::*>(row.field));
    case PreferenceKind::kBitDepth: return bitDepthChoice(row.format, settingNumber(s, row.field));
    }
    return std::monostate{};
}

// The setting as the control leaves it: lists store their position, -1 and
// all, ranges are clamped, typed numbers read as the number fields do.
void storeControlValue(const SettingRow& row, const ControlValue& value, ConversionSettings& s)
{
    const PreferenceSpec& shown = row.preference;
    switch (shown.kind) {
    case PreferenceKind::kNone: break;
    case PreferenceKind::kList:
    case PreferenceKind::kDate: setSettingNumber(s, row.field, std::get<int>(value)); break;
    case PreferenceKind::kCheck: setSettingNumber(s, row.field, flag(std::get<bool>(value))); break;
    case PreferenceKind::kPair:
    case PreferenceKind::kOffsetPair:
        setSettingNumber(s, row.field, pairValue(std::get<int>(value), shown.range));
        break;
    case PreferenceKind::kGamma:
        s.*std::get<float S::*>(row.field) = static_cast<float>(pairValue(std::get<int>(value), shown.range)) / 100.0f;
        break;
    case PreferenceKind::kNumber: setSettingNumber(s, row.field, numberFieldValue(std::get<std::string>(value))); break;
    case PreferenceKind::kHexColour:
        s.*std::get<std::string S::*>(row.field) = normalisedHexColour(std::get<std::string>(value));
        break;
    case PreferenceKind::kText:
    case PreferenceKind::kPicture:
        s.*std::get<std::string S::*>(row.field) = cleanedFieldText(std::get<std::string>(value));
        break;
    case PreferenceKind::kColourList: {
        const ColourChoice& choice = std::get<ColourChoice>(value);
        storeChoice(choice.colours, choice.selected, s.*std::get<std::string S::*>(row.field));
        break;
    }
    case PreferenceKind::kFontList: {
        const FontChoice& choice = std::get<FontChoice>(value);
        storeChoice(choice.names, choice.selected, s.*std::get<std::string S::*>(row.field));
        break;
    }
    case PreferenceKind::kBitDepth:
        setSettingNumber(s, row.field, bitDepthValue(std::get<BitDepthChoice>(value)));
        break;
    }
}

}  // namespace

InterfaceRefresh interfaceRefreshBetween(const std::string& oldTheme, int oldSize, const std::string& newTheme,
                                         int newSize)
{
    if (oldTheme != newTheme)
        return InterfaceRefresh::kTheme;
    if (oldSize != newSize)
        return InterfaceRefresh::kIconSize;
    return InterfaceRefresh::kNothing;
}

ControlValue& PreferenceControls::control(const SettingRow& row)
{
    return values.at(rowIndex(&row));
}

const ControlValue& PreferenceControls::control(const SettingRow& row) const
{
    return values.at(rowIndex(&row));
}

ControlValue& PreferenceControls::controlOf(const SettingField& field)
{
    return values.at(rowIndex(findSettingRow(field)));
}

const ControlValue& PreferenceControls::controlOf(const SettingField& field) const
{
    return values.at(rowIndex(findSettingRow(field)));
}

PreferenceControls loadPreferenceControls(const ConversionSettings& s,
                                          const std::vector<std::pair<std::string, std::string>>& themes)
{
    PreferenceControls c;
    c.themes = themeItems(themes);
    c.theme = themePosition(c.themes, s.uiTheme);
    c.inputFormats = nonEmpty(inputFormats);
    c.inputFormat = formatPosition(c.inputFormats, s.inputGroup);
    c.outputFormats = nonEmpty(outputFormats);
    c.outputFormat = formatPosition(c.outputFormats, s.outputFormat);
    for (const SettingRow& row : settingRows())
        c.values.push_back(controlValue(row, s));
    return c;
}

InterfaceRefresh storePreferenceControls(const PreferenceControls& c, ConversionSettings& s)
{
    const InterfaceRefresh refresh =
        interfaceRefreshBetween(s.uiTheme, s.uiSize, selectedThemeKey(c), c.value(&S::uiSize));
    s.language = "en";
    s.uiTheme = selectedThemeKey(c);
    storeFormat(c.inputFormats, c.inputFormat, s.inputGroup);
    storeFormat(c.outputFormats, c.outputFormat, s.outputFormat);
    for (const SettingRow& row : settingRows())
        storeControlValue(row, c.control(row), s);
    s.adjustEnabled = flag(s.brightness != 0 || s.contrast != 0 || s.gamma != 1.0f || s.invert);
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

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "gui/interface_refresh.h"
#include "settings/conversion_settings.h"
#include "settings/setting_table.h"

// The values of the preferences' controls as the dialog shows them: lists as
// the selected position (-1 for none), check boxes as flags, track bars with
// their spin fields as the value, number and colour fields as the text typed.

struct ThemeItem {
    std::string key;   // package name; "" for the "None" item
    std::string name;  // shown in the list
};

// A list of the output format's depths headed by "Auto".
struct BitDepthChoice {
    std::vector<int> depths;
    int selected = 0;  // 0 "Auto", n the depth depths[n - 1], -1 none
};

// A list of colours, each six upper-case hex digits.
struct ColourChoice {
    std::vector<std::string> colours;
    int selected = -1;
};

struct FontChoice {
    std::vector<std::string> names;
    int selected = -1;
};

// The value of one setting's control: a list position, track bar, spin field
// or date as int, a check box as bool, a typed number, colour or text as its
// text, or the choice of a colour, font or bit-depth list.
using ControlValue = std::variant<std::monostate, int, bool, std::string, ColourChoice, FontChoice, BitDepthChoice>;

struct PreferenceControls {
    std::vector<ThemeItem> themes;
    int theme = -1;
    std::vector<std::string> inputFormats;
    int inputFormat = -1;
    std::vector<std::string> outputFormats;
    int outputFormat = -1;

    // One value per row of the settings table, in its order; what a row
    // holds follows from its preferences kind, and a row without one holds
    // nothing. Set up once by loadPreferenceControls, so that references
    // to the values stay valid.
    std::vector<ControlValue> values;

    ControlValue& control(const SettingRow& row);
    const ControlValue& control(const SettingRow& row) const;
    // The value of a setting's control, by the kind it holds.
    int& value(const SettingField& field) { return std::get<int>(controlOf(field)); }
    int value(const SettingField& field) const { return std::get<int>(controlOf(field)); }
    bool& flag(const SettingField& field) { return std::get<bool>(controlOf(field)); }
    bool flag(const SettingField& field) const { return std::get<bool>(controlOf(field)); }
    std::string& text(const SettingField& field) { return std::get<std::string>(controlOf(field)); }
    const std::string& text(const SettingField& field) const { return std::get<std::string>(controlOf(field)); }
    ColourChoice& colours(const SettingField& field) { return std::get<ColourChoice>(controlOf(field)); }
    const ColourChoice& colours(const SettingField& field) const { return std::get<ColourChoice>(controlOf(field)); }
    FontChoice& fonts(const SettingField& field) { return std::get<FontChoice>(controlOf(field)); }
    const FontChoice& fonts(const SettingField& field) const { return std::get<FontChoice>(controlOf(field)); }
    BitDepthChoice& bitDepth(const SettingField& field) { return std::get<BitDepthChoice>(controlOf(field)); }
    const BitDepthChoice& bitDepth(const SettingField& field) const
    {
        return std::get<BitDepthChoice>(controlOf(field));
    }

private:
    ControlValue& controlOf(const SettingField& field);
    const ControlValue& controlOf(const SettingField& field) const;
};

// The controls as the dialog opens on settings, offering the themes given as
// key and display name.
PreferenceControls loadPreferenceControls(const ConversionSettings& settings,
                                          const std::vector<std::pair<std::string, std::string>>& themes);

// Stores every control into its setting; returns what the main window has
// to rebuild.
InterfaceRefresh storePreferenceControls(const PreferenceControls& controls, ConversionSettings& settings);

// A theme change outweighs an icon size change: reloading the theme rebuilds
// the toolbar as well.
InterfaceRefresh interfaceRefreshBetween(const std::string& oldTheme, int oldSize, const std::string& newTheme,
                                         int newSize);

// OK: stores the controls into g_settings and saves config.ini.
InterfaceRefresh applyPreferences(const PreferenceControls& controls);
// Defaults: every setting back to its window-mode default, saved.
InterfaceRefresh applyDefaultPreferences(DesktopSize desktop);

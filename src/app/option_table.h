#pragma once

#include <span>
#include <string>
#include <string_view>

#include "settings/setting_table.h"

// The options that change ConversionSettings, shared by the command line and
// profile files, as the settings table names them.
enum class OptionValueKind {
    kSwitchOn,   // sets its flag to 1; a value after "=" is ignored
    kSwitchOff,  // sets its flag to 0
    kInteger,
    kReal,
    kWord,  // a word of the setting's vocabulary
    kText,
};

enum class OptionSource { kCommandLine, kProfile };

// One name users write, in the long form, and the setting it changes.
struct SettingOption {
    std::string_view name;  // upper case, "--" included
    const SettingRow* setting = nullptr;
    OptionValueKind kind = OptionValueKind::kText;
    bool onCommandLine = true;
    bool inProfile = true;
};

// The entry for an upper-cased name, or nullptr when the name is not an
// option of that source.
const SettingOption* findSettingOption(std::string_view upperName, OptionSource source);

// Sets the enabled feature, then converts the value and stores it. The value
// has already been joined and unquoted as its source requires.
void applySettingOption(const SettingOption& option, const std::string& value);

// The text without the double quotes at either end, however many there are.
std::string withoutEndQuotes(std::string_view text);

// Every entry in the order of the settings table; a setting that profiles
// know by another name has its profile entry right after its own.
std::span<const SettingOption> settingOptions();

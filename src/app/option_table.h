#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/conversion_settings.h"

// The options that change ConversionSettings, shared by the command line and
// profile files: one entry per option, named as users write the long form.
enum class OptionValueKind {
    kSwitchOn,   // sets its flag to 1; a value after "=" is ignored
    kSwitchOff,  // sets its flag to 0
    kInteger,
    kReal,
    kWord,  // a word of the entry's vocabulary
    kText,
};

enum class OptionSource { kCommandLine, kProfile };

using SettingField = std::variant<int8_t ConversionSettings::*, int32_t ConversionSettings::*,
                                  float ConversionSettings::*, std::string ConversionSettings::*>;

struct SettingOption {
    std::string_view name;  // upper case, "--" included
    OptionValueKind kind = OptionValueKind::kText;
    SettingField field;
    int32_t vocabulary = 0;
    // A feature the option switches on before its value is stored, and the
    // code it is set to: 1 for a flag, the feature's own code otherwise.
    int8_t ConversionSettings::*enables = nullptr;
    int8_t enablesCode = 1;
    bool onCommandLine = true;
    bool inProfile = true;
    // Profile values are text as read, quotes and all; only this key has
    // always had its quotes removed there, and stored profiles rely on it.
    bool profileRemovesQuotes = false;
};

// The entry for an upper-cased name, or nullptr when the name is not an
// option of that source.
const SettingOption* findSettingOption(std::string_view upperName, OptionSource source);

// Sets the enabled feature, then converts the value and stores it. The value
// has already been joined and unquoted as its source requires.
void applySettingOption(const SettingOption& option, const std::string& value);

// The text without the double quotes at either end, however many there are.
std::string withoutEndQuotes(std::string_view text);

// Every entry in table order.
std::span<const SettingOption> settingOptions();

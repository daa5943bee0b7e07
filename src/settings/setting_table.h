#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/conversion_settings.h"
#include "settings/preference_items.h"

// Every setting of ConversionSettings with each of its forms: the config.ini
// key, the option of the command line and profiles, the line of the console's
// debug listing and the row of the preferences. config.ini, the options, the
// listing and the preferences' record walk this one table; a form a setting
// does not have is left empty.

using SettingField = std::variant<int32_t ConversionSettings::*, int8_t ConversionSettings::*,
                                  float ConversionSettings::*, std::string ConversionSettings::*>;

// The vocabulary of a setting that is not given as words.
inline constexpr int32_t kNoVocabulary = -1;

// Every row names its group, which also tells the options of an input
// format from those of an output format.
struct ConfigKey {
    const char* group = nullptr;
    const char* key = nullptr;  // nullptr: never stored
};

struct OptionSpec {
    const char* name = nullptr;  // upper case, "--" included; nullptr: no option
    // The name profiles know it by when that differs; the command line then
    // knows only name, and profiles only this one.
    const char* profileName = nullptr;
    // A feature the option switches on before its value is stored, and the
    // code it is set to: 1 for a flag, the feature's own code otherwise.
    int8_t ConversionSettings::*enables = nullptr;
    int8_t enablesCode = 1;
    bool switchesOff = false;  // a flag's switch that sets it to 0 rather than 1
    // Profile values are text as read, quotes and all; only the filename mask
    // has always had its quotes removed there, and stored profiles rely on it.
    bool profileRemovesQuotes = false;
};

// When a listing line shows: always without a flag; with one, while the flag
// is not 0, or while it holds code.
inline constexpr int32_t kAnyCodeButZero = -1;
struct ListingCondition {
    int8_t ConversionSettings::*flag = nullptr;
    int32_t code = kAnyCodeButZero;
};

// "label: value" in the listing; or, with continues, the value joins the line
// before after that separator. Numbers are decimal, flags 0 or 1, words those
// of the setting's vocabulary, reals have two decimals.
struct ListingSpec {
    const char* label = nullptr;  // nullptr: not listed
    ListingCondition when{};
    // The job problems (see engine/job_check.h) whose error line follows this line.
    std::vector<std::string> problemsAfter{};
    const char* continues = nullptr;
};

// The control of a setting's preferences row, which decides how the dialog's
// record holds the value and how it goes back into the setting.
enum class PreferenceKind {
    kNone,
    kList,        // items: the selected position is the code
    kCheck,       // a flag
    kPair,        // track bar and spin field within range, stored clamped
    kOffsetPair,  // the same for -100 to 100
    kGamma,       // in hundredths
    kNumber,      // typed, with its unit: items, the unit list bound to unitSetting, or one fixed unit
    kHexColour,   // six hex digits typed or picked
    kText,        // one line of text
    kPicture,     // a picture's file name
    kDate,        // a date and time
    kColourList,  // one of the colours kept in choicesSetting
    kFontList,    // one of the fonts kept in choicesSetting
    kBitDepth,    // "Auto" or a depth the format registry lists for the row's format
};

struct PreferenceSpec {
    PreferenceKind kind = PreferenceKind::kNone;
    const char* label = nullptr;  // catalogue key of the group "Preferences"
    const ItemKeys* items = nullptr;
    PairRange range{};
    int8_t ConversionSettings::*unitSetting = nullptr;
    std::string ConversionSettings::*choicesSetting = nullptr;
};

struct SettingRow {
    SettingField field;
    ConfigKey config{};
    // The input group (config group "Input") or the output extension (group
    // "Output") whose options the setting is; nullptr for a general setting.
    const char* format = nullptr;
    int32_t vocabulary = kNoVocabulary;
    OptionSpec option{};
    ListingSpec listing{};
    PreferenceSpec preference{};
};

// Every row. The config.ini groups follow each other in the order they are
// written, and a group's general keys in the order of their lines; the
// options of the formats (written per offered format) stand in the order the
// option listing and the bash completion give them.
std::span<const SettingRow> settingRows();

// The row of a field; nullptr for one the table does not hold.
const SettingRow* findSettingRow(const SettingField& field);

enum class FormatSide { kInput, kOutput };
// Whether the row is an option of that input group or output extension.
bool isOptionOf(const SettingRow& row, FormatSide side, std::string_view format);

// The bit-depth setting of an output extension: 0 is automatic, anything else
// the depth its files are saved with. nullptr, and 0, for an extension the
// settings keep no options for. They keep them for every format the registry
// can write, and more.
const SettingRow* bitDepthRowOf(std::string_view extension);
int32_t bitDepthSettingFor(const ConversionSettings& settings, std::string_view extension);

// The value of a number setting (int32_t or int8_t, 0 for others), and storing
// one; a byte keeps the low 8 bits.
int32_t settingNumber(const ConversionSettings& settings, const SettingField& field);
void setSettingNumber(ConversionSettings& settings, const SettingField& field, int32_t value);

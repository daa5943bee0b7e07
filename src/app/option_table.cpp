#include "app/option_table.h"

#include <vector>

#include "platform/text.h"
#include "settings/number_text.h"
#include "settings/vocabularies.h"

namespace {

using S = ConversionSettings;
using Kind = OptionValueKind;

// Words for a setting with a vocabulary; otherwise as its field holds values.
Kind valueKind(const SettingRow& row)
{
    if (row.vocabulary != kNoVocabulary)
        return Kind::kWord;
    if (std::holds_alternative<std::string S::*>(row.field))
        return Kind::kText;
    if (std::holds_alternative<float S::*>(row.field))
        return Kind::kReal;
    if (std::holds_alternative<int8_t S::*>(row.field))
        return row.option.switchesOff ? Kind::kSwitchOff : Kind::kSwitchOn;
    return Kind::kInteger;
}

const std::vector<SettingOption>& optionTable()
{
    static const std::vector<SettingOption> table = [] {
        std::vector<SettingOption> entries;
        for (const SettingRow& row : settingRows()) {
            if (!row.option.name)
                continue;
            const bool ownProfileName = row.option.profileName != nullptr;
            entries.push_back({.name = row.option.name,
                               .setting = &row,
                               .kind = valueKind(row),
                               .onCommandLine = true,
                               .inProfile = !ownProfileName});
            if (ownProfileName)
                entries.push_back({.name = row.option.profileName,
                                   .setting = &row,
                                   .kind = valueKind(row),
                                   .onCommandLine = false,
                                   .inProfile = true});
        }
        return entries;
    }();
    return table;
}

int32_t convertedNumber(const SettingOption& option, const std::string& value)
{
    switch (option.kind) {
    case Kind::kSwitchOn: return 1;
    case Kind::kSwitchOff: return 0;
    case Kind::kWord: return settingValueFromName(option.setting->vocabulary, trimBlanks(value));
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
    const SettingRow& setting = *option.setting;
    if (setting.option.enables)
        g_settings.*setting.option.enables = setting.option.enablesCode;
    if (auto field = std::get_if<std::string S::*>(&setting.field))
        g_settings.*(*field) = value;
    else if (auto field = std::get_if<float S::*>(&setting.field))
        g_settings.*(*field) = realToFloat(parseReal(value));
    else
        setSettingNumber(g_settings, setting.field, convertedNumber(option, value));
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

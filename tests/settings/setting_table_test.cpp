#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "app/command_line_job.h"
#include "app/options.h"
#include "engine/job_listing.h"
#include "engine/job_state.h"
#include "formats/format_lists.h"
#include "platform/text.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"
#include "settings/setting_table.h"
#include "settings/vocabularies.h"
#include "test_support.h"

namespace {

using S = ConversionSettings;

bool sameValue(const SettingField& field, const S& a, const S& b)
{
    return std::visit([&](auto member) { return a.*member == b.*member; }, field);
}

std::string valueText(const SettingField& field, const S& s)
{
    return std::visit(
        [&](auto member) -> std::string {
            using Value = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<Value, std::string>)
                return s.*member;
            else
                return std::to_string(s.*member);
        },
        field);
}

// A code of the vocabulary that has a word and is not the default; the
// default plus one when every word means the default.
int32_t unusualCode(int32_t vocabulary, int32_t defaultCode)
{
    for (const std::string& word : settingNames(vocabulary))
        if (settingValueFromName(vocabulary, word) != defaultCode)
            return settingValueFromName(vocabulary, word);
    return defaultCode + 1;
}

// Every row unlike its default, and numbers and texts unlike those of the
// other rows, so that a value landing in the wrong setting shows.
S unusualValues()
{
    resetSettings(false);
    S s = g_settings;
    int32_t number = 1000;
    int8_t byte = 20;
    for (const SettingRow& row : settingRows()) {
        ++number;
        if (auto text = std::get_if<std::string S::*>(&row.field))
            s.*(*text) = "value " + std::to_string(number);
        else if (auto real = std::get_if<float S::*>(&row.field))
            s.*(*real) = 1.25f;
        else if (row.vocabulary != kNoVocabulary)
            setSettingNumber(s, row.field, unusualCode(row.vocabulary, settingNumber(s, row.field)));
        else if (std::holds_alternative<int8_t S::*>(row.field))
            setSettingNumber(s, row.field, byte++);
        else
            setSettingNumber(s, row.field, number);
    }
    return s;
}

std::vector<std::string> formatsOf(FormatSide side)
{
    std::vector<std::string> formats;
    for (const SettingRow& row : settingRows())
        if (row.format && isOptionOf(row, side, row.format) &&
            std::find(formats.begin(), formats.end(), row.format) == formats.end())
            formats.push_back(row.format);
    return formats;
}

// What the option is given to reach the row's value, and that value.
struct OptionValue {
    std::string argument;  // "" for a switch
    S expected;
};

OptionValue optionValueFor(const SettingRow& row, const S& defaults, int32_t number)
{
    S expected = defaults;
    std::string argument;
    if (auto text = std::get_if<std::string S::*>(&row.field)) {
        argument = "value " + std::to_string(number);
        expected.*(*text) = argument;
    } else if (auto real = std::get_if<float S::*>(&row.field)) {
        argument = "1.25";
        expected.*(*real) = 1.25f;
    } else if (row.vocabulary != kNoVocabulary) {
        const int32_t code = unusualCode(row.vocabulary, settingNumber(defaults, row.field));
        argument = settingNameFromValue(row.vocabulary, code);
        if (argument.empty())
            argument = settingNames(row.vocabulary).front();
        setSettingNumber(expected, row.field, settingValueFromName(row.vocabulary, argument));
    } else if (std::holds_alternative<int8_t S::*>(row.field)) {
        setSettingNumber(expected, row.field, row.option.switchesOff ? 0 : 1);
    } else {
        argument = std::to_string(number);
        setSettingNumber(expected, row.field, number);
    }
    if (row.option.enables)
        expected.*row.option.enables = row.option.enablesCode;
    return {argument, expected};
}

// The field and the feature the option enables hold something else, so
// that an option reaching neither cannot pass.
void poison(const SettingRow& row, const S& expected)
{
    if (auto text = std::get_if<std::string S::*>(&row.field))
        g_settings.*(*text) = expected.*(*text) + " before";
    else if (auto real = std::get_if<float S::*>(&row.field))
        g_settings.*(*real) = expected.*(*real) + 1.0f;
    else
        setSettingNumber(g_settings, row.field, settingNumber(expected, row.field) + 1);
    if (row.option.enables)
        g_settings.*row.option.enables = 0;
}

bool listingHas(const std::vector<ListingLine>& listing, const std::string& start, const std::string& end = "")
{
    return std::any_of(listing.begin(), listing.end(), [&](const ListingLine& line) {
        return startsWith(line.text, start) && endsWith(line.text, end);
    });
}

struct SettingTable : ::testing::Test {
    ScratchFolder folder;
    const S saved = g_settings;
    const std::vector<std::string> keptInput = inputFormats;
    const std::vector<std::string> keptOutput = outputFormats;

    void TearDown() override
    {
        g_settings = saved;
        inputFormats = keptInput;
        outputFormats = keptOutput;
        resetJob();
    }
};

}  // namespace

TEST_F(SettingTable, EveryRowRoundTripsThroughConfigOptionsAndListing)
{
    const S values = unusualValues();
    resetSettings(false);
    const S windowDefaults = g_settings;
    for (const SettingRow& row : settingRows()) {
        if (row.field != SettingField(&S::configVersion)) {
            EXPECT_FALSE(sameValue(row.field, values, windowDefaults)) << row.config.key;
        }
    }

    // config.ini, with every format offered so that each format's keys are written.
    inputFormats = formatsOf(FormatSide::kInput);
    outputFormats = formatsOf(FormatSide::kOutput);
    g_settings = values;
    g_settings.configPath = folder.path + "config.ini";
    ASSERT_TRUE(saveConfiguration());
    resetSettings(false);
    g_settings.configPath = folder.path + "config.ini";
    loadConfiguration();
    int stored = 0;
    for (const SettingRow& row : settingRows()) {
        if (!row.config.key)
            continue;
        ++stored;
        // The layout written is always this program's own.
        if (row.field == SettingField(&S::configVersion)) {
            EXPECT_EQ(g_settings.configVersion, 19);
        } else {
            EXPECT_TRUE(sameValue(row.field, g_settings, values))
                << row.config.key << " reads back as " << valueText(row.field, g_settings);
        }
    }
    EXPECT_EQ(stored, 137);

    // The command line and profiles: each of its names sets the value, and the feature it enables.
    int32_t number = 2000;
    int named = 0;
    for (const SettingRow& row : settingRows()) {
        if (!row.option.name)
            continue;
        resetSettings(true);
        const OptionValue value = optionValueFor(row, g_settings, ++number);
        const std::string profileName = row.option.profileName ? row.option.profileName : row.option.name;
        const std::string parameter =
            toLowerAscii(row.option.name) + (value.argument.empty() ? "" : "=" + value.argument);
        writeFile(folder.path + "profile.ini", "[CLI]\n" + profileName + " = " + value.argument + "\n");
        for (const std::string& given : {parameter, "--profile=" + folder.path + "profile.ini"}) {
            resetSettings(true);
            resetJob();
            poison(row, value.expected);
            CommandLine commandLine;
            commandLine.parameters = {given};
            parseOptions(commandLine);
            EXPECT_EQ(commandLine.errorText, "") << given;
            EXPECT_TRUE(sameValue(row.field, g_settings, value.expected))
                << given << " gives " << valueText(row.field, g_settings);
            if (row.option.enables) {
                EXPECT_EQ(g_settings.*row.option.enables, row.option.enablesCode) << given;
            }
        }
        ++named;
    }
    EXPECT_EQ(named, 106);

    // The debug listing: the line shows with the value while the row applies, and not otherwise.
    int listed = 0;
    for (const SettingRow& row : settingRows()) {
        if (!row.listing.label && !row.listing.continues)
            continue;
        ++listed;
        S s = values;
        const ListingCondition& when = row.listing.when;
        if (when.flag)
            s.*when.flag = static_cast<int8_t>(when.code == kAnyCodeButZero ? 1 : when.code);
        JobState job;
        job.inputPath = "/in/a.pcd";
        job.outputFolder = "/out/";
        job.jobInputGroup = row.format && isOptionOf(row, FormatSide::kInput, row.format) ? row.format : "pcd";
        job.outputExt = row.format && isOptionOf(row, FormatSide::kOutput, row.format) ? row.format : "jpg";
        std::string shown = valueText(row.field, s);
        if (row.vocabulary != kNoVocabulary)
            shown = settingNameFromValue(row.vocabulary, settingNumber(s, row.field));
        else if (std::holds_alternative<int8_t S::*>(row.field))
            shown = settingNumber(s, row.field) ? "1" : "0";
        else if (std::holds_alternative<float S::*>(row.field))
            shown = "1.25";
        const std::string start = row.listing.label ? std::string(row.listing.label) + ": " : "";
        if (row.listing.label) {
            EXPECT_TRUE(listingHas(consoleJobListing(s, job), start + shown)) << start + shown;
        } else {
            EXPECT_TRUE(listingHas(consoleJobListing(s, job), "", row.listing.continues + shown)) << shown;
        }

        if (!row.listing.label)
            continue;
        if (when.flag)
            s.*when.flag = 0;
        if (row.format)
            job.jobInputGroup = job.outputExt = "none";
        if (when.flag || row.format) {
            EXPECT_FALSE(listingHas(consoleJobListing(s, job), start)) << start << " when it does not apply";
        }
    }
    EXPECT_EQ(listed, 108);
}

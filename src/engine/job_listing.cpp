#include "engine/job_listing.h"

#include <charconv>

#include "settings/conversion_settings.h"
#include "settings/setting_table.h"
#include "settings/vocabularies.h"

namespace {

using Listing = std::vector<ListingLine>;
using S = ConversionSettings;

// Always with a decimal point, whatever the user's locale says.
std::string twoDecimals(float value)
{
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
}

// Words for a setting with a vocabulary, 0 or 1 for any other byte, numbers
// in decimal.
std::string valueText(const SettingRow& row, const ConversionSettings& s)
{
    if (const auto* text = std::get_if<std::string S::*>(&row.field))
        return s.*(*text);
    if (const auto* real = std::get_if<float S::*>(&row.field))
        return twoDecimals(s.*(*real));
    const int32_t number = settingNumber(s, row.field);
    if (row.vocabulary != kNoVocabulary)
        return settingNameFromValue(row.vocabulary, number);
    if (std::holds_alternative<int8_t S::*>(row.field))
        return number ? "1" : "0";
    return std::to_string(number);
}

bool holds(const ListingCondition& condition, const ConversionSettings& s)
{
    if (!condition.flag)
        return true;
    const int8_t value = s.*condition.flag;
    return condition.code == kAnyCodeButZero ? value != 0 : value == condition.code;
}

void add(Listing& listing, const std::string& label, const std::string& value,
         std::vector<std::string> problemsAfter = {})
{
    listing.push_back({label + value, std::move(problemsAfter)});
}

void addSetting(Listing& listing, const SettingRow& row, const ConversionSettings& s)
{
    if (row.listing.continues && !listing.empty())
        listing.back().text += row.listing.continues + valueText(row, s);
    else if (row.listing.label)
        add(listing, std::string(row.listing.label) + ": ", valueText(row, s), row.listing.problemsAfter);
}

void listFormatOptions(Listing& listing, const ConversionSettings& s, FormatSide side, const std::string& format)
{
    for (const SettingRow& row : settingRows())
        if (isOptionOf(row, side, format))
            addSetting(listing, row, s);
}

}  // namespace

std::vector<ListingLine> consoleJobListing(const ConversionSettings& settings, const JobState& job)
{
    Listing listing;
    add(listing, "Input: ", job.inputPath, {"Invalid input file"});
    add(listing, "Output: ", job.outputFolder, {"Incorrect output folder", "Invalid output folder"});
    add(listing, "Conversion: ", job.outputExt, {"Invalid conversion type"});
    listFormatOptions(listing, settings, FormatSide::kInput, job.jobInputGroup);
    // The output options are checked together, so their errors follow the last of them.
    const size_t outputFrom = listing.size();
    listFormatOptions(listing, settings, FormatSide::kOutput, job.outputExt);
    if (listing.size() > outputFrom)
        listing.back().problemsAfter = {"Invalid bit depth", "Invalid quality"};
    for (const SettingRow& row : settingRows())
        if (!row.format && holds(row.listing.when, settings))
            addSetting(listing, row, settings);
    return listing;
}

#include "gui/preference_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "gui/colour_names.h"
#include "overlay/watermark_font.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/number_text.h"

namespace {

using S = ConversionSettings;

bool outOfRange(int64_t typed, PairRange range)
{
    return typed < range.minimum || typed > range.maximum;
}

// An optional sign, then decimal digits and, with decimalPoint, one point or
// comma followed by more; the number of those after it, or nullopt when the
// text is no such number.
std::optional<int> decimalsOfNumber(std::string_view text, bool decimalPoint)
{
    const std::string trimmed = trimBlanks(text);
    size_t at = !trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+') ? 1 : 0;
    int digits = 0;
    std::optional<int> decimals;
    for (; at < trimmed.size(); ++at) {
        const char c = trimmed[at];
        if (c >= '0' && c <= '9') {
            ++digits;
            if (decimals)
                ++*decimals;
        } else if (decimalPoint && (c == '.' || c == ',') && !decimals) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    return decimals.value_or(0);
}

bool listSelects(int selected, int item)
{
    return selected == item;
}

constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads one to maxDigits decimal digits at text[at], moving at past them.
std::optional<int> digitsAt(std::string_view text, size_t& at, size_t maxDigits)
{
    int value = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < maxDigits; ++at, ++digits)
        value = value * 10 + (text[at] - '0');
    if (digits == 0 || (at < text.size() && text[at] >= '0' && text[at] <= '9'))
        return std::nullopt;
    return value;
}

CalendarTime civilFromDays(int64_t days)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    CalendarTime time;
    time.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2));
    return time;
}

}  // namespace

TypedValue readTypedValue(std::string_view text, PairRange range)
{
    const bool number = decimalsOfNumber(text, false).has_value();
    // Too many digits stop at the largest number rather than wrap into range.
    const int32_t typed = number ? numberFieldValue(text) : parseInteger(text);
    return {std::clamp<int>(typed, range.minimum, range.maximum), number && outOfRange(typed, range)};
}

TypedValue readTypedGamma(std::string_view text)
{
    // The spin field writes the decimal point of the user's language.
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    const double typed = parseReal(number) * 100.0;
    if (std::isnan(typed))
        return {kGammaRange.minimum, true};
    const double clamped = std::clamp(typed, -1e12, 1e12);
    const auto hundredths = static_cast<int64_t>(std::llround(clamped));
    const std::optional<int> decimals = decimalsOfNumber(number, true);
    const bool onItsWay = hundredths >= 0 && hundredths < kGammaRange.minimum && decimals.value_or(0) < 2;
    return {static_cast<int>(std::clamp<int64_t>(hundredths, kGammaRange.minimum, kGammaRange.maximum)),
            decimals && !onItsWay && outOfRange(hundredths, kGammaRange)};
}

std::string gammaText(int hundredths)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}

int gammaHundredths(float gamma)
{
    if (std::isnan(gamma))
        return 100;
    const double hundredths = std::clamp(static_cast<double>(gamma) * 100.0, -1e6, 1e6);
    return std::clamp(static_cast<int>(std::lround(hundredths)), kGammaRange.minimum, kGammaRange.maximum);
}

int32_t numberFieldValue(std::string_view text)
{
    const std::string trimmed = trimBlanks(text);
    size_t at = 0;
    const bool negative = !trimmed.empty() && trimmed[0] == '-';
    if (!trimmed.empty() && (trimmed[0] == '-' || trimmed[0] == '+'))
        ++at;
    int64_t magnitude = 0;
    for (; at < trimmed.size() && trimmed[at] >= '0' && trimmed[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (trimmed[at] - '0');
        if (magnitude > int64_t{INT32_MAX} + 1)
            return negative ? INT32_MIN : INT32_MAX;
    }
    if (!negative && magnitude > INT32_MAX)
        return INT32_MAX;
    return parseInteger(trimmed);
}

std::string cleanedFieldText(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (c != '\t' && c != '\r' && c != '\n')
            kept += c;
    return trimBlanks(kept);
}

PreferenceStates preferenceStates(const PreferenceControls& c)
{
    PreferenceStates states{};
    states.rotationRows = c.flag(&S::rotateEnabled);
    states.resizeRows = c.flag(&S::resizeEnabled);
    states.thresholdRow = c.flag(&S::thresholdEnabled);
    states.ditherRow = c.flag(&S::ditherEnabled);
    // RGB8 and RGB16 (1, 2) are headerless and need their size; the 48-bit
    // kinds (4, 5) are high dynamic range and need tone mapping.
    const int rawLoadAs = c.value(&S::rawLoadAs);
    states.rawSizeRows = listSelects(rawLoadAs, 1) || listSelects(rawLoadAs, 2);
    states.rawToneMappingRow = listSelects(rawLoadAs, 4) || listSelects(rawLoadAs, 5);
    states.customTimestampRow = listSelects(c.value(&S::fileTimestamp), 2);
    if (c.inputFormat >= 0 && c.inputFormat < static_cast<int>(c.inputFormats.size()))
        states.inputPanel = c.inputFormats[c.inputFormat];
    if (c.outputFormat >= 0 && c.outputFormat < static_cast<int>(c.outputFormats.size()))
        states.outputPanel = c.outputFormats[c.outputFormat];
    states.frameSolidPanel = listSelects(c.value(&S::frameType), 1);
    states.watermarkTextPanel = listSelects(c.value(&S::watermarkType), 1);
    states.watermarkImagePanel = listSelects(c.value(&S::watermarkType), 2);
    states.textScaleRow = listSelects(c.value(&S::wmTextSize), 1);
    states.imageScaleRow = listSelects(c.value(&S::wmImageSize), 1);
    return states;
}

void addChosenColour(ColourChoice& choice, const std::string& hex, std::string& listSetting)
{
    const std::string colour = normalisedHexColour(hex);
    auto found = std::find(choice.colours.begin(), choice.colours.end(), colour);
    if (found == choice.colours.end()) {
        choice.colours.push_back(colour);
        found = choice.colours.end() - 1;
        listSetting += (trimBlanks(listSetting).empty() ? "" : ",") + colour;
    }
    choice.selected = static_cast<int>(found - choice.colours.begin());
}

std::optional<std::string> usableFontName(const std::string& faceName)
{
    std::string name;
    for (char c : faceName)
        if (c != ',')
            name += c;
    name = trimBlanks(name);
    // The very check a conversion makes before it draws the text.
    if (!loadWatermarkFont(name, 12, 0, 0))
        return std::nullopt;
    return name;
}

void addChosenFont(FontChoice& choice, const std::string& name)
{
    auto found = std::find(choice.names.begin(), choice.names.end(), name);
    if (found == choice.names.end()) {
        choice.names.push_back(name);
        found = choice.names.end() - 1;
    }
    choice.selected = static_cast<int>(found - choice.names.begin());
}

int fontStyleItem(int flags)
{
    const auto found = std::find(std::begin(kFontStyleFlags), std::end(kFontStyleFlags), flags);
    return found == std::end(kFontStyleFlags) ? -1 : static_cast<int>(found - std::begin(kFontStyleFlags));
}

std::string watermarkPictureFilter()
{
    const std::pair<const char*, const char*> groups[] = {
        {"Portable Network Graphics", "*.png"},
        {"Windows or OS/2 Bitmap", "*.bmp;*.rle;*.dib"},
        {"JPEG File", "*.jpg;*.jpeg;*.jpe;*.jif"},
    };
    std::string allPatterns;
    std::string groupEntries;
    for (const auto& [description, patterns] : groups) {
        allPatterns += (allPatterns.empty() ? "" : ";") + std::string(patterns);
        groupEntries += std::string(description) + "|" + patterns + "|";
    }
    return lookupText("Dialog", "All Supported Files") + "|" + allPatterns + "|" + groupEntries +
           lookupText("Dialog", "All Files") + " (*.*)|*.*";
}

FileDialogStart watermarkPictureDialogStart(const std::string& fieldText)
{
    const std::string path = trimBlanks(fieldText);
    if (path.empty())
        return {};
    if (isDirectory(path))
        return {path, ""};
    return {folderOf(path), fileNameOf(path)};
}

CalendarTime calendarOfTimestamp(int32_t seconds)
{
    const int64_t value = seconds;
    const int64_t days = (value >= 0 ? value : value - (kSecondsPerDay - 1)) / kSecondsPerDay;
    const int64_t ofDay = value - days * kSecondsPerDay;
    CalendarTime time = civilFromDays(days);
    time.hour = static_cast<int>(ofDay / 3600);
    time.minute = static_cast<int>(ofDay / 60 % 60);
    time.second = static_cast<int>(ofDay % 60);
    return time;
}

std::string timestampFieldText(const CalendarTime& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute);
    return text;
}

std::optional<CalendarTime> readTimestampField(std::string_view text)
{
    const std::string trimmed = trimBlanks(text);
    size_t at = 0;
    const auto part = [&](size_t maxDigits, char after) -> std::optional<int> {
        const std::optional<int> value = digitsAt(trimmed, at, maxDigits);
        if (!value)
            return std::nullopt;
        if (after == ' ') {
            if (at >= trimmed.size() || trimmed[at] != ' ')
                return std::nullopt;
            while (at < trimmed.size() && trimmed[at] == ' ')
                ++at;
        } else if (after != '\0') {
            if (at >= trimmed.size() || trimmed[at] != after)
                return std::nullopt;
            ++at;
        }
        return value;
    };
    const std::optional<int> year = part(4, '/');
    const std::optional<int> month = year ? part(2, '/') : std::nullopt;
    const std::optional<int> day = month ? part(2, ' ') : std::nullopt;
    const std::optional<int> hour = day ? part(2, ':') : std::nullopt;
    const std::optional<int> minute = hour ? part(2, '\0') : std::nullopt;
    if (!minute || at != trimmed.size() || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > daysInMonth(*year, *month) || *hour > 23 || *minute > 59)
        return std::nullopt;
    return CalendarTime{*year, *month, *day, *hour, *minute, 0};
}

std::optional<int32_t> typedTimestamp(std::string_view text, int32_t kept)
{
    std::optional<CalendarTime> typed = readTimestampField(text);
    if (!typed)
        return std::nullopt;
    typed->second = calendarOfTimestamp(kept).second;
    return timestampOfCalendar(*typed);
}

int32_t timestampOfCalendar(const CalendarTime& time)
{
    const int64_t seconds =
        daysFromCivil(time.year, std::clamp(time.month, 1, 12), std::clamp(time.day, 1, 31)) * kSecondsPerDay +
        int64_t{time.hour} * 3600 + int64_t{time.minute} * 60 + time.second;
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, INT32_MIN, INT32_MAX));
}

#include "overlay/naming.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "platform/clock.h"
#include "platform/text.h"
#include "platform/unicode_case.h"
#include "settings/conversion_settings.h"

namespace {

constexpr char kDefaultMask[] = "%filename%.%ext%";

std::string padded(int64_t number, size_t width)
{
    std::string digits = std::to_string(number);
    return digits.size() < width ? std::string(width - digits.size(), '0') + digits : digits;
}

struct WallClock {
    int year, month, day, hour, minute, second;
};

// Read anew for every date or time placeholder.
WallClock wallClockNow()
{
    using namespace std::chrono;
    const sys_seconds now{seconds{currentLocalTime()}};
    const sys_days today = floor<days>(now);
    const year_month_day date{today};
    const hh_mm_ss<seconds> time{now - today};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

std::optional<std::string> placeholderValue(std::string_view placeholder, const NamingFacts& facts)
{
    const std::string name = nameWithoutExtension(fileNameOf(facts.inputPath));
    if (placeholder == "%filename%")
        return name;
    if (placeholder == "%filename[u]%")
        return upperCaseText(name);
    if (placeholder == "%filename[l]%")
        return lowerCaseText(name);
    if (placeholder == "%filename[t]%")
        return titleCase(name);
    if (placeholder == "%ext%")
        return facts.outputExt;
    if (placeholder == "%ext[u]%")
        return upperCaseText(facts.outputExt);
    if (placeholder == "%ext[t]%")
        return titleCase(facts.outputExt);
    if (placeholder == "%yyyy%")
        return padded(wallClockNow().year, 4);
    if (placeholder == "%mm%")
        return padded(wallClockNow().month, 2);
    if (placeholder == "%dd%")
        return padded(wallClockNow().day, 2);
    if (placeholder == "%hh%")
        return padded(wallClockNow().hour, 2);
    if (placeholder == "%ii%")
        return padded(wallClockNow().minute, 2);
    if (placeholder == "%ss%")
        return padded(wallClockNow().second, 2);
    if (placeholder == "%bpp%")
        return std::to_string(facts.outputBpp);
    if (placeholder == "%width%")
        return std::to_string(facts.outputWidth);
    if (placeholder == "%height%")
        return std::to_string(facts.outputHeight);
    if (placeholder == "%rnd%")
        return fiveCharacterForm(facts.randomNumber);
    if (placeholder == "%n%")
        return fiveCharacterForm(facts.fileCounter);
    return std::nullopt;
}

size_t findIgnoringCase(const std::string& text, std::string_view pattern, size_t from)
{
    for (size_t at = from; at + pattern.size() <= text.size(); ++at)
        if (equalsIgnoreCaseAscii(std::string_view(text).substr(at, pattern.size()), pattern))
            return at;
    return std::string::npos;
}

}  // namespace

std::string expandPlaceholder(const std::string& text, std::string_view placeholder, const NamingFacts& facts)
{
    const std::string key = toLowerAscii(placeholder);
    if (std::find(MaskPlaceholders.begin(), MaskPlaceholders.end(), key) == MaskPlaceholders.end())
        return text;
    const std::string value = *placeholderValue(key, facts);
    std::string result;
    size_t from = 0;
    for (size_t at; (at = findIgnoringCase(text, key, from)) != std::string::npos; from = at + key.size())
        result += text.substr(from, at - from) + value;
    return result + text.substr(from);
}

namespace {

std::string loweredMask(const std::string& filenameMask)
{
    std::string mask = lowerCaseText(filenameMask);
    if (mask.empty())
        mask = kDefaultMask;
    std::replace(mask.begin(), mask.end(), '\\', '/');
    return mask;
}

std::string expandedMask(const std::string& filenameMask, const NamingFacts& facts, bool late)
{
    std::string mask = loweredMask(filenameMask);
    for (std::string_view placeholder : MaskPlaceholders)
        if ((late || !isLatePlaceholder(placeholder)) && mask.find(placeholder) != std::string::npos)
            mask = expandPlaceholder(mask, placeholder, facts);
    return mask;
}

std::string outputPath(const ConversionSettings& settings, const std::string& outputFolder,
                       const std::string& relativeFolder, const std::string& name)
{
    std::string path = outputFolder;
    if (settings.keepSubfolders)
        path += relativeFolder;
    return path + name;
}

}  // namespace

bool isLatePlaceholder(std::string_view placeholder)
{
    constexpr std::string_view kLate[] = {"%yyyy%", "%mm%",  "%dd%",    "%hh%",    "%ii%",
                                          "%ss%",   "%bpp%", "%width%", "%height%"};
    return std::find(std::begin(kLate), std::end(kLate), placeholder) != std::end(kLate);
}

bool maskHasLatePlaceholders(const std::string& mask)
{
    const std::string lowered = loweredMask(mask);
    return std::ranges::any_of(MaskPlaceholders, [&](std::string_view placeholder) {
        return isLatePlaceholder(placeholder) && lowered.find(placeholder) != std::string::npos;
    });
}

std::string expandFileNameMask(const std::string& filenameMask, const NamingFacts& facts)
{
    return expandedMask(filenameMask, facts, true);
}

std::string buildOutputPath(const ConversionSettings& settings, const std::string& outputFolder,
                            const std::string& relativeFolder, const NamingFacts& facts)
{
    return outputPath(settings, outputFolder, relativeFolder, expandFileNameMask(settings.filenameMask, facts));
}

std::string plannedOutputPath(const ConversionSettings& settings, const std::string& outputFolder,
                              const std::string& relativeFolder, const NamingFacts& facts)
{
    return outputPath(settings, outputFolder, relativeFolder, expandedMask(settings.filenameMask, facts, false));
}

std::string withNameSuffix(const std::string& path, const std::string& suffix)
{
    const size_t nameStart = path.rfind('/') + 1;  // 0 without a folder
    const size_t dot = path.rfind('.');
    const size_t at = dot == std::string::npos || dot < nameStart || dot == nameStart ? path.size() : dot;
    return path.substr(0, at) + suffix + path.substr(at);
}

std::string expandWatermarkText(const std::string& watermarkText, const NamingFacts& facts)
{
    std::string text = watermarkText;
    if (std::count(text.begin(), text.end(), '%') < 2)
        return text;
    const std::string probe = lowerCaseText(text);
    for (std::string_view placeholder : MaskPlaceholders)
        if (probe.find(placeholder) != std::string::npos)
            text = expandPlaceholder(text, placeholder, facts);
    return text;
}

std::string nameWithoutExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return name.empty() || dot == std::string::npos ? name : name.substr(0, dot);
}

std::string titleCase(std::string_view text)
{
    const size_t first = firstCharacterLength(text);
    return upperCaseText(text.substr(0, first)) + lowerCaseText(text.substr(first));
}

std::string fiveCharacterForm(int32_t number)
{
    return padded(number, 5).substr(0, 5);
}

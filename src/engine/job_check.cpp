#include "engine/job_check.h"

#include "engine/output_encoding.h"
#include "formats/format_registry.h"
#include "overlay/watermark_font.h"
#include "platform/file_access.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/setting_table.h"
#include "settings/vocabularies.h"

namespace {

constexpr int kAdjustmentLimit = 100;
constexpr float kLowestGamma = 0.01f;
constexpr float kHighestGamma = 9.99f;

bool inRange(int value, int lowest, int highest)
{
    return value >= lowest && value <= highest;
}

bool inRange(int value, PairRange range)
{
    return inRange(value, range.minimum, range.maximum);
}

bool isAllowedBpp(const std::string& extension, int bpp)
{
    return bpp == 0 || (bpp > 0 && nearestAllowedBpp(extension, bpp) == bpp);
}

bool holdsSomething(const std::string& path)
{
    std::optional<int64_t> size = regularFileSize(path);
    return size && *size > 0;
}

// The console's words for a job problem where they differ from its key;
// %s1% is the problem's argument.
struct ConsoleWording {
    const char* key;
    const char* text;
};

constexpr ConsoleWording kConsoleWordings[] = {
    {"Invalid bit depth", "Invalid %s1%-bpp value"},
    {"Invalid quality", "Invalid %s1%-quality value"},
    {"Invalid width", "Invalid width value"},
    {"Invalid height", "Invalid height value"},
    {"Invalid brightness", "Invalid brightness value"},
    {"Invalid contrast", "Invalid contrast value"},
    {"Invalid gamma", "Invalid gamma value"},
    // The console does not tell an empty name from a file that is missing.
    {"Empty watermark image", "Invalid watermark image"},
};

}  // namespace

std::string consoleProblemText(const JobProblem& problem)
{
    for (const ConsoleWording& wording : kConsoleWordings)
        if (problem.key == wording.key)
            return fillPlaceholders(wording.text, problem.argument, "", "", "");
    return problem.key;
}

std::optional<JobProblem> checkInputFile(const std::string& path)
{
    if (extensionOf(path).empty() || !holdsSomething(path) || !isReadableFile(path))
        return JobProblem{"Invalid input file", path};
    return std::nullopt;
}

std::optional<JobProblem> checkOutputFolderName(const std::string& folder)
{
    if (startsWith(folder, ".."))
        return JobProblem{"Incorrect output folder", folder};
    return std::nullopt;
}

std::optional<JobProblem> checkOutputFolder(const std::string& folder)
{
    if (folder.empty())
        return JobProblem{"Empty output folder", ""};
    if (!isDirectory(folder))
        return JobProblem{"Invalid output folder", folder};
    return std::nullopt;
}

std::optional<JobProblem> checkConversionType(const std::string& extension)
{
    if (!isValidOutputFormat(extension))
        return JobProblem{"Invalid conversion type", extension};
    return std::nullopt;
}

std::optional<JobProblem> checkOutputOptions(const ConversionSettings& settings, const std::string& extension)
{
    if (!bitDepthRowOf(extension))
        return std::nullopt;
    if (!isAllowedBpp(extension, bitDepthSettingFor(settings, extension)))
        return JobProblem{"Invalid bit depth", extension};
    // The one kind of output option with a range is the quality.
    for (const SettingRow& row : settingRows())
        if (row.preference.kind == PreferenceKind::kPair && isOptionOf(row, FormatSide::kOutput, extension) &&
            !inRange(settingNumber(settings, row.field), row.preference.range))
            return JobProblem{"Invalid quality", extension};
    return std::nullopt;
}

std::optional<JobProblem> checkResizeSettings(const ConversionSettings& settings)
{
    if (!settings.resizeEnabled)
        return std::nullopt;
    if (settings.resizeWidth == 0)
        return JobProblem{"Invalid width", ""};
    if (settings.resizeHeight == 0)
        return JobProblem{"Invalid height", ""};
    return std::nullopt;
}

std::optional<JobProblem> checkAdjustSettings(const ConversionSettings& settings)
{
    if (!settings.adjustEnabled)
        return std::nullopt;
    if (!inRange(settings.brightness, -kAdjustmentLimit, kAdjustmentLimit))
        return JobProblem{"Invalid brightness", ""};
    if (!inRange(settings.contrast, -kAdjustmentLimit, kAdjustmentLimit))
        return JobProblem{"Invalid contrast", ""};
    // Written so that a gamma that is not a number fails too.
    if (!(settings.gamma >= kLowestGamma && settings.gamma <= kHighestGamma))
        return JobProblem{"Invalid gamma", ""};
    return std::nullopt;
}

std::optional<JobProblem> checkWatermarkSettings(const ConversionSettings& settings)
{
    if (settings.watermarkType == kTextWatermark) {
        if (!loadWatermarkFont(settings.wmFont, settings.wmFontSize, settings.wmFontStyle, settings.wmFontEffect))
            return JobProblem{"Invalid watermark font", settings.wmFont};
    } else if (settings.watermarkType == kPictureWatermark) {
        if (settings.wmImage.empty())
            return JobProblem{"Empty watermark image", ""};
        if (!holdsSomething(settings.wmImage))
            return JobProblem{"Invalid watermark image", settings.wmImage};
    }
    return std::nullopt;
}

std::string resolvedOutputFolder(const std::string& folder, const std::string& programFolder)
{
    std::string resolved = folder;
    if (!startsWith(resolved, "/")) {
        if (startsWith(resolved, "./"))
            resolved.erase(0, 2);
        resolved = programFolder + resolved;
    }
    if (!endsWith(resolved, "/"))
        resolved += "/";
    return resolved;
}

std::optional<JobProblem> checkConsoleJob(const ConversionSettings& settings, const JobState& job)
{
    if (std::optional<JobProblem> problem = checkInputFile(job.inputPath))
        return problem;
    return checkJobBeyondInput(settings, job);
}

std::optional<JobProblem> checkJobBeyondInput(const ConversionSettings& settings, const JobState& job)
{
    std::optional<JobProblem> problem = checkOutputFolderName(job.outputFolder);
    if (!problem)
        problem = checkOutputFolder(resolvedOutputFolder(job.outputFolder, job.programFolder));
    if (!problem)
        problem = checkConversionType(job.outputExt);
    if (!problem)
        problem = checkOutputOptions(settings, job.outputExt);
    if (!problem)
        problem = checkResizeSettings(settings);
    if (!problem)
        problem = checkAdjustSettings(settings);
    if (!problem)
        problem = checkWatermarkSettings(settings);
    return problem;
}

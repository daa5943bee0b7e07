#include "gui/interactive_conversion.h"

#include <optional>

#include "engine/batch_driver.h"
#include "engine/job_check.h"
#include "engine/output_encoding.h"
#include "formats/format_registry.h"
#include "gui/output_format_box.h"
#include "gui/progress_view.h"
#include "gui/recent_folders.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

// A path in a warning longer than this loses its middle: a message box as
// wide as a pasted 5,000-character folder would push its OK button off
// every screen.
constexpr int kLongestNameInWarning = 100;

std::string message(const std::string& key, const std::string& argument = "")
{
    return fillPlaceholders(lookupText("Msg", key), shortenMiddle(argument, kLongestNameInWarning), "", "", "");
}

// A problem the catalogue has no words for is told as the console tells it.
std::string message(const JobProblem& problem)
{
    return hasText("Msg", problem.key) ? message(problem.key, problem.argument) : consoleProblemText(problem);
}

// The checks of the settings alone, in the console's order; the watermark's
// come last, apart, since they leave the status bar as it was.
std::optional<JobProblem> checkJobSettings(const ConversionSettings& settings, const std::string& extension)
{
    std::optional<JobProblem> problem = checkConversionType(extension);
    if (!problem)
        problem = checkOutputOptions(settings, extension);
    if (!problem)
        problem = checkResizeSettings(settings);
    if (!problem)
        problem = checkAdjustSettings(settings);
    return problem;
}

ConversionCheck stopped(const std::string& statusText, const std::string& warningText)
{
    ConversionCheck check;
    check.statusText = statusText;
    check.warningText = warningText;
    return check;
}

}  // namespace

ConversionCheck prepareInteractiveConversion(const ConversionRequest& request, JobState& job,
                                             ConversionSettings& settings)
{
    job.inputPath = trimBlanks(request.inputText);
    FileSet files = acceptedInputFiles(job.inputPath, job);
    job.outputFolder = trimBlanks(request.folderBoxText);
    job.outputExt = outputFormatAt(request.formatIndex);

    const std::string preparing = lookupText("General", "Preparing");
    const std::string notComplete = lookupText("Msg", "Conversion is not complete");
    if (files.empty())
        return stopped(notComplete, message("Empty input files"));
    if (job.outputFolder.empty())
        return stopped(notComplete, message("Empty output folder"));
    if (!endsWith(job.outputFolder, "/"))
        job.outputFolder += "/";
    if (!isDirectory(job.outputFolder))
        return stopped(notComplete, message("Invalid output folder", job.outputFolder));
    // config.ini may have been edited by hand: the window refuses what the console refuses.
    if (std::optional<JobProblem> problem = checkJobSettings(settings, job.outputExt))
        return stopped(notComplete, message(*problem));
    if (std::optional<JobProblem> problem = checkWatermarkSettings(settings))
        return stopped(preparing, message(*problem));

    job.outputFif = outputFormatInfo(job.outputExt).fif;
    chooseOutputEncoding(settings, job);
    ConversionCheck check;
    check.ready = true;
    check.folderRemembered = rememberOutputFolder(settings, job.outputFolder);
    check.statusText = lookupText("General", "Converting");
    check.files = std::move(files);
    return check;
}

void endInteractiveConversion(JobState& job, const RunResult& result)
{
    job.fileCounter = result.numbering.fileCounter;
    job.randomNumber = result.numbering.randomNumber;
}

#include "gui/interactive_conversion.h"

#include <optional>

#include "engine/batch_driver.h"
#include "engine/job_check.h"
#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "formats/format_registry.h"
#include "gui/output_format_box.h"
#include "gui/progress_view.h"
#include "gui/recent_folders.h"
#include "overlay/watermark_font.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// A path in a warning longer than this loses its middle: a message box as
// wide as a pasted 5,000-character folder would push its OK button off
// every screen.
constexpr int kLongestNameInWarning = 100;

std::string message(const std::string& key, const std::string& argument = "")
{
    return fillPlaceholders(lookupText("Msg", key), shortenMiddle(argument, kLongestNameInWarning), "", "", "");
}

ConversionCheck stopped(const std::string& statusText, const std::string& warningText)
{
    ConversionCheck check;
    check.statusText = statusText;
    check.warningText = warningText;
    return check;
}

}  // namespace

ConversionCheck prepareInteractiveConversion(const ConversionRequest& request)
{
    g_job.inputPath = trimBlanks(request.inputText);
    g_fileSet.clear();
    addInputFile(g_job.inputPath);
    g_job.outputFolder = trimBlanks(request.folderBoxText);
    g_job.outputExt = outputFormatAt(request.formatIndex);

    const std::string preparing = lookupText("General", "Preparing");
    const std::string notComplete = lookupText("Msg", "Conversion is not complete");
    if (g_fileSet.empty())
        return stopped(notComplete, message("Empty input files"));
    if (g_job.outputFolder.empty())
        return stopped(notComplete, message("Empty output folder"));
    if (!endsWith(g_job.outputFolder, "/"))
        g_job.outputFolder += "/";
    if (!isDirectory(g_job.outputFolder))
        return stopped(notComplete, message("Invalid output folder", g_job.outputFolder));
    if (std::optional<JobProblem> problem = checkResizeSettings(g_settings))
        return stopped(notComplete, message(problem->key, problem->argument));
    if (std::optional<JobProblem> problem = checkWatermarkSettings(g_settings))
        return stopped(preparing, message(problem->key, problem->argument));

    g_job.outputFif = outputFormatInfo(g_job.outputExt).fif;
    chooseOutputEncoding(g_settings, g_job);
    ConversionCheck check;
    check.ready = true;
    check.folderRemembered = rememberOutputFolder(g_job.outputFolder);
    check.statusText = lookupText("General", "Converting");
    return check;
}

void endInteractiveConversion()
{
    if (g_settings.watermarkType == kTextWatermark)
        releaseWatermarkFont();
}

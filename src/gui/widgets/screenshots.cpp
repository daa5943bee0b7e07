#include "gui/widgets/screenshots.h"

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "gui/interface_pictures.h"
#include "gui/progress_view.h"
#include "gui/theme_contact_sheet.h"
#include "gui/theme_packages.h"
#include "gui/widgets/main_frame.h"
#include "gui/widgets/native_window.h"
#include "gui/widgets/preferences_screenshots.h"
#include "gui/widgets/progress_dialog.h"
#include "gui/widgets/small_dialog_screenshots.h"
#include "platform/files.h"
#include "settings/conversion_settings.h"

namespace {

// Time for the toolkit to size and draw a window just shown.
constexpr int kSettleMilliseconds = 400;

const char* const kSampleInput = "/home/anna/Pictures/PhotoCD/IMG0001.PCD";
const char* const kSampleFolders =
    "/home/anna/Pictures/PhotoCD/\t/home/anna/Pictures/Converted/\t/media/anna/USB/Photos/";
const char* const kLongSamplePath =
    "/home/anna/Pictures/PhotoCD/Holidays 1996 - Brittany and Normandy/Roll 12/IMG0043.PCD";

// One picture: prepare shows what is to be seen and returns its window; the
// window is closed after the picture unless it is the main window.
struct NamedCapture {
    const char* fileName;
    std::function<wxTopLevelWindow*(MainFrame& frame)> prepare;
};

// The end of a run whose files were converted but for one that could not be saved.
RunResult sampleEnding(int converted, bool oneFailed)
{
    RunResult result;
    result.filesConverted = converted;
    result.outcomes.assign(static_cast<size_t>(converted), FileOutcome{});
    if (oneFailed) {
        FileOutcome failed;
        failed.failure = FileFailure::SaveFailed;
        failed.detail = "No space left on device";
        result.outcomes.push_back(failed);
    }
    return result;
}

ProgressDialog* progressSample(MainFrame& frame, int total, const ProgressSnapshot& snapshot,
                               const std::optional<RunResult>& ending, bool cancelled, int pulses = 0)
{
    auto* dialog = new ProgressDialog(&frame, total);
    ProgressView view = startProgressView(total, dialog->charWidth());
    updateProgressView(view, snapshot);
    for (int pulse = 0; pulse < pulses; ++pulse)
        pulseProgressView(view);
    if (ending)
        finishProgressView(view, *ending, cancelled);
    dialog->showView(view);
    dialog->CentreOnParent();
    dialog->Show();
    return dialog;
}

const std::vector<NamedCapture>& captures()
{
    static const std::vector<NamedCapture> list = {
        {"main-window.png", [](MainFrame& frame) -> wxTopLevelWindow* { return &frame; }},
        {"main-window-filled.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             g_settings.recentOutFolders = kSampleFolders;
             frame.takeInputFile(kSampleInput);
             return &frame;
         }},
        {"progress-running.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             return progressSample(frame, 12, {3, kLongSamplePath, 4000}, std::nullopt, false);
         }},
        {"progress-single.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             return progressSample(frame, 1, {1, kSampleInput, 0}, std::nullopt, false, 3);
         }},
        {"progress-finished.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             return progressSample(frame, 1, {1, kSampleInput, 0}, sampleEnding(1, false), false);
         }},
        {"progress-stopped.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             return progressSample(frame, 12, {5, kLongSamplePath, 4000}, sampleEnding(5, false), true);
         }},
        {"progress-failed.png",
         [](MainFrame& frame) -> wxTopLevelWindow* {
             return progressSample(frame, 1, {1, kSampleInput, 0}, sampleEnding(0, true), false);
         }},
    };
    return list;
}

void settle()
{
    wxStopWatch watch;
    while (watch.Time() < kSettleMilliseconds) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

bool savePicture(wxTopLevelWindow* window, const std::string& path)
{
    window->Raise();
    settle();
    return reportPicture(saveWindowPicture(window, path), path);
}

// Every package the program finds: a sheet of its pictures, and the empty
// main window drawn with them. False when a picture is missing.
bool writeThemePictures(const std::string& prefix)
{
    bool allWritten = true;
    const std::string folder = themeFolder(executableFolder());
    for (const auto& [key, name] : scanThemePackages(folder)) {
        const std::string package = folder + key + ".zip";
        const std::string sheet = prefix + "theme-" + key + "-icons.png";
        switch (writeThemeContactSheet(package, sheet)) {
        case ContactSheetOutcome::Written: break;
        case ContactSheetOutcome::PackageUnreadable:
            std::fprintf(stderr, "korvane: cannot read the theme package %s\n", package.c_str());
            allWritten = false;
            break;
        case ContactSheetOutcome::NotWritten: allWritten = reportPicture(false, sheet); break;
        }
        // A copy, so that the settings keep their own theme.
        ConversionSettings themed = g_settings;
        themed.uiTheme = key;
        PictureSlots pictures;
        loadInterfacePictures(themed, executableFolder(), kEveryPictureTable, pictures);
        auto* frame = new MainFrame(std::move(pictures));
        frame->start(false);
        allWritten = savePicture(frame, prefix + "main-window-" + key + ".png") && allWritten;
        frame->Destroy();
        settle();
    }
    return allWritten;
}

}  // namespace

bool reportPicture(bool written, const std::string& path)
{
    if (!written)
        std::fprintf(stderr, "korvane: cannot write %s\n", path.c_str());
    return written;
}

bool makeScreenshots(const std::string& folder, PictureSlots pictures)
{
    bool allWritten = true;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    const ConversionSettings unchanged = g_settings;

    auto* frame = new MainFrame(pictures);
    frame->start(false);
    for (const NamedCapture& capture : captures()) {
        wxTopLevelWindow* window = capture.prepare(*frame);
        allWritten = savePicture(window, prefix + capture.fileName) && allWritten;
        if (window != frame) {
            window->Destroy();
            settle();
        }
    }
    // The sample folders were there for the filled window's picture only.
    g_settings = unchanged;
    allWritten = writePreferencesScreenshots(frame, pictures, prefix) && allWritten;
    allWritten = writeSmallDialogScreenshots(frame, pictures, prefix) && allWritten;
    frame->Destroy();
    settle();
    allWritten = writeThemePictures(prefix) && allWritten;
    // Pictures that changed a setting would show what a user never chose.
    if (!(g_settings == unchanged))
        std::fprintf(stderr, "korvane: the pictures changed the settings\n");
    // Leaves without storing anything: the screenshots never touch config.ini.
    wxTheApp->Yield(true);
    return allWritten;
}

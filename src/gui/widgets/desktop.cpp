#include "gui/widgets/desktop.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <functional>

#include "gui/interface_pictures.h"
#include "gui/widgets/main_frame.h"
#include "gui/widgets/screenshots.h"
#include "gui/widgets/uninstall_prompt.h"
#include "gui/widgets/update_check.h"
#include "gui/window_entries.h"
#include "gui/window_session.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "settings/conversion_settings.h"

// The toolkit's application object; the program's own parameters are not
// the toolkit's to read.
class DesktopApp : public wxApp {
public:
    bool OnInit() override { return true; }

    // A failed check inside the toolkit is reported on standard error; the
    // window goes on rather than stopping at a modal box only a developer
    // could make sense of.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* function, const wxChar* condition,
                         const wxChar* message) override
    {
        std::fprintf(stderr, "korvane: toolkit check failed at %s:%d in %s: %s %s\n", wxString(file).utf8_str().data(),
                     line, wxString(function).utf8_str().data(), wxString(condition).utf8_str().data(),
                     wxString(message).utf8_str().data());
    }
};

namespace {

bool displayNamed()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        std::optional<std::string> value = environmentValue(variable);
        if (value && !value->empty())
            return true;
    }
    return false;
}

void reportNoDisplay(const std::string& reason)
{
    std::fprintf(stderr, "korvane: %s; the window needs a desktop session (run with -i FILE for the console).\n",
                 reason.c_str());
}

// Runs body with the toolkit started, and shuts the toolkit down after it.
void withToolkit(const std::function<void()>& body)
{
    if (!displayNamed()) {
        reportNoDisplay("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return;
    }
    static char programName[] = "korvane";
    char* arguments[] = {programName, nullptr};
    int argumentCount = 1;
    // The toolkit's own complaint would be a second, less clear line.
    wxLog::EnableLogging(false);
    const bool started = wxEntryStart(argumentCount, arguments);
    wxLog::EnableLogging(true);
    if (!started) {
        reportNoDisplay("the display cannot be opened");
        return;
    }
    wxImage::AddHandler(new wxPNGHandler);
    if (wxTheApp->CallOnInit())
        body();
    wxTheApp->OnExit();
    wxEntryCleanup();
}

PictureSlots loadAllPictures()
{
    PictureSlots pictures;
    loadInterfacePictures(g_settings, executableFolder(), kEveryPictureTable, pictures);
    return pictures;
}

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(DesktopApp);

void runWindowMode()
{
    withToolkit([] {
        const bool placementStored = startWindowSession();
        auto* frame = new MainFrame(loadAllPictures());
        frame->start(placementStored);
        autoUpdateCheck(frame);
        // Ends when the main window has closed and stored its placement.
        wxTheApp->OnRun();
        finishWindowSession();
    });
}

bool runScreenshotMode(const std::string& folder)
{
    bool allMade = true;
    withToolkit([&folder, &allMade] {
        // A copy: a theme that has gone would otherwise change the settings.
        ConversionSettings settings = g_settings;
        PictureSlots pictures;
        loadInterfacePictures(settings, executableFolder(), kEveryPictureTable, pictures);
        allMade = makeScreenshots(folder, std::move(pictures));
    });
    return allMade;
}

void runUninstallMode()
{
    withToolkit([] { runUninstallPrompt(); });
}

// The one name the module exports: the program finds the window through it.
extern "C" const WindowEntries korvaneWindowEntries = {runWindowMode, runScreenshotMode, runUninstallMode};

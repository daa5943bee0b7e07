#include <FreeImage.h>

#include <charconv>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "engine/photocd_source.h"
#include "gui/window_entries.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/interruption.h"

namespace {

// KORVANE_CONVERT_TIMEOUT: seconds one run of convert may take before it is
// stopped; for slow machines and for scripts that want to fail fast.
void readDecoderTimeout()
{
    std::optional<std::string> value = environmentValue("KORVANE_CONVERT_TIMEOUT");
    if (!value)
        return;
    int seconds = 0;
    auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), seconds);
    if (error == std::errc() && end == value->data() + value->size() && seconds > 0)
        g_decoderTimeoutSeconds = seconds;
}

// Runs what the window module is asked for; 1 when the module cannot be
// loaded (a console-only install, a module of another build).
int runOnDesktop(const StartAction& action)
{
    std::string error;
    std::optional<WindowEntries> window = loadWindowEntries(executableFolder(), error);
    if (!window) {
        printErrorLine("korvane: the window cannot be started: " + error);
        return 1;
    }
    switch (action.kind) {
    case StartAction::Kind::Window: window->runWindowMode(); return 0;
    case StartAction::Kind::Screenshots: return window->runScreenshotMode(action.screenshotFolder) ? 0 : 1;
    case StartAction::Kind::UninstallPrompt: window->runUninstallMode(); return 0;
    case StartAction::Kind::Done: break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ignoreBrokenPipes();
    handleInterruptions();
    FreeImage_Initialise(FALSE);
    readDecoderTimeout();
    std::vector<std::string> parameters(argv + 1, argv + argc);
    const StartAction action = runCommandLine(parameters);
    const int exitCode = action.kind == StartAction::Kind::Done ? action.exitStatus : runOnDesktop(action);
    FreeImage_DeInitialise();
    return exitCode;
}

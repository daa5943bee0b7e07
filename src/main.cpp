#include <FreeImage.h>

#include <charconv>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "engine/photocd_source.h"
#include "gui/widgets/desktop.h"
#include "platform/console.h"
#include "platform/environment.h"
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

}  // namespace

int main(int argc, char** argv)
{
    ignoreBrokenPipes();
    handleInterruptions();
    FreeImage_Initialise(FALSE);
    readDecoderTimeout();
    std::vector<std::string> parameters(argv + 1, argv + argc);
    const StartAction action = runCommandLine(parameters);
    int exitCode = 0;
    switch (action.kind) {
    case StartAction::Kind::Window: runWindowMode(); break;
    case StartAction::Kind::Screenshots:
        if (!runScreenshotMode(action.screenshotFolder))
            exitCode = 1;
        break;
    case StartAction::Kind::UninstallPrompt: runUninstallMode(); break;
    case StartAction::Kind::Done: exitCode = action.exitStatus; break;
    }
    FreeImage_DeInitialise();
    return exitCode;
}

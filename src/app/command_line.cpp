#include "app/command_line.h"

#include <optional>

#include "app/command_line_job.h"
#include "app/options.h"
#include "app/program_identity.h"
#include "app/usage.h"
#include "engine/batch_driver.h"
#include "engine/batch_mode.h"
#include "overlay/naming.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/instance_lock.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

// One window of a version at a time, and no uninstall prompt or pictures
// beside it: they share config.ini and the desktop. Such a start ends
// silently while another copy runs; true when this one may go on. Console
// runs share nothing with another copy (each has its own work folder and
// replaces its outputs atomically), so they never take the lock: a script
// must neither wait for a window someone left open nor be told nothing.
bool takeInstance()
{
    return tryInstanceLock(titledName(programTitle, programVersion));
}

void printBanner()
{
    printLine(titledName(programTitle, programVersion));
    printLine(kMakerNotice);
    printLine(makerWebAddress);
    printLine(" ");
}

// The switches that count only as the first parameter; nullopt when the
// first parameter is none of them.
std::optional<StartAction> handleFirstPositionSwitch(const CommandLine& commandLine)
{
    using Kind = StartAction::Kind;
    const std::string name = optionNameAt(commandLine, 0);
    if ((name == "-U" || name == "-T") && !takeInstance())
        return StartAction{Kind::Done, ""};
    if (name == "-U")
        return StartAction{Kind::UninstallPrompt, ""};
    if (name == "-T") {
        g_job.runMode.assign(1, 'T');
        return StartAction{Kind::Screenshots, commandLine.parameters.size() > 1 ? commandLine.parameters[1] : ""};
    }
    if (name == "-V" || name == "--VERSION") {
        setConsoleTitle(titledName(programTitle, programVersion));
        printLine(versionText(programVersion));
        return StartAction{};
    }
    if (name == "-H" || name == "-?" || name == "--HELP") {
        setConsoleTitle(titledName(programTitle, programVersion));
        printUsage(nameWithoutExtension(fileNameOf(executablePath())));
        return StartAction{};
    }
    return std::nullopt;
}

}  // namespace

StartAction runCommandLine(const std::vector<std::string>& parameters)
{
    const StartAction window{StartAction::Kind::Window, ""};
    if (parameters.empty())
        return takeInstance() ? window : StartAction{};
    CommandLine commandLine;
    commandLine.parameters = parameters;
    resetJob();
    resetSettings(true);
    buildCatalogue();
    if (std::optional<StartAction> handled = handleFirstPositionSwitch(commandLine))
        return *handled;

    parseOptions(commandLine);
    if (!commandLine.errorText.empty()) {
        setConsoleTitle(titledName(programTitle, programVersion));
        printLine("Error: " + commandLine.errorText);
        if (commandLine.pauseAtExit)
            waitForKey();
        return StartAction{StartAction::Kind::Done, "", commandLine.batchMode ? kBatchRefused : 0};
    }
    if (!g_job.consoleMode)
        return takeInstance() ? window : StartAction{};

    setConsoleTitle(titledName(programTitle, programVersion));
    if (!commandLine.quietMode)
        printBanner();
    int exitStatus = 0;
    if (commandLine.batchMode)
        exitStatus = runBatchMode(
            g_settings, g_job,
            {commandLine.batchInputs, commandLine.batchJobs, commandLine.skipExisting, commandLine.quietMode});
    else
        runCommandLineBatch(g_settings, g_job, commandLine.quietMode);
    if (commandLine.pauseAtExit) {
        printLine("Press any key to exit.");
        waitForKey();
    }
    return StartAction{StartAction::Kind::Done, "", exitStatus};
}

#include "app/command_line.h"

#include "app/options.h"
#include "app/program_identity.h"
#include "app/usage.h"
#include "app/window_mode.h"
#include "engine/batch_driver.h"
#include "engine/job_state.h"
#include "overlay/naming.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

void printBanner()
{
    printLine(titledName(programTitle, programVersion));
    printLine(kMakerNotice);
    printLine(kMakerWebAddress);
    printLine(" ");
}

// The switches that count only as the first parameter. True when one was
// handled and the program is to end.
bool handleFirstPositionSwitch(const CommandLine& commandLine)
{
    const std::string name = optionNameAt(commandLine, 0);
    if (name == "-U") {
        runUninstallPrompt();
        return true;
    }
    if (name == "-T") {
        g_job.runMode.assign(1, 'T');
        runScreenshotMaker(commandLine.parameters.size() > 1 ? commandLine.parameters[1] : "");
        return true;
    }
    if (name == "-V" || name == "--VERSION") {
        setConsoleTitle(titledName(programTitle, programVersion));
        printLine(versionText(programVersion));
        return true;
    }
    if (name == "-H" || name == "-?" || name == "--HELP") {
        setConsoleTitle(titledName(programTitle, programVersion));
        printUsage(nameWithoutExtension(fileNameOf(executablePath())));
        return true;
    }
    return false;
}

}  // namespace

bool runCommandLine(const std::vector<std::string>& parameters)
{
    if (parameters.empty())
        return true;
    CommandLine commandLine;
    commandLine.parameters = parameters;
    resetJob();
    resetSettings(true);
    buildCatalogue();
    if (handleFirstPositionSwitch(commandLine))
        return false;

    parseOptions(commandLine);
    if (!commandLine.errorText.empty()) {
        setConsoleTitle(titledName(programTitle, programVersion));
        printLine("Error: " + commandLine.errorText);
        if (commandLine.pauseAtExit)
            waitForKey();
        return false;
    }
    if (!g_job.consoleMode)
        return true;

    setConsoleTitle(titledName(programTitle, programVersion));
    if (!commandLine.quietMode)
        printBanner();
    runCommandLineBatch(commandLine.quietMode);
    if (commandLine.pauseAtExit) {
        printLine("Press any key to exit.");
        waitForKey();
    }
    return false;
}

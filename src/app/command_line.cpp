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
#include "platform/instance_lock.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

// One copy of a version runs at a time. Anything but a console conversion
// ends silently while another copy runs; true when this one may go on.
bool takeInstance()
{
    return tryInstanceLock(titledName(programTitle, programVersion));
}

// A console conversion waits for its turn instead: ending at once would
// report a conversion that never took place as a success.
void awaitInstance(bool quiet)
{
    const std::string name = titledName(programTitle, programVersion);
    if (tryInstanceLock(name))
        return;
    if (!quiet)
        printErrorLine("Waiting for another copy of " + name + " to finish...");
    waitForInstanceLock(name);
}

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
    const bool isSwitch = name == "-U" || name == "-T" || name == "-V" || name == "--VERSION" || name == "-H" ||
                          name == "-?" || name == "--HELP";
    if (isSwitch && !takeInstance())
        return true;
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
        return takeInstance();
    CommandLine commandLine;
    commandLine.parameters = parameters;
    resetJob();
    resetSettings(true);
    buildCatalogue();
    if (handleFirstPositionSwitch(commandLine))
        return false;

    parseOptions(commandLine);
    if (g_job.consoleMode)
        awaitInstance(commandLine.quietMode);
    else if (!takeInstance())
        return false;
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

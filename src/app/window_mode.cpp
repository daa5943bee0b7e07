#include "app/window_mode.h"

#include "app/program_identity.h"
#include "platform/app_data.h"
#include "settings/catalogue.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"

namespace {

// The maker's folder is named after the first word of the program title.
std::string makerWord()
{
    std::string title = programTitle;
    return title.substr(0, title.find(' '));
}

void quitWindowMode()
{
    if (!g_settings.outFoldersHistory)
        g_settings.recentOutFolders.clear();
    saveConfiguration();
}

}  // namespace

void runWindowMode()
{
    // Without a folder of the user's own the settings are neither read nor kept.
    const std::string folder = appDataFolder(makerWord(), "korvane");
    g_settings.configPath = folder.empty() ? std::string() : folder + "config.ini";
    loadConfiguration();
    buildCatalogue();
    // The main window belongs here: it is built, runs its event loop until the
    // user quits and stores its placement in the settings before they are saved.
    quitWindowMode();
}

// The window does not exist yet: each of these ends quietly.
void runUninstallPrompt() {}
void runScreenshotMaker(const std::string&) {}

#include "gui/window_session.h"

#include "app/program_identity.h"
#include "formats/format_registry.h"
#include "platform/app_data.h"
#include "settings/catalogue.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"
#include "settings/preference_file.h"

namespace {

// The maker's folder is named after the first word of the program title.
std::string makerWord()
{
    std::string title = programTitle;
    return title.substr(0, title.find(' '));
}

}  // namespace

bool startWindowSession()
{
    // Without a folder of the user's own the settings are neither read nor kept.
    const std::string folder = appDataFolder(makerWord(), "korvane");
    g_settings.configPath = folder.empty() ? std::string() : folder + "config.ini";
    const bool stored = readPreferenceFile(g_settings.configPath).has_value();
    loadConfiguration();
    buildCatalogue();
    buildAcceptedExtensions();
    return stored;
}

void finishWindowSession()
{
    saveConfiguration();
}

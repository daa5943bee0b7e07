#include "gui/theme_choice.h"

#include <algorithm>

#include "settings/conversion_settings.h"

// Until the packages in gfx/ are scanned, the two themes the program ships
// and the one the settings name.
std::vector<std::pair<std::string, std::string>> availableThemes()
{
    std::vector<std::pair<std::string, std::string>> themes;
    for (const std::string& key : {g_settings.uiTheme, std::string("handdrawn"), std::string("flat")}) {
        const bool known = std::any_of(themes.begin(), themes.end(), [&](const auto& theme) { return theme.first == key; });
        if (!key.empty() && !known)
            themes.emplace_back(key, key);
    }
    return themes;
}

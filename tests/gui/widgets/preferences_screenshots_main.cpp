// Builds the preferences on the display and writes the pictures of every page
// into the folder named by the one argument. Fails when the toolkit reports a
// misuse or when the pictures changed a setting.
#include <wx/app.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "gui/widgets/preferences_screenshots.h"
#include "settings/catalogue.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"

namespace {

bool g_toolkitComplained = false;

void reportAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message)
{
    std::fprintf(stderr, "%s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(function.utf8_str()), static_cast<const char*>(condition.utf8_str()),
                 static_cast<const char*>(message.utf8_str()));
    g_toolkitComplained = true;
}

std::string savedSettings(const std::string& path)
{
    g_settings.configPath = path;
    saveConfiguration();
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

class ScreenshotApp : public wxApp {
public:
    bool OnInit() override
    {
        if (argc != 2)
            return false;
        m_folder = argv[1].utf8_string();
        return true;
    }

    int OnRun() override
    {
        buildCatalogue();
        resetSettings(false);
        const std::string before = savedSettings(m_folder + "/settings-before.ini");
        writePreferencesScreenshots(nullptr, m_folder);
        const std::string after = savedSettings(m_folder + "/settings-after.ini");
        if (before != after)
            std::fprintf(stderr, "the pictures changed the settings\n");
        return before == after && !g_toolkitComplained ? 0 : 1;
    }

private:
    std::string m_folder;
};

wxIMPLEMENT_APP_NO_MAIN(ScreenshotApp);

int main(int argc, char** argv)
{
    wxSetAssertHandler(reportAssert);
    return wxEntry(argc, argv);
}

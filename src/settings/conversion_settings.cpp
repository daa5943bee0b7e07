#include "settings/conversion_settings.h"

#include "formats/format_lists.h"
#include "platform/clock.h"

ConversionSettings g_settings;

namespace {

int32_t centredOrigin(int desktopExtent, int windowExtent)
{
    return desktopExtent > windowExtent ? (desktopExtent - windowExtent) / 2 : 100;
}

}  // namespace

void resetSettings(bool forCommandLine, DesktopSize desktop)
{
    ConversionSettings s;
    s.configPath = g_settings.configPath;
    s.updateDate = currentLocalTime();
    s.customTimestamp = s.updateDate;
    s.windowX = centredOrigin(desktop.width, s.windowWidth);
    s.windowY = centredOrigin(desktop.height, s.windowHeight);
    s.inputGroup = inputFormats.front();
    s.outputFormat = outputFormats.front();
    s.keepAspectRatio = forCommandLine ? 0 : 1;
    g_settings = std::move(s);
}

#include "platform/app_data.h"

#include <sys/stat.h>

#include <cstdlib>

namespace {

std::string configHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config";
}

}  // namespace

std::string appDataFolder(const std::string& makerWord, const std::string& shortName)
{
    std::string folder = configHome() + "/";
    mkdir(folder.c_str(), 0700);
    folder += makerWord + "/";
    mkdir(folder.c_str(), 0700);
    folder += shortName + "/";
    mkdir(folder.c_str(), 0700);
    return folder;
}

#include "platform/app_data.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

std::string absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value == '/' ? value : "";
}

std::string passwordHome()
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir ||
        *found->pw_dir != '/')
        return "";
    return found->pw_dir;
}

// Made when missing; then it must be a folder of this user that no one else may write.
// Group write is harmless when the group is the user's own: with user private
// groups and umask 002 every folder a user makes is group-writable.
bool isOwnFolder(const std::string& folder)
{
    mkdir(folder.c_str(), 0700);
    struct stat st { };
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() || (st.st_mode & S_IWOTH))
        return false;
    return !(st.st_mode & S_IWGRP) || st.st_gid == getegid();
}

}  // namespace

std::string configurationHome()
{
    std::string home = absoluteVariable("XDG_CONFIG_HOME");
    if (!home.empty())
        return home;
    home = absoluteVariable("HOME");
    if (home.empty())
        home = passwordHome();
    return home.empty() ? "" : home + "/.config";
}

std::string appDataFolder(const std::string& makerWord, const std::string& shortName)
{
    const std::string home = configurationHome();
    if (home.empty())
        return "";
    std::string folder = home + "/";
    for (const std::string& part : {std::string(), makerWord + "/", shortName + "/"}) {
        folder += part;
        if (!isOwnFolder(folder))
            return "";
    }
    return folder;
}

#pragma once

#include <string>

// The folder that holds the settings of every program: $XDG_CONFIG_HOME, else
// .config in $HOME, else .config in the home folder the password database
// gives this user; "" when there is none. Only absolute paths count.
std::string configurationHome();

// configurationHome() + makerWord + "/" + shortName + "/", creating the two
// sub-folders when they are missing. "" when there is no configuration home,
// or when it or one of the two folders belongs to another user or may be
// written by others: whoever could write there could replace the settings.
std::string appDataFolder(const std::string& makerWord, const std::string& shortName);

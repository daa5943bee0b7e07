#pragma once

#include <string>

// $XDG_CONFIG_HOME (default ~/.config) + makerWord + "/" + shortName + "/",
// creating the two sub-folders when they are missing.
std::string appDataFolder(const std::string& makerWord, const std::string& shortName);

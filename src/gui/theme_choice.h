#pragma once

#include <string>
#include <utility>
#include <vector>

// The theme packages the preferences offer, as key and display name.
std::vector<std::pair<std::string, std::string>> availableThemes();

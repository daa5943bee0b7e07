#pragma once

#include <span>
#include <string>

// Prints the usage text; programName is the executable's name without folder.
void printUsage(const std::string& programName);

// The lines of the usage text before their placeholders are filled.
std::span<const char* const> usageLines();

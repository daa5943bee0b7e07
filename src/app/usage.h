#pragma once

#include <string>

// Prints the usage text; programName is the executable's name without folder.
void printUsage(const std::string& programName);

#pragma once

#include <string>
#include <vector>

// The parameters of a console run and what parsing them left behind.
struct CommandLine {
    std::vector<std::string> parameters;  // program path excluded
    std::string errorText;
    bool quietMode = false;
    bool pauseAtExit = false;
};

// Returns true when the window mode is to start; every other outcome has been
// handled inside (version, help, error, conversion) and the program ends.
bool runCommandLine(const std::vector<std::string>& parameters);

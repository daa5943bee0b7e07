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
// Takes the lock that lets one copy of this version run at a time: a console
// conversion waits while another copy runs, everything else ends silently.
bool runCommandLine(const std::vector<std::string>& parameters);

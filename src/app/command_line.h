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

// What is left to do once the command line has been read. The console's own
// outcomes (version, help, error, conversion) are handled inside and end in
// Done; the others need a display, which this layer never touches.
// Takes the lock that lets one copy of this version run at a time: a console
// conversion waits while another copy runs, everything else ends silently
// (Done) when another copy holds it.
struct StartAction {
    enum class Kind { Window, Screenshots, UninstallPrompt, Done };
    Kind kind = Kind::Done;
    std::string screenshotFolder;  // for Screenshots
};

StartAction runCommandLine(const std::vector<std::string>& parameters);

#pragma once

#include <string>
#include <vector>

// The parameters of a console run and what parsing them left behind.
struct CommandLine {
    std::vector<std::string> parameters;  // program path excluded
    std::string errorText;
    bool quietMode = false;
    bool pauseAtExit = false;
    // --batch: every plain parameter (and -i) names an input, a file or a
    // folder; "--" makes every parameter after it one.
    bool batchMode = false;
    std::vector<std::string> batchInputs;
    int batchJobs = 0;  // --jobs; 0 when not given, -1 when not a number
    bool skipExisting = false;
};

// What is left to do once the command line has been read. The console's own
// outcomes (version, help, error, conversion) are handled inside and end in
// Done; the others need a display, which this layer never touches.
// Starts that need the desktop (the window, -U, -T) take the lock that lets
// one of them run at a time, and end silently (Done) while another copy holds
// it; console runs, -V and -h neither take it nor wait for it.
struct StartAction {
    enum class Kind { Window, Screenshots, UninstallPrompt, Done };
    Kind kind = Kind::Done;
    std::string screenshotFolder;  // for Screenshots
    int exitStatus = 0;            // for Done: 0, but for a batch (engine/batch_mode.h)
};

StartAction runCommandLine(const std::vector<std::string>& parameters);

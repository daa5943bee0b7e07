#pragma once

#include <string>
#include <vector>

enum class ProgramOutcome {
    Finished,     // ran and ended by itself, whatever its exit status
    NotStarted,   // not found on PATH or could not be started
    TimedOut,     // still running after the time limit; it was killed
};

// Runs argv[0], found through PATH, with the given arguments and no shell.
// Its standard input, output and error are /dev/null. Waits at most
// timeoutSeconds, then kills it.
ProgramOutcome runProgram(const std::vector<std::string>& argv, int timeoutSeconds);

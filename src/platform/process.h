#pragma once

#include <string>
#include <vector>

enum class ProgramOutcome {
    Finished,    // ran and ended by itself, whatever its exit status
    NotStarted,  // not found on PATH or could not be started
    TimedOut,    // still running after the time limit; it was killed
};

// How a run of a program ended, with what it said about it.
struct ProgramEnd {
    ProgramOutcome outcome = ProgramOutcome::NotStarted;
    int exitStatus = 0;   // Finished by exiting: its exit status
    int signal = 0;       // Finished by a signal: that signal, else 0
    std::string failure;  // NotStarted: why
};

// Runs argv[0], found through PATH, with the given arguments and no shell,
// in workingFolder (the current folder when empty). Its standard input,
// output and error are /dev/null. It gets this program's environment, with
// each "NAME=value" of extraEnvironment in place of any value of that name.
// Waits at most timeoutSeconds for it.
//
// It runs in a process group of its own, and when it ends, by itself or
// killed at the time limit, whatever is left in that group is killed too.
// Nothing else is waited for: a grandchild that left the group cannot hold
// the program up.
ProgramEnd runProgram(const std::vector<std::string>& argv, int timeoutSeconds, const std::string& workingFolder = "",
                      const std::vector<std::string>& extraEnvironment = {});

#pragma once

#include <sys/types.h>
#include <termios.h>

#include <mutex>
#include <string>

// What an interruption has to undo. The platform layer registers each thing
// the moment it makes it and withdraws it once it is gone.
//
// Making a thing and registering it happen inside one CleanupScope, so that
// an interruption never falls between the two: the cleanup waits until the
// scope ends, and once the cleanup has begun, every new scope waits for the
// end of the program. Scopes may nest.
class CleanupScope {
public:
    CleanupScope();
    CleanupScope(const CleanupScope&) = delete;
    CleanupScope& operator=(const CleanupScope&) = delete;

private:
    std::unique_lock<std::recursive_mutex> lock_;
};

// A child started in a process group of its own (the group id is its pid);
// withdrawn before the child is reaped, so that the id is never reused meanwhile.
void registerChildGroup(pid_t group);
void withdrawChildGroup(pid_t group);

// A private work folder, removed with the files directly inside it.
void registerWorkFolder(const std::string& folder);
void withdrawWorkFolder(const std::string& folder);

// A temporary file with the given name in the folder open as folderFd. The
// registration keeps a descriptor of its own, so the folder may be closed.
void registerTemporaryFile(int folderFd, const std::string& name);
void withdrawTemporaryFile(const std::string& name);

// The settings of standard input from before a key was awaited.
void registerTerminalState(const termios& saved);
void withdrawTerminalState();

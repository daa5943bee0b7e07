#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>

#include "platform/clock.h"
#include "platform/error_text.h"
#include "platform/interruption_cleanup.h"

namespace {

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
};

// True once the child has ended. It is not collected here: until it is, its
// pid, and with it the id of its process group, cannot be given to another.
bool hasEnded(pid_t pid)
{
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno != EINTR;
    return info.si_pid == pid;
}

// Polls instead of blocking so that a hung child can be stopped.
bool pollWithLimit(pid_t pid, int64_t deadline)
{
    int pauseMs = 1;
    for (;;) {
        if (hasEnded(pid))
            return true;
        if (monotonicMilliseconds() >= deadline)
            return false;
        sleepMilliseconds(pauseMs);
        pauseMs = pauseMs < 20 ? pauseMs * 2 : 20;
    }
}

// Waits for the end of the child or the deadline, whichever comes first. A
// process descriptor wakes us the moment the child ends; polling, where the
// kernel has none, notices it up to one pause late.
bool waitWithLimit(pid_t pid, int timeoutSeconds)
{
    const int64_t deadline = monotonicMilliseconds() + int64_t{timeoutSeconds} * 1000;
    // Through syscall(): this glibc's header declares pidfd_open without C linkage.
    const int descriptor = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (descriptor < 0)
        return pollWithLimit(pid, deadline);
    for (;;) {
        const int64_t remaining = deadline - monotonicMilliseconds();
        if (remaining <= 0) {
            close(descriptor);
            return false;
        }
        pollfd watch{descriptor, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(std::min<int64_t>(remaining, 60000)));
        if (ready > 0 || (ready < 0 && errno != EINTR)) {
            close(descriptor);
            // Confirms the end; after a failed poll, waits the old way.
            return pollWithLimit(pid, deadline);
        }
    }
}

std::string_view variableName(std::string_view entry)
{
    return entry.substr(0, entry.find('='));
}

// This program's environment without the variables that extra sets, then
// extra; the pointers stay valid as long as both.
std::vector<char*> childEnvironment(const std::vector<std::string>& extra)
{
    std::vector<char*> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view name = variableName(*entry);
        if (std::none_of(extra.begin(), extra.end(), [&](const std::string& e) { return variableName(e) == name; }))
            entries.push_back(*entry);
    }
    for (const std::string& entry : extra)
        entries.push_back(const_cast<char*>(entry.c_str()));
    entries.push_back(nullptr);
    return entries;
}

}  // namespace

ProgramEnd runProgram(const std::vector<std::string>& argv, int timeoutSeconds, const std::string& workingFolder,
                      const std::vector<std::string>& extraEnvironment)
{
    if (argv.empty())
        return {ProgramOutcome::NotStarted, 0, 0, "no program named"};
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    SpawnActions io;
    posix_spawn_file_actions_addopen(&io.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&io.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io.actions, 2, "/dev/null", O_WRONLY, 0);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&io.actions, workingFolder.c_str());

    // A process group of its own, so that a hung program is stopped together
    // with whatever it started. The signals this program ignores for itself
    // are the child's usual ones again.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t usual;
    sigemptyset(&usual);
    sigaddset(&usual, SIGPIPE);
    sigaddset(&usual, SIGXFSZ);
    posix_spawnattr_setsigdefault(&attributes, &usual);
    std::vector<char*> environment = childEnvironment(extraEnvironment);
    pid_t pid = 0;
    int spawned = 0;
    {
        // An interruption stops the group, whenever it comes.
        CleanupScope scope;
        spawned = posix_spawnp(&pid, args[0], &io.actions, &attributes, args.data(), environment.data());
        if (spawned == 0)
            registerChildGroup(pid);
    }
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        return {ProgramOutcome::NotStarted, 0, 0, errorText(spawned)};
    const bool finished = waitWithLimit(pid, timeoutSeconds);
    // A program that ended has done its work; anything it left running in
    // its group, like a hung one, is stopped. The group id is still ours
    // while the child waits to be collected.
    kill(-pid, SIGKILL);
    withdrawChildGroup(pid);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!finished)
        return {ProgramOutcome::TimedOut, 0, 0, ""};
    return {ProgramOutcome::Finished, WIFEXITED(status) ? WEXITSTATUS(status) : 0,
            WIFSIGNALED(status) ? WTERMSIG(status) : 0, ""};
}

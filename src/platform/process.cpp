#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/clock.h"

extern char** environ;

namespace {

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
};

// Polls instead of blocking so that a hung child can be stopped.
bool waitWithLimit(pid_t pid, int timeoutSeconds)
{
    const int64_t deadline = monotonicMilliseconds() + int64_t{timeoutSeconds} * 1000;
    int pauseMs = 1;
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return true;
        if (monotonicMilliseconds() >= deadline)
            return false;
        sleepMilliseconds(pauseMs);
        pauseMs = pauseMs < 20 ? pauseMs * 2 : 20;
    }
}

}  // namespace

ProgramOutcome runProgram(const std::vector<std::string>& argv, int timeoutSeconds)
{
    if (argv.empty())
        return ProgramOutcome::NotStarted;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    SpawnActions io;
    posix_spawn_file_actions_addopen(&io.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&io.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io.actions, 2, "/dev/null", O_WRONLY, 0);

    // A process group of its own, so that a hung program is stopped together
    // with whatever it started.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &io.actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0)
        return ProgramOutcome::NotStarted;
    if (waitWithLimit(pid, timeoutSeconds))
        return ProgramOutcome::Finished;
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return ProgramOutcome::TimedOut;
}

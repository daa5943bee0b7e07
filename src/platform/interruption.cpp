#include "platform/interruption.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/interruption_cleanup.h"

namespace {

// Every signal whose default action ends the program and that may be caught:
// whichever one ends it, convert and the work folder go with it. SIGPIPE and
// SIGXFSZ are ignored instead, so that the write fails; the faults of the
// program itself (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS)
// keep their usual effect.
std::vector<int> endingSignals()
{
    std::vector<int> numbers{SIGINT,    SIGTERM, SIGHUP,  SIGQUIT, SIGUSR1, SIGUSR2,  SIGALRM,
                             SIGVTALRM, SIGPROF, SIGXCPU, SIGIO,   SIGPWR,  SIGSTKFLT};
    for (int number = SIGRTMIN; number <= SIGRTMAX; ++number)
        numbers.push_back(number);
    return numbers;
}

struct Registry {
    std::recursive_mutex mutex;
    std::set<pid_t> childGroups;
    std::set<std::string> workFolders;
    std::map<std::string, int> temporaryFiles;  // name, descriptor of its folder
    std::optional<termios> terminal;
    std::function<void()> report;
};

// Never destroyed: a signal may arrive while the program runs its exit.
Registry& registry()
{
    static Registry* instance = new Registry;
    return *instance;
}

// The handler only writes the signal's number here; a thread of its own
// reads it and does the work that a signal handler may not do.
int g_signalPipe[2] = {-1, -1};

void onEndingSignal(int number)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] ssize_t written = write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// Waits until the child has died, without collecting it: its worker thread
// still does that, and its process group id stays taken until then.
void awaitDeath(pid_t child)
{
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) { }
}

// Holds the registry for the rest of the program, so that nothing new is
// made meanwhile, undoes what is registered and ends by the signal.
[[noreturn]] void cleanUpAndEnd(int number)
{
    Registry& r = registry();
    r.mutex.lock();
    for (pid_t group : r.childGroups)
        kill(-group, SIGKILL);
    // A dying convert may still finish the write it is in; wait for that.
    for (pid_t group : r.childGroups)
        awaitDeath(group);
    for (const auto& [name, folderFd] : r.temporaryFiles)
        unlinkat(folderFd, name.c_str(), 0);
    const std::set<std::string> folders = r.workFolders;
    for (const std::string& folder : folders)
        removeTempFolder(folder);
    if (r.terminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &*r.terminal);
    if (r.report) {
        try {
            r.report();
        } catch (...) {
            // The program ends by the signal all the same.
        }
    }

    // The usual action, so that the exit status tells the signal; SIGQUIT
    // (Ctrl-\ on a terminal) still leaves a core file where the user's
    // limits ask for one.
    signal(number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, number);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(number);
    _exit(128 + number);
}

void watchForSignals()
{
    for (;;) {
        unsigned char number = 0;
        const ssize_t got = read(g_signalPipe[0], &number, 1);
        if (got == 1)
            cleanUpAndEnd(number);
        if (got < 0 && errno == EINTR)
            continue;
        return;
    }
}

bool startsIgnored(int number)
{
    struct sigaction current { };
    return sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void handleInterruptions()
{
    signal(SIGXFSZ, SIG_IGN);
    if (pipe2(g_signalPipe, O_CLOEXEC) != 0)
        return;
    // The handler must never block, even with the pipe full.
    fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
    try {
        std::thread(watchForSignals).detach();
    } catch (const std::system_error&) {
        return;  // without the thread the signals keep their usual effect
    }
    struct sigaction action { };
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : endingSignals())
        if (!startsIgnored(number))
            sigaction(number, &action, nullptr);
}

CleanupScope::CleanupScope() : lock_(registry().mutex) { }

void registerChildGroup(pid_t group)
{
    CleanupScope scope;
    registry().childGroups.insert(group);
}

void withdrawChildGroup(pid_t group)
{
    CleanupScope scope;
    registry().childGroups.erase(group);
}

void registerWorkFolder(const std::string& folder)
{
    CleanupScope scope;
    registry().workFolders.insert(folder);
}

void withdrawWorkFolder(const std::string& folder)
{
    CleanupScope scope;
    registry().workFolders.erase(folder);
}

void registerTemporaryFile(int folderFd, const std::string& name)
{
    CleanupScope scope;
    const int own = fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (own >= 0 && !registry().temporaryFiles.emplace(name, own).second)
        close(own);
}

void withdrawTemporaryFile(const std::string& name)
{
    CleanupScope scope;
    auto found = registry().temporaryFiles.find(name);
    if (found == registry().temporaryFiles.end())
        return;
    close(found->second);
    registry().temporaryFiles.erase(found);
}

void registerTerminalState(const termios& saved)
{
    CleanupScope scope;
    registry().terminal = saved;
}

void withdrawTerminalState()
{
    CleanupScope scope;
    registry().terminal.reset();
}

void setInterruptionReport(std::function<void()> report)
{
    CleanupScope scope;
    registry().report = std::move(report);
}

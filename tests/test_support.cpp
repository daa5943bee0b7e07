#include "test_support.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

const std::string kUnsetVariable = "\x01unset";

ScratchFolder::ScratchFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/korvane-test-XXXXXX";
    if (mkdtemp(pattern.data()))
        path = pattern + "/";
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!path.empty()) {
        // Tests may leave read-only folders behind; make them removable first.
        for (auto& entry : std::filesystem::recursive_directory_iterator(path, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> ProgramRun::lines() const
{
    return linesOf(output);
}

StartedRun::StartedRun(const std::vector<std::string>& arguments, const RunSetup& setup)
{
    std::map<std::string, std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        size_t eq = entry.find('=');
        if (eq != std::string::npos)
            environment[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    // The lock folder is also the home of any config.ini the run writes.
    environment["XDG_RUNTIME_DIR"] = privateFolder_.path;
    environment["XDG_CONFIG_HOME"] = privateFolder_.path;  // never the user's own settings
    for (const auto& [key, value] : setup.env) {
        if (value == kUnsetVariable)
            environment.erase(key);
        else
            environment[key] = value;
    }

    std::vector<std::string> envStrings;
    for (const auto& [key, value] : environment)
        envStrings.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    std::vector<std::string> argStrings{KORVANE_BINARY};
    argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : argStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int outputFds[2] = {-1, -1};
    int errorFds[2] = {-1, -1};
    if ((setup.standardOutput < 0 && pipe2(outputFds, O_CLOEXEC) != 0) || pipe2(errorFds, O_CLOEXEC) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(setup.standardOutput >= 0 ? setup.standardOutput : outputFds[1], STDOUT_FILENO);
        dup2(errorFds[1], STDERR_FILENO);
        const int input = setup.standardInput >= 0 ? setup.standardInput : open("/dev/null", O_RDONLY);
        dup2(input, STDIN_FILENO);
        if (setup.fileSizeLimit >= 0) {
            rlimit limit{static_cast<rlim_t>(setup.fileSizeLimit), static_cast<rlim_t>(setup.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (!setup.workingFolder.empty() && chdir(setup.workingFolder.c_str()) != 0)
            _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (outputFds[1] >= 0)
        close(outputFds[1]);
    close(errorFds[1]);
    outputPipe_ = outputFds[0];
    errorPipe_ = errorFds[0];
}

StartedRun::~StartedRun()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        finish();
    }
}

ProgramRun StartedRun::finish(int limitSeconds)
{
    ProgramRun run;
    pollfd reading[2] = {{outputPipe_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
    std::string* into[2] = {&run.output, &run.errors};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (reading[0].fd >= 0 || reading[1].fd >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        const int ready = poll(reading, 2, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        if (ready == 0) {
            kill(pid_, SIGKILL);  // a hung program fails its test instead of hanging the suite
            for (pollfd& open : reading)
                if (open.fd >= 0)
                    close(open.fd);
            break;
        }
        if (ready < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (reading[i].fd < 0 || reading[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = read(reading[i].fd, buffer, sizeof(buffer));
            if (got > 0) {
                into[i]->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                close(reading[i].fd);
                reading[i].fd = -1;
            }
        }
    }
    outputPipe_ = errorPipe_ = -1;
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) {
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    pid_ = -1;
    return run;
}

ProgramRun runKorvane(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env,
                      const std::string& workingFolder)
{
    RunSetup setup;
    setup.env = env;
    setup.workingFolder = workingFolder;
    return StartedRun(arguments, setup).finish();
}

std::string testDataPath(const std::string& name)
{
    return std::string(KORVANE_TESTDATA) + "/photocd/" + name;
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

bool fileExists(const std::string& path)
{
    struct stat st { };
    return lstat(path.c_str(), &st) == 0;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string stubConvertPath(const ScratchFolder& folder, const std::string& scriptBody)
{
    std::string bin = folder.path + "stub-bin/";
    mkdir(bin.c_str(), 0755);
    std::string script = bin + "convert";
    writeFile(script, "#!/bin/sh\n" + scriptBody + "\n");
    chmod(script.c_str(), 0755);
    return bin.substr(0, bin.size() - 1) + ":/usr/bin:/bin";
}

#include "test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

std::vector<std::string> ProgramRun::lines() const
{
    std::vector<std::string> result;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

ProgramRun runKorvane(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env,
                      const std::string& workingFolder)
{
    ScratchFolder lockFolder;  // also the home of any config.ini the run writes
    std::map<std::string, std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        size_t eq = entry.find('=');
        if (eq != std::string::npos)
            environment[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    environment["XDG_RUNTIME_DIR"] = lockFolder.path;
    environment["XDG_CONFIG_HOME"] = lockFolder.path;  // never the user's own settings
    for (const auto& [key, value] : env) {
        if (value == kUnsetVariable)
            environment.erase(key);
        else
            environment[key] = value;
    }
    const std::string errorsPath = lockFolder.path + "stderr.txt";

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

    int pipeFds[2];
    ProgramRun run;
    if (pipe(pipeFds) != 0)
        return run;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        int errors = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (errors >= 0)
            dup2(errors, STDERR_FILENO);
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0)
            _exit(126);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char buffer[4096];
    for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof(buffer))) > 0;)
        run.output.append(buffer, static_cast<size_t>(got));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = readFile(errorsPath);
    return run;
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
    struct stat st{};
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

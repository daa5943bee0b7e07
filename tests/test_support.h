#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// A folder of its own for one test, removed with everything in it.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string path;  // ends with "/"
};

struct ProgramRun {
    int exitCode = -1;   // -1 when a signal ended the program
    std::string output;  // standard output
    std::string errors;  // standard error
    int signal = 0;      // the signal that ended it, else 0
    std::vector<std::string> lines() const;
};

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

// As a value in runKorvane's env: the variable is removed.
extern const std::string kUnsetVariable;

// Runs the korvane program with the arguments. Each run gets a private lock
// and configuration folder (so runs never see each other as a second copy,
// nor touch the user's settings) unless env names others.
// A run still going after five minutes is killed.
ProgramRun runKorvane(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& env = {},
                      const std::string& workingFolder = "");

// How startKorvane starts the program beyond its arguments.
struct RunSetup {
    std::map<std::string, std::string> env;  // over the private folders of runKorvane
    std::string workingFolder;
    int standardInput = -1;        // /dev/null when -1
    int standardOutput = -1;       // read into ProgramRun::output when -1
    long long fileSizeLimit = -1;  // RLIMIT_FSIZE in bytes; none when -1
};

// A run of korvane going on in the background.
class StartedRun {
public:
    StartedRun(const std::vector<std::string>& arguments, const RunSetup& setup);
    ~StartedRun();
    StartedRun(const StartedRun&) = delete;
    StartedRun& operator=(const StartedRun&) = delete;

    pid_t pid() const { return pid_; }
    // Waits for the end of the program, reading what it prints meanwhile; a
    // program still running after the time limit is killed.
    ProgramRun finish(int limitSeconds = 300);

private:
    ScratchFolder privateFolder_;
    pid_t pid_ = -1;
    int outputPipe_ = -1;
    int errorPipe_ = -1;
};

std::string testDataPath(const std::string& name);  // below testdata/photocd
void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// The names in a folder, sorted; empty when it cannot be read.
std::vector<std::string> namesIn(const std::string& folder);

// A PATH that holds only a `convert` running the given shell script body,
// followed by the system folders for the shell's own tools.
std::string stubConvertPath(const ScratchFolder& folder, const std::string& scriptBody);

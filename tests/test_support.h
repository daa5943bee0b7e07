#pragma once

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
    int exitCode = -1;
    std::string output;  // standard output
    std::string errors = {};  // standard error
    std::vector<std::string> lines() const;
};

// As a value in runKorvane's env: the variable is removed.
extern const std::string kUnsetVariable;

// Runs the korvane program with the arguments. Each run gets a private lock
// and configuration folder (so runs never see each other as a second copy,
// nor touch the user's settings) unless env names others.
ProgramRun runKorvane(const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& env = {},
                      const std::string& workingFolder = "");

std::string testDataPath(const std::string& name);  // below testdata/photocd
void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// The names in a folder, sorted; empty when it cannot be read.
std::vector<std::string> namesIn(const std::string& folder);

// A PATH that holds only a `convert` running the given shell script body,
// followed by the system folders for the shell's own tools.
std::string stubConvertPath(const ScratchFolder& folder, const std::string& scriptBody);

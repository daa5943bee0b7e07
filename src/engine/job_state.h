#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

// The running job: what is converted, where to, and how it is named and encoded.
struct JobState {
    std::string programFolder;   // folder of the executable, ending with "/"
    std::string inputPath;       // the file being converted
    std::string cliInput;        // the -i path until the driver takes it over
    std::string relativeFolder;  // subfolder below the input folder, or ""
    std::string outputPath;      // full path of the saved output
    std::string outputFolder;    // ends with "/" once the driver has checked it
    int32_t randomNumber = 0;    // %rnd%, 1 to 99999
    int32_t fileCounter = 0;     // %n%, 1 for the first file of a job
    std::string jobInputGroup;
    int32_t sourceBpp = 0;       // depth of the picture as first loaded
    int32_t outputFif = 0;       // FreeImage format of the output
    std::string outputExt;       // lower case, without the dot
    int32_t outputBpp = 0;       // 0 = automatic until a file replaces it
    int32_t saveFlags = 0;
    uint8_t autoBpp = 0;
    uint8_t consoleMode = 0;
    std::string runMode;         // "DEBUG" for the debug listing
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
};

struct FileEntry {
    std::string relativeFolder;
};

// The job's input files, keyed by full path.
using FileSet = std::map<std::string, FileEntry>;

// What the worker tells the driver. Guarded by progressMutex, except running:
// the driver's stop request, which the worker reads before each file.
struct ProgressRecord {
    int32_t filesStarted = 0;
    std::string currentFile;
    int64_t lastDurationMs = 0;
    int32_t filesConverted = 0;
    std::atomic<uint8_t> running{0};
};

extern JobState g_job;
extern FileSet g_fileSet;
extern ProgressRecord g_progress;
extern std::mutex progressMutex;

// Starts a new empty job: fresh random number, counter 1, empty file set.
void resetJob();

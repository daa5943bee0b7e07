#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

// Threads. A job runs on one worker thread (ConversionWorker) while the
// interface thread, the console driver or the window, waits or polls:
//
// - Before the worker starts, the interface thread fills g_job and g_fileSet,
//   checks the job (which loads the watermark font) and resets g_progress.
//   Until the worker has ended it changes none of them, nor g_settings, of
//   which the worker takes a copy when it starts.
// - While the worker runs it owns g_job: it writes the current file's fields
//   (inputPath, relativeFolder, sourceBpp, outputBpp, outputWidth,
//   outputHeight, outputPath) and moves randomNumber and fileCounter on. It
//   only reads g_fileSet and the watermark font. The interface thread reads
//   neither g_job nor g_fileSet until the worker has ended.
// - g_progress is the one record both threads use meanwhile. The worker
//   writes filesStarted, currentFile, lastDurationMs and filesConverted under
//   progressMutex, and the interface thread reads them under it (the window's
//   progress dialog polls every 15 ms). running is atomic: the interface
//   thread clears it to stop the job, and the worker reads it before each
//   file, so a stop takes effect between files.
// - The message catalogue only reads once it is built, so either thread may
//   look up texts.
// - After the worker has ended (joined), the interface thread owns
//   everything again and releases the watermark font.

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
    int32_t sourceBpp = 0;  // depth of the picture as first loaded
    int32_t outputFif = 0;  // FreeImage format of the output
    std::string outputExt;  // lower case, without the dot
    int32_t outputBpp = 0;  // 0 = automatic until a file replaces it
    int32_t saveFlags = 0;
    uint8_t autoBpp = 0;
    uint8_t consoleMode = 0;
    std::string runMode;  // "DEBUG" for the debug listing
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
};

struct FileEntry {
    std::string relativeFolder;
};

// The job's input files, keyed by full path.
using FileSet = std::map<std::string, FileEntry>;

// What the worker tells the interface thread. Guarded by progressMutex, except
// running: the stop request, which the worker reads before each file.
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

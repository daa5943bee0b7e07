#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

// Threads. A conversion is a ConversionRun (conversion_run.h): it converts
// its files on a worker thread of its own, while the thread that made it
// (the console driver, the window's progress dialog, a test) waits or polls.
//
// - A run is made from values: a copy of the settings, of the JobState and of
//   the FileSet below. Whoever made it may change the originals at once (the
//   window edits its job, the preferences g_settings); the run never sees it.
//   The run loads its own watermark font from its copy of the settings.
// - What changes while a file is converted belongs to the worker alone: the
//   file's FileJob, its work folder, and the numbering (%n%, %rnd%) that moves
//   on after each converted file. Nothing of it is global.
// - The other thread reaches the worker only through the run: snapshot()
//   copies the progress under the run's mutex (the window polls every 15 ms);
//   pause() and resume() close and open the gate the worker passes before
//   each file; stop() lets no further file start; finish() joins the worker
//   and hands back the outcomes and where the numbering stands.
// - Runs share no mutable state, so several may go on at once. What every
//   run reads is fixed once start-up has set it: the message catalogue, the
//   format registry, the decoder's time limit and FreeImage's plugins. The
//   platform's cleanup registry, which interruptions use, locks itself.
// - The records start-up keeps, g_settings and the command line's g_job (in
//   src/app), and the window's own job are the interface thread's alone; the
//   engine takes what it needs from them as parameters.

// The job as the command line or the window sets it up: what is converted,
// where to, and how it is named and encoded. It stays the same for every
// file of a run.
struct JobState {
    std::string programFolder;  // folder of the executable, ending with "/"
    std::string inputPath;      // the input as named: -i once the driver took it over, or the window's input field
    std::string cliInput;       // the -i path until the driver takes it over
    std::string outputFolder;   // ends with "/" once the driver has checked it
    int32_t randomNumber = 0;   // %rnd% of the next file converted, 1 to 99999
    int32_t fileCounter = 0;    // %n% of the next file converted, 1 for the first file of a job
    std::string jobInputGroup;
    int32_t outputFif = 0;  // FreeImage format of the output
    std::string outputExt;  // lower case, without the dot
    int32_t outputBpp = 0;  // 0 = automatic: each file's own depth decides
    int32_t saveFlags = 0;
    uint8_t autoBpp = 0;
    uint8_t consoleMode = 0;
    std::string runMode;  // "DEBUG" for the debug listing
};

// Where a file of a batch is saved.
struct SettledOutput {
    std::string path;
    bool leaveAlone = false;  // the output exists, and the batch leaves it as it is
};

// One file of a run, as its conversion fills it in.
struct FileJob {
    std::string inputPath;       // the file being converted
    std::string relativeFolder;  // subfolder below the input folder, or ""
    int32_t randomNumber = 0;    // %rnd%
    int32_t fileCounter = 0;     // %n%
    int32_t sourceBpp = 0;       // depth of the picture as first loaded
    int32_t outputBpp = 0;       // the job's depth, or the one chosen for this file
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
    std::string outputPath;  // full path of the output
    // Set by a batch, which hands out the output names: given the path the
    // mask made, the path to save under (another one when a file of the
    // batch has that name), and whether to leave the file alone because its
    // output exists. Called on the worker's thread.
    std::function<SettledOutput(const std::string& maskPath)> settleOutputPath;
};

struct FileEntry {
    std::string relativeFolder;
};

// A job's input files, keyed by full path.
using FileSet = std::map<std::string, FileEntry>;

// A new empty job: the program's folder, a fresh random number, counter 1.
// Also settles which input extensions are accepted.
JobState newJob();

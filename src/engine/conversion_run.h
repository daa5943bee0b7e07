#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/file_outcome.h"
#include "engine/job_state.h"
#include "overlay/watermark_font.h"
#include "settings/conversion_settings.h"

// Where %n% and %rnd% stand: the values of the next file converted.
struct RunNumbering {
    int32_t fileCounter = 0;
    int32_t randomNumber = 0;
};

// What a run has done so far.
struct RunProgress {
    int32_t filesStarted = 0;
    std::string currentFile;     // the file started last
    int64_t lastDurationMs = 0;  // of the file before it: 0 when it failed, at least 1000 when it was converted
    int32_t filesConverted = 0;
    std::vector<FileOutcome> outcomes;  // of the files ended, in their order
    bool ended = false;                 // the worker is done; finish() returns at once
};

// How a run ended.
struct RunResult {
    int32_t filesConverted = 0;
    std::vector<FileOutcome> outcomes;  // one for each file started
    RunNumbering numbering;             // where the job's numbering stands after the run
};

// One conversion of a job's files, handed everything it uses when it is
// made: a copy of the settings, the job's fixed facts and its inputs. It owns
// what changes meanwhile (the current file, the numbering, its watermark
// font, the gate and the progress), so that several runs can go on at once.
// The thread contract is in job_state.h.
//
// Each file is converted in the order of the file set on one worker thread;
// on a debug run of the console the worker prints each file's lines.
class ConversionRun {
public:
    ConversionRun(ConversionSettings settings, JobState job, FileSet files);
    // A run still going is stopped after its current file and waited for.
    ~ConversionRun();
    ConversionRun(const ConversionRun&) = delete;
    ConversionRun& operator=(const ConversionRun&) = delete;

    int fileCount() const { return static_cast<int>(files_.size()); }

    // Starts the worker; once only.
    void start();
    RunProgress snapshot() const;
    // While paused, no further file starts; the one under way goes on.
    void pause();
    void resume();
    // No further file starts, also while paused; the one under way ends first.
    void stop();
    // Waits for the worker's end (at once for a run never started).
    RunResult finish();

private:
    void work();
    // Waits while the run is paused; false once it is stopped.
    bool mayStartAnotherFile();
    void convertOne(const std::string& path, const FileEntry& entry, int64_t& lastDuration);

    const ConversionSettings settings_;
    const JobState job_;
    const FileSet files_;
    const std::optional<WatermarkFont> font_;
    RunNumbering numbering_;  // the worker's while it runs

    mutable std::mutex mutex_;
    std::condition_variable gateOpened_;
    bool paused_ = false;
    bool stopped_ = false;
    RunProgress progress_;
    bool started_ = false;
    std::thread worker_;
};

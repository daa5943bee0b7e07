#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/batch_plan.h"
#include "engine/file_outcome.h"
#include "engine/job_state.h"
#include "overlay/watermark_font.h"
#include "settings/conversion_settings.h"

// How one file of a batch ended.
enum class BatchFileEnd { Converted, Skipped, Failed };

struct BatchFileResult {
    size_t index = 0;  // the file's place in the plan
    BatchFileEnd end = BatchFileEnd::Failed;
    FileOutcome outcome;  // the output path, or why the file was skipped or failed
    // When the file got another name than its mask gave (a suffix): the file
    // of the batch that has that name, and that file's name as it was planned
    // (the size placeholders still in it) or, where the names met only once
    // the pictures were made, as it was saved.
    size_t clashWith = kNoFile;
    std::string clashName;
    std::vector<std::string> lines;  // what its conversion printed (the debug listing)
    bool converted = false;          // a conversion was tried, not only a look at the file
};

// Files done so far, counted.
struct BatchTally {
    int converted = 0;
    int skipped = 0;
    int failed = 0;
    int ended() const { return converted + skipped + failed; }
};

// A batch: the planned files converted by several workers at once, each
// worker taking the next file of the plan when it is free, so that a slow
// picture holds up no other. Each worker is one thread with its own watermark
// font, file record and work folders, as a ConversionRun is (job_state.h);
// what they share is under the batch's mutex: the next file, the names given
// out and the results.
//
// Before converting a file a worker reads its first bytes: a file that
// cannot be read or is no image pac fails at once, the disc's information
// file and overview pac are skipped. With skipExisting, a file whose output
// exists is skipped, before the conversion when its name is fixed, else as
// soon as its name is known (a mask with the picture's size).
class BatchRun {
public:
    BatchRun(ConversionSettings settings, JobState job, std::vector<PlannedFile> plan, int workers, bool skipExisting);
    // A batch still going is stopped after the files under way and waited for.
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    size_t fileCount() const { return plan_.size(); }
    const PlannedFile& plannedFile(size_t index) const { return plan_[index]; }

    void start();
    // Waits up to timeoutMs for a file to end (not at all when one has
    // already ended); the results of the files that ended since the last
    // call, in the order they ended.
    std::vector<BatchFileResult> awaitResults(int timeoutMs);
    // True once every worker has ended and every result was handed out.
    bool ended() const;
    // No further file starts; the ones under way end first.
    void stop();
    // Where the batch stands, and the results of the failed files so far in
    // the order of the plan; safe from any thread.
    BatchTally tally() const;
    std::vector<BatchFileResult> failures() const;

private:
    void work();
    std::optional<size_t> nextFile();
    BatchFileResult convertPlanned(size_t index, const std::optional<WatermarkFont>& font);
    // The path the file is saved under (see FileJob::settleOutputPath).
    SettledOutput settle(size_t index, const std::string& maskPath, BatchFileResult& result);
    void record(BatchFileResult result);

    const ConversionSettings settings_;
    const JobState job_;
    const std::vector<PlannedFile> plan_;
    const int workerCount_;
    const bool skipExisting_;

    mutable std::mutex mutex_;
    std::condition_variable resultCame_;
    size_t next_ = 0;
    bool stopped_ = false;
    int workersRunning_ = 0;
    std::map<std::string, size_t> claimed_;  // nameClashKey of each output path given out, and its file
    std::vector<BatchFileResult> fresh_;     // not yet handed out
    std::vector<std::optional<BatchFileResult>> results_;
    BatchTally tally_;
    bool started_ = false;
    std::vector<std::thread> workers_;
};

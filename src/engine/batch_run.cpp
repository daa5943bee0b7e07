#include "engine/batch_run.h"

#include <algorithm>
#include <utility>

#include "engine/listed_file.h"
#include "overlay/naming.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/regular_file_read.h"
#include "settings/vocabularies.h"

namespace {

bool debugListing(const JobState& job)
{
    return job.consoleMode && job.runMode == "DEBUG";
}

// A whole output is there: saves never leave a partial one, but an empty
// file from elsewhere holds no picture.
bool outputExists(const std::string& path)
{
    const std::optional<int64_t> size = regularFileSize(path);
    return size && *size > 0;
}

FileOutcome failedWith(FileFailure failure, const std::string& detail = "")
{
    FileOutcome outcome;
    outcome.failure = failure;
    outcome.detail = detail;
    return outcome;
}

// A file settled before any conversion, with the lines a debug run shows for it.
void endWithoutConversion(BatchFileResult& result, BatchFileEnd end, FileOutcome outcome, const std::string& path,
                          bool debug)
{
    result.end = end;
    result.outcome = std::move(outcome);
    if (!debug)
        return;
    printLine("Processing: " + path);
    if (result.outcome.failure == FileFailure::OutputExists) {
        printLine("[SKIPPED] The output file exists: " + result.outcome.outputPath);
    } else if (end == BatchFileEnd::Skipped) {
        printLine("[SKIPPED] " + failureReason(result.outcome));
    } else {
        printLine("[ERROR] Unable to convert the file!");
        printLine("Reason: " + failureReason(result.outcome));
    }
}

}  // namespace

BatchRun::BatchRun(ConversionSettings settings, JobState job, std::vector<PlannedFile> plan, int workers,
                   bool skipExisting)
    : settings_(std::move(settings)), job_(std::move(job)), plan_(std::move(plan)),
      workerCount_(std::max(1, std::min(workers, static_cast<int>(plan_.size())))), skipExisting_(skipExisting),
      results_(plan_.size())
{
    // A fixed name is known now: each file holds its own from the start, so
    // no other can take it whatever the order the files end in.
    for (size_t i = 0; i < plan_.size(); ++i)
        if (plan_[i].nameFixed)
            claimed_.emplace(nameClashKey(withNameSuffix(plan_[i].plannedPath, plan_[i].nameSuffix)), i);
}

BatchRun::~BatchRun()
{
    stop();
    for (std::thread& worker : workers_)
        if (worker.joinable())
            worker.join();
}

void BatchRun::start()
{
    if (started_)
        return;
    started_ = true;
    if (plan_.empty())
        return;
    workersRunning_ = workerCount_;
    for (int i = 0; i < workerCount_; ++i)
        workers_.emplace_back(&BatchRun::work, this);
}

std::vector<BatchFileResult> BatchRun::awaitResults(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(mutex_);
    resultCame_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [this] { return !fresh_.empty() || workersRunning_ == 0; });
    return std::exchange(fresh_, {});
}

bool BatchRun::ended() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return started_ && workersRunning_ == 0 && fresh_.empty();
}

void BatchRun::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
}

BatchTally BatchRun::tally() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return tally_;
}

std::vector<BatchFileResult> BatchRun::failures() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<BatchFileResult> failed;
    for (const std::optional<BatchFileResult>& result : results_)
        if (result && result->end == BatchFileEnd::Failed)
            failed.push_back(*result);
    return failed;
}

void BatchRun::work()
{
    // Each worker's own font, as each run has its own (job_state.h).
    std::optional<WatermarkFont> font;
    if (settings_.watermarkType == kTextWatermark)
        font = loadWatermarkFont(settings_.wmFont, settings_.wmFontSize, settings_.wmFontStyle, settings_.wmFontEffect);
    while (std::optional<size_t> index = nextFile())
        record(convertPlanned(*index, font));
    std::lock_guard<std::mutex> lock(mutex_);
    workersRunning_ -= 1;
    resultCame_.notify_all();
}

std::optional<size_t> BatchRun::nextFile()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopped_ || next_ >= plan_.size())
        return std::nullopt;
    return next_++;
}

void BatchRun::record(BatchFileResult result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    switch (result.end) {
    case BatchFileEnd::Converted: tally_.converted += 1; break;
    case BatchFileEnd::Skipped: tally_.skipped += 1; break;
    case BatchFileEnd::Failed: tally_.failed += 1; break;
    }
    results_[result.index] = result;
    fresh_.push_back(std::move(result));
    resultCame_.notify_all();
}

BatchFileResult BatchRun::convertPlanned(size_t index, const std::optional<WatermarkFont>& font)
{
    const PlannedFile& planned = plan_[index];
    const std::string& path = planned.input.path;
    const bool debug = debugListing(job_);
    BatchFileResult result;
    result.index = index;
    // Whatever the file prints waits until it has ended, so that the lines
    // of files converted at once never mix.
    CapturedLines capture;

    const RegularFileStart start = readRegularFileStart(path, kInputContentBytes);
    const InputContent content = start.read ? inputContentOf(start.bytes) : InputContent::Other;
    if (!start.read) {
        endWithoutConversion(result, BatchFileEnd::Failed, failedWith(FileFailure::InputUnreadable, start.failure),
                             path, debug);
    } else if (content == InputContent::Other) {
        endWithoutConversion(result, BatchFileEnd::Failed, failedWith(FileFailure::NotAnImagePac), path, debug);
    } else if (content != InputContent::ImagePac) {
        const char* what =
            content == InputContent::OverviewPac ? "the disc's overview pac" : "the disc's information file";
        endWithoutConversion(result, BatchFileEnd::Skipped, failedWith(FileFailure::NoPicture, what), path, debug);
    } else if (const std::string fixedPath = withNameSuffix(planned.plannedPath, planned.nameSuffix);
               skipExisting_ && planned.nameFixed && outputExists(fixedPath)) {
        FileOutcome exists = failedWith(FileFailure::OutputExists);
        exists.outputPath = fixedPath;
        endWithoutConversion(result, BatchFileEnd::Skipped, exists, path, debug);
    } else {
        FileJob file;
        file.inputPath = path;
        file.relativeFolder = planned.input.relativeFolder;
        file.randomNumber = planned.randomNumber;
        file.fileCounter = planned.fileCounter;
        file.outputBpp = job_.outputBpp;
        file.settleOutputPath = [this, index, &result](const std::string& maskPath) {
            return settle(index, maskPath, result);
        };
        result.converted = true;
        result.outcome = convertListedFile(settings_, job_, font, file);
        if (result.outcome.converted())
            result.end = BatchFileEnd::Converted;
        else
            result.end =
                result.outcome.failure == FileFailure::OutputExists ? BatchFileEnd::Skipped : BatchFileEnd::Failed;
    }
    result.lines = capture.take();
    return result;
}

SettledOutput BatchRun::settle(size_t index, const std::string& maskPath, BatchFileResult& result)
{
    const PlannedFile& planned = plan_[index];
    std::string path = withNameSuffix(maskPath, planned.nameSuffix);
    if (planned.clashWith != kNoFile) {
        const PlannedFile& first = plan_[planned.clashWith];
        result.clashWith = planned.clashWith;
        result.clashName = withNameSuffix(first.plannedPath, first.nameSuffix);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // Names known only now (a mask with the picture's size) are given out
        // first come, first served; a fixed name was the file's own from the start.
        auto holder = claimed_.find(nameClashKey(path));
        if (holder != claimed_.end() && holder->second != index) {
            result.clashWith = holder->second;
            result.clashName = path;
            for (int number = 2; claimed_.contains(nameClashKey(path)); ++number)
                path = withNameSuffix(maskPath, "-" + std::to_string(number));
        }
        claimed_.emplace(nameClashKey(path), index);
    }
    return {path, skipExisting_ && outputExists(path)};
}

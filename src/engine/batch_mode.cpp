#include "engine/batch_mode.h"

#include <algorithm>
#include <mutex>

#include "engine/batch_driver.h"
#include "engine/batch_inputs.h"
#include "engine/batch_plan.h"
#include "engine/batch_report.h"
#include "engine/batch_run.h"
#include "engine/job_check.h"
#include "engine/job_listing.h"
#include "engine/job_report.h"
#include "formats/format_registry.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/machine.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// What one worker may need at its peak: convert decoding a 16Base picture,
// or the built-in decoder with its planes and the picture.
constexpr int64_t kConvertWorkerBytes = int64_t{300} << 20;
constexpr int64_t kBuiltInWorkerBytes = int64_t{80} << 20;
constexpr int kRedrawMs = 250;

// The listing of a console job, with one "Input: " line for each input.
std::vector<ListingLine> batchListing(const ConversionSettings& settings, const JobState& job,
                                      const std::vector<std::string>& inputs)
{
    std::vector<ListingLine> listing = consoleJobListing(settings, job);
    std::vector<ListingLine> lines;
    for (const std::string& input : inputs)
        lines.push_back({"Input: " + input, {}});
    if (inputs.empty())
        lines.push_back({"Input: ", {"No input file or folder"}});
    lines.insert(lines.end(), listing.begin() + 1, listing.end());
    for (ListingLine& line : lines)
        if (line.text.starts_with("Output: "))
            line.problemsAfter.push_back("Empty output folder");
    return lines;
}

// Checks the job and readies it for the workers; false when it was refused.
// A relative output folder is taken from the current folder, as a shell
// user expects of a tool that takes many paths.
bool prepareBatchJob(const ConversionSettings& settings, JobState& job, const BatchRequest& request)
{
    if (!job.outputFolder.empty())
        job.outputFolder = absolutePath(job.outputFolder);
    if (job.jobInputGroup.empty())
        job.jobInputGroup = inputFormats.front();
    if (job.outputExt.empty())
        job.outputExt = outputFormats.front();
    std::optional<JobProblem> problem;
    if (request.inputs.empty())
        problem = JobProblem{"No input file or folder", ""};
    else if (job.outputFolder.empty())
        problem = JobProblem{"Empty output folder", ""};
    else if (request.jobs < 0 || request.jobs > kMostBatchJobs)
        problem = JobProblem{"Invalid jobs value", ""};
    else
        problem = checkJobBeyondInput(settings, job);
    reportConsoleJob(batchListing(settings, job, request.inputs), job.runMode == "DEBUG", problem);
    if (problem)
        return false;
    readyCheckedJob(settings, job);
    return true;
}

// What the batch has printed and still has to print. The main thread prints
// the lines of the files in the order of the plan as they come in; the
// interruption's report prints the summary instead. Whoever prints holds
// the mutex, and the report never gives it back, so nothing follows its
// summary.
class BatchConsole {
public:
    BatchConsole(const BatchRun& run, std::vector<BatchFailure> inputProblems, bool quiet)
        : run_(run), inputProblems_(std::move(inputProblems)), quiet_(quiet), terminal_(outputIsTerminal()),
          results_(run.fileCount()), began_(monotonicMilliseconds())
    {
    }

    void take(std::vector<BatchFileResult> results)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (BatchFileResult& result : results) {
            conversions_ += result.converted ? 1 : 0;
            results_[result.index] = std::move(result);
        }
        for (; nextToPrint_ < results_.size() && results_[nextToPrint_]; ++nextToPrint_)
            printResult(*results_[nextToPrint_]);
        if (terminal_ && !quiet_) {
            showStatusLine(
                batchProgressLine(run_.tally().ended(), total(), conversions_, monotonicMilliseconds() - began_));
            statusShown_ = true;
        }
    }

    void printSummary(bool interrupted)
    {
        // After an interruption the lock is kept until the program ends.
        std::unique_lock<std::mutex> lock(mutex_);
        if (interrupted)
            lock.release();
        clearStatus();
        if (quiet_ && !interrupted)
            return;
        BatchSummary summary;
        summary.total = total();
        summary.tally = run_.tally();
        summary.tally.failed += static_cast<int>(inputProblems_.size());
        summary.failures = inputProblems_;
        for (const BatchFileResult& failed : run_.failures())
            summary.failures.push_back({inputOf(failed.index), failureReason(failed.outcome)});
        summary.renamed = renamed_;
        summary.interrupted = interrupted;
        for (const std::string& line : batchSummaryLines(summary))
            printLine(line);
    }

private:
    int total() const { return static_cast<int>(results_.size() + inputProblems_.size()); }

    const std::string& inputOf(size_t index) const { return run_.plannedFile(index).input.path; }

    std::string otherInputOf(const BatchFileResult& result) const
    {
        return result.clashWith == kNoFile ? std::string() : inputOf(result.clashWith);
    }

    // Other lines go above the status line: it is cleared first and drawn
    // again after them.
    void clearStatus()
    {
        if (statusShown_)
            clearStatusLine();
        statusShown_ = false;
    }

    void printResult(const BatchFileResult& result)
    {
        for (const std::string& line : result.lines) {
            clearStatus();
            printLine(line);
        }
        if (result.clashWith != kNoFile && result.end == BatchFileEnd::Converted)
            renamed_.push_back(batchRenamedEntry(result, inputOf(result.index), otherInputOf(result)));
        // A terminal shows the status line instead of a line for each file.
        if (result.end == BatchFileEnd::Failed || (!quiet_ && !terminal_)) {
            clearStatus();
            printLine(batchFileLine(result, inputOf(result.index), otherInputOf(result)));
        }
    }

    const BatchRun& run_;
    const std::vector<BatchFailure> inputProblems_;
    const bool quiet_;
    const bool terminal_;
    std::mutex mutex_;
    std::vector<std::optional<BatchFileResult>> results_;
    size_t nextToPrint_ = 0;
    int conversions_ = 0;
    bool statusShown_ = false;
    std::vector<std::string> renamed_;
    const int64_t began_;
};

int convertAll(const ConversionSettings& settings, const JobState& job, const BatchRequest& request,
               const BatchInputs& inputs)
{
    std::vector<PlannedFile> plan = planBatch(settings, job, inputs.files);
    const int asked = request.jobs > 0
                          ? request.jobs
                          : defaultBatchJobs(usableProcessorCount(), availableMemoryBytes(), settings.photoCdDecoder);
    const int workers = std::max(1, std::min(asked, static_cast<int>(plan.size())));
    if (!request.quiet)
        printLine("Converting " + std::to_string(plan.size()) + " files, " + std::to_string(workers) + " at a time");
    const std::vector<BatchFailure>& problems = inputs.problems;
    for (const BatchFailure& problem : problems)
        printLine(batchFailureLine(problem));

    BatchRun run(settings, job, std::move(plan), workers, request.skipExisting);
    BatchConsole console(run, problems, request.quiet);
    setInterruptionReport([&console] { console.printSummary(true); });
    run.start();
    while (!run.ended())
        console.take(run.awaitResults(kRedrawMs));
    setInterruptionReport({});
    console.printSummary(false);
    const BatchTally tally = run.tally();
    return tally.failed > 0 || !problems.empty() ? kBatchSomeFailed : kBatchAllDone;
}

}  // namespace

int defaultBatchJobs(int processors, std::optional<int64_t> availableBytes, int32_t decoder)
{
    const int64_t workerBytes = decoder == kBuiltInDecoder ? kBuiltInWorkerBytes : kConvertWorkerBytes;
    int jobs = std::max(1, processors);
    if (availableBytes)
        jobs = static_cast<int>(std::min<int64_t>(jobs, std::max<int64_t>(1, *availableBytes / workerBytes)));
    return jobs;
}

int runBatchMode(const ConversionSettings& settings, JobState job, const BatchRequest& request)
{
    if (!prepareBatchJob(settings, job, request))
        return kBatchRefused;
    const BatchInputs inputs = collectBatchInputs(request.inputs);
    if (job.runMode == "DEBUG")
        for (const std::string& link : inputs.linksLeftOut)
            printLine("Link not followed: " + link);
    if (inputs.files.empty() && inputs.problems.empty()) {
        printLine(lookupText("Msg", "Empty input files"));
        return kBatchSomeFailed;
    }
    return convertAll(settings, job, request, inputs);
}

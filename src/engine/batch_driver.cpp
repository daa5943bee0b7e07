#include "engine/batch_driver.h"

#include <algorithm>

#include "engine/conversion_run.h"
#include "engine/job_check.h"
#include "engine/job_listing.h"
#include "engine/job_report.h"
#include "engine/output_encoding.h"
#include "formats/format_registry.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"

namespace {

std::string number(int64_t value)
{
    return std::to_string(value);
}

// What the command line leaves for the driver to settle: the input taken over
// from cliInput, the input's own folder when no output folder was named, and
// the first input group and output format of the program when none was.
void completeJob(JobState& job)
{
    job.inputPath = job.cliInput;
    job.cliInput.clear();
    if (job.outputFolder.empty())
        job.outputFolder = folderOf(absolutePath(job.inputPath));
    if (job.jobInputGroup.empty())
        job.jobInputGroup = inputFormats.front();
    if (job.outputExt.empty())
        job.outputExt = outputFormats.front();
}

// Checks the job and readies it for the worker; false when a check failed.
bool prepareJob(const ConversionSettings& settings, JobState& job)
{
    completeJob(job);
    const std::optional<JobProblem> problem = checkConsoleJob(settings, job);
    reportConsoleJob(consoleJobListing(settings, job), job.runMode == "DEBUG", problem);
    if (problem)
        return false;
    readyCheckedJob(settings, job);
    return true;
}

void importAndConvert(const ConversionSettings& settings, const JobState& job, bool quiet)
{
    if (!quiet)
        printLine(lookupText("General", "Importing"));
    const std::string extension = extensionOf(job.inputPath);
    FileSet files = extension == "txt" || extension == "lst" ? FileSet{} : acceptedInputFiles(job.inputPath, job);
    const int count = static_cast<int>(files.size());
    if (!quiet)
        printLine(fillPlaceholders(lookupText("Msg", "Import complete"), number(count), "", "", ""));
    if (count == 0) {
        printLine(lookupText("Msg", "Conversion is not complete"));
        printLine(lookupText("Msg", "Empty input files"));
        return;
    }

    if (!quiet)
        printLine(lookupText("General", "Converting"));
    ConversionRun run(settings, job, std::move(files));
    run.start();
    const int32_t converted = run.finish().filesConverted;
    if (converted == 0) {
        printLine(lookupText("Msg", "Conversion is not complete"));
    } else if (!quiet) {
        printLine(lookupText("Msg", "Conversion complete"));
        printLine(fillPlaceholders(lookupText("Msg", "Files converted"), number(converted), number(count), "", ""));
    }
}

}  // namespace

void readyCheckedJob(const ConversionSettings& settings, JobState& job)
{
    job.outputFolder = resolvedOutputFolder(job.outputFolder, job.programFolder);
    job.outputFif = outputFormatInfo(job.outputExt).fif;
    chooseOutputEncoding(settings, job);
}

FileSet acceptedInputFiles(const std::string& path, const JobState& job)
{
    if (!isAcceptedInputFile(path))
        return {};
    return {{path, FileEntry{relativeFolderOf(path, job.cliInput)}}};
}

int runCommandLineBatch(const ConversionSettings& settings, JobState job, bool quiet)
{
    if (!quiet)
        printLine(lookupText("General", "Preparing"));
    if (prepareJob(settings, job))
        importAndConvert(settings, job, quiet);
    return 0;
}

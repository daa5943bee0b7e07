#include "engine/listed_file.h"

#include "engine/worker.h"
#include "formats/signatures.h"
#include "platform/console.h"

FileOutcome convertListedFile(const ConversionSettings& settings, const JobState& job,
                              const std::optional<WatermarkFont>& font, FileJob& file)
{
    const bool debug = job.consoleMode && job.runMode == "DEBUG";
    if (debug) {
        printLine("Processing: " + file.inputPath);
        printLine("File Format: " + identifyFileSignature(file.inputPath));
    }
    const FileOutcome outcome = convertFile(settings, job, font, file);
    if (outcome.converted()) {
        if (debug)
            printLine("[OK] Saving As: " + file.outputPath);
        setOutputFileDate(settings, file);
    } else if (debug && outcome.failure == FileFailure::OutputExists) {
        printLine("[SKIPPED] The output file exists: " + outcome.outputPath);
    } else if (debug) {
        printLine("[ERROR] Unable to convert the file!");
        printLine("Reason: " + failureReason(outcome));
    }
    return outcome;
}

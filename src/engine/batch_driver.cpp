#include "engine/batch_driver.h"

#include <FreeImage.h>

#include <thread>

#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "engine/worker.h"
#include "formats/format_registry.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/catalogue.h"

// The input, the output folder and JPEG only for now.
int addInputFile(const std::string& path)
{
    if (!isAcceptedInputFile(path))
        return 0;
    g_fileSet.clear();
    g_fileSet[path] = FileEntry{1, relativeFolderOf(path, g_job.cliInput)};
    return 1;
}

int runCommandLineBatch(bool quiet)
{
    if (!quiet)
        printLine(lookupText("General", "Preparing"));
    g_job.inputPath = g_job.cliInput;
    g_job.cliInput.clear();
    std::optional<int64_t> size = regularFileSize(g_job.inputPath);
    if (extensionOf(g_job.inputPath).empty() || !size || *size <= 0) {
        printLine("Error: Invalid input file");
        return 0;
    }
    if (g_job.outputFolder.empty())
        g_job.outputFolder = folderOf(absolutePath(g_job.inputPath));
    if (!endsWith(g_job.outputFolder, "/"))
        g_job.outputFolder += "/";
    if (!isDirectory(g_job.outputFolder)) {
        printLine("Error: Invalid output folder");
        return 0;
    }
    g_job.outputExt = outputFormats.front();
    g_job.outputFif = outputFormatInfo(g_job.outputExt).fif;
    chooseOutputEncoding();

    if (!quiet)
        printLine(lookupText("General", "Importing"));
    const int files = addInputFile(g_job.inputPath);
    if (!quiet)
        printLine(fillPlaceholders(lookupText("Msg", "Import complete"), std::to_string(files), "", "", ""));
    if (files == 0) {
        printLine(lookupText("Msg", "Conversion is not complete"));
        printLine(lookupText("Msg", "Empty input files"));
        return 0;
    }

    if (!quiet)
        printLine(lookupText("General", "Converting"));
    g_progress.filesStarted = 0;
    g_progress.currentFile.clear();
    g_progress.filesConverted = 0;
    g_progress.running = 1;
    std::thread worker(ConversionWorker, nullptr);
    worker.join();

    if (g_progress.filesConverted != 0) {
        if (!quiet) {
            printLine(lookupText("Msg", "Conversion complete"));
            printLine(fillPlaceholders(lookupText("Msg", "Files converted"),
                                       std::to_string(g_progress.filesConverted), std::to_string(files), "", ""));
        }
    } else {
        printLine(lookupText("Msg", "Conversion is not complete"));
    }
    return 0;
}

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/job_state.h"

struct ConversionSettings;

// What the command line asks of a batch beside the job.
struct BatchRequest {
    std::vector<std::string> inputs;  // files and folders, as named
    int jobs = 0;                     // pictures converted at once; 0 lets defaultBatchJobs choose
    bool skipExisting = false;
    bool quiet = false;
};

// The exit status of a batch.
inline constexpr int kBatchAllDone = 0;     // every file converted or skipped
inline constexpr int kBatchSomeFailed = 1;  // one file or more failed, or nothing was found
inline constexpr int kBatchRefused = 2;     // the job was refused before anything was converted

// The most --jobs accepts.
inline constexpr int kMostBatchJobs = 256;

// Converts every file the inputs name or hold, several at once, into the
// output folder, each below the subfolder it was found in. Checks the job as
// a console run does (without an input file of its own), then prints a line
// for each file (a status line on a terminal), failures also when quiet, and
// the summary; a signal that ends the program prints how far it got first.
// Returns the exit status.
int runBatchMode(const ConversionSettings& settings, JobState job, const BatchRequest& request);

// Pictures converted at once when --jobs is not given: one a processor, but
// no more than the free memory holds while the decoder (the photoCdDecoder
// setting) decodes a 16Base picture: about 300 MiB each for convert, 80 MiB
// for the built-in decoder; at least one.
int defaultBatchJobs(int processors, std::optional<int64_t> availableBytes, int32_t decoder);

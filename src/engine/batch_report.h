#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/batch_inputs.h"
#include "engine/batch_run.h"

// The texts a batch prints. Every file gets one line, beginning with how it
// ended, so that scripts can pick them out with grep:
//   OK: IN -> OUT
//   OK: IN -> OUT (renamed: OTHER has the name NAME)
//   SKIPPED: IN: why
//   FAILED: IN: why

std::string batchFailureLine(const BatchFailure& failure);

// The line of a file that ended; otherInput is the input of the file whose
// name it would have had, when it was renamed.
std::string batchFileLine(const BatchFileResult& result, const std::string& input, const std::string& otherInput);

// A renamed file for the summary: "IN -> OUT (OTHER has the name NAME)".
std::string batchRenamedEntry(const BatchFileResult& result, const std::string& input, const std::string& otherInput);

// The status line on a terminal: files ended of all, pictures converted a
// second so far, and the time the rest will take at that pace.
std::string batchProgressLine(int ended, int total, int conversionsEnded, int64_t elapsedMs);

// "0:38", "12:05" or "1:02:03".
std::string durationText(int64_t seconds);

// What the batch did, in lines: the counts, the renamed files and the
// failed files. When interrupted, first how far it got.
struct BatchSummary {
    int total = 0;
    BatchTally tally;  // the input problems counted among the failed
    std::vector<BatchFailure> failures;
    std::vector<std::string> renamed;  // "IN -> OUT (OTHER has the name NAME)"
    bool interrupted = false;
};
std::vector<std::string> batchSummaryLines(const BatchSummary& summary);

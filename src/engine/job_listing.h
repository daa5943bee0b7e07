#pragma once

#include <string>
#include <vector>

#include "engine/job_state.h"

struct ConversionSettings;

// One line of the console's debug listing, and the keys of the job problems
// (see job_check.h) whose error line follows it: the value at fault, or the
// last line of the options that are checked together.
struct ListingLine {
    std::string text;
    std::vector<std::string> problemsAfter;
};

// Every effective setting of a console job in the order of its checks; job is
// completed as for checkConsoleJob.
std::vector<ListingLine> consoleJobListing(const ConversionSettings& settings, const JobState& job);

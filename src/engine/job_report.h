#pragma once

#include <optional>
#include <vector>

#include "engine/job_check.h"
#include "engine/job_listing.h"

// On a debug run the listing, each value before the error line it causes;
// then the first problem, if any, as the one "Error: " line.
void reportConsoleJob(const std::vector<ListingLine>& listing, bool debug, const std::optional<JobProblem>& problem);

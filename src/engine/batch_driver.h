#pragma once

#include <string>

#include "engine/job_state.h"

struct ConversionSettings;

// Runs the console job: checks the input, the output folder and the settings,
// converts the one input file in a ConversionRun and reports. Returns 0.
int runCommandLineBatch(const ConversionSettings& settings, JobState job, bool quiet);

// The input files of a job whose one input is path: path alone when it is
// accepted, none otherwise.
FileSet acceptedInputFiles(const std::string& path, const JobState& job);

#pragma once

#include <string>

#include "engine/job_state.h"

struct ConversionSettings;

// Runs the console job: checks the input, the output folder and the settings,
// converts the one input file in a ConversionRun and reports. Returns 0.
int runCommandLineBatch(const ConversionSettings& settings, JobState job, bool quiet);

// Makes a checked job ready for its workers: the output folder as a full
// path, the output format's FreeImage identity, its depth and save flags.
void readyCheckedJob(const ConversionSettings& settings, JobState& job);

// The input files of a job whose one input is path: path alone when it is
// accepted, none otherwise.
FileSet acceptedInputFiles(const std::string& path, const JobState& job);

#pragma once

#include <string>

// Runs the console job: checks the input, the output folder and the settings,
// converts the one input file on a worker thread and reports. Returns 0.
int runCommandLineBatch(bool quiet);

// Makes path the job's only input file when it is accepted; returns 1 when
// it was taken, 0 otherwise.
int addInputFile(const std::string& path);

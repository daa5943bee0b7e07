#pragma once

#include <string>

#include "engine/conversion_run.h"
#include "engine/job_state.h"

struct ConversionSettings;

// What the main window holds when Convert is pressed.
struct ConversionRequest {
    std::string inputText;      // the input field
    std::string folderBoxText;  // the output folder box
    int formatIndex = 0;        // the output format box's item data
};

// The outcome of the checks before a conversion.
struct ConversionCheck {
    bool ready = false;             // a run may be made of the job and files
    std::string statusText;         // for the status bar
    std::string warningText;        // for a warning box; "" when ready
    bool folderRemembered = false;  // the recent folders changed
    FileSet files;                  // the files to convert
};

// Fills the window's job from the request and checks, in this order, the
// input file, the output folder (given a closing "/", existing), then the
// settings as the console checks them: the output format and its options,
// the resize size, the adjustment and the watermark; stops at the first
// problem. When ready, the job's output format, depth and flags are set and
// the output folder heads the recent list of the settings.
ConversionCheck prepareInteractiveConversion(const ConversionRequest& request, JobState& job,
                                             ConversionSettings& settings);

// After a run of the job: the next conversion goes on numbering (%n%,
// %rnd%) where this one left off.
void endInteractiveConversion(JobState& job, const RunResult& result);

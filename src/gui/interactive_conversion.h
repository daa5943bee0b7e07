#pragma once

#include <string>

// What the main window holds when Convert is pressed.
struct ConversionRequest {
    std::string inputText;      // the input field
    std::string folderBoxText;  // the output folder box
    int formatIndex = 0;        // the output format box's item data
};

// The outcome of the checks before a conversion.
struct ConversionCheck {
    bool ready = false;             // the worker may run
    std::string statusText;         // for the status bar
    std::string warningText;        // for a warning box; "" when ready
    bool folderRemembered = false;  // the recent folders changed
};

// Fills the job from the request and checks, in this order, the input file,
// the output folder (given a closing "/", existing), the resize size and the
// watermark; stops at the first problem. When ready, the job's output
// format, depth and flags are set, the output folder heads the recent list,
// and a text watermark's font is loaded until endInteractiveConversion.
ConversionCheck prepareInteractiveConversion(const ConversionRequest& request);

// Releases what the conversion held beyond its run: the watermark font.
void endInteractiveConversion();

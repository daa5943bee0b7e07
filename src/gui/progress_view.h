#pragma once

#include <cstdint>
#include <string>

#include "engine/conversion_run.h"

// 64-bit milliseconds as "hh:mm:ss", preceded by "<days>d:" from one day on;
// anything under a second reads 00:00:00.
std::string formatDuration(int64_t milliseconds);

// The text with its middle replaced by "..." when it has more than maxChars
// characters (UTF-8 characters, not bytes), keeping (maxChars - 3) / 2 at
// each end; otherwise the text itself.
std::string shortenMiddle(const std::string& text, int maxChars);

// What the worker last reported.
struct ProgressSnapshot {
    int32_t filesStarted = 0;
    std::string currentFile;
    int64_t lastDurationMs = 0;
};

// Everything the progress dialog shows, and what it needs to work it out.
struct ProgressView {
    int total = 0;          // files in the job
    bool showTime = false;  // the estimate is shown from five files on
    int charWidth = 7;      // average character width of the dialog font
    int maxChars = 40;      // characters that fit the file line
    int shown = 0;          // the file number last displayed
    std::string title;
    std::string fileLine;
    std::string reasonLine;  // why a file failed; "" hides the line
    std::string timeLine;
    // The bar is filled from barStart to barValue, of barRange.
    int barRange = 1;
    int barStart = 0;
    int barValue = 0;
    // A lone file tells no share of its progress: until it ends, a block
    // sweeps to and fro across the bar, a step at each pulse.
    bool barPulsing = false;
    int pulseStep = 0;
    bool finished = false;  // the worker has ended; OK may be pressed
};

// The dialog as it opens, for a job of total files; charWidth <= 0 when it
// could not be measured.
ProgressView startProgressView(int total, int charWidth);

// Shows a file that has started since the last update; false, and nothing
// changes, when the snapshot holds no new file.
bool updateProgressView(ProgressView& view, const ProgressSnapshot& snapshot);

// Moves the block of a pulsing bar a step on; false, and nothing changes,
// when the bar does not pulse.
bool pulseProgressView(ProgressView& view);

// The end of the run, stopped by the user or not. A run with a failed file
// reads as stopped too, with the first failure's reason under the count.
// Returns the main window's status bar text.
std::string finishProgressView(ProgressView& view, const RunResult& result, bool cancelled);

// The width of the file line in pixels at the standard resolution.
constexpr int kProgressLineWidth = 280;

#pragma once

#include <optional>
#include <string>

#include "engine/job_state.h"
#include "settings/conversion_settings.h"

// A setting that would make a conversion fail, found before anything runs.
// Each front end renders it its own way: the console as an "Error: " line in
// its own words (consoleProblemText); the window as the catalogue text of
// group "Msg" under key, with %s1% replaced by argument, and in the
// console's words where the catalogue has no text for the key ("Invalid
// input file", "Incorrect output folder", "Invalid bit depth", "Invalid
// quality", "Invalid brightness", "Invalid contrast", "Invalid gamma").
//
// None of the checks prints or changes anything; they only look.
struct JobProblem {
    std::string key;
    std::string argument;

    bool operator==(const JobProblem&) const = default;
};

// The console's words for a problem, such as "Invalid jpg-quality value".
std::string consoleProblemText(const JobProblem& problem);

// "Invalid input file" with the path when its name has no extension, or it is
// not a readable regular file holding something.
std::optional<JobProblem> checkInputFile(const std::string& path);

// An output folder as the user gave it may not climb out of the program's
// folder: "Incorrect output folder" with the folder when it begins with "..".
std::optional<JobProblem> checkOutputFolderName(const std::string& folder);

// "Empty output folder" when there is none, "Invalid output folder" with the
// folder when it is not an existing folder; it is never created.
std::optional<JobProblem> checkOutputFolder(const std::string& folder);

// "Invalid conversion type" with the extension when the program does not
// offer that output format.
std::optional<JobProblem> checkConversionType(const std::string& extension);

// The options of an output format: "Invalid bit depth" with the extension
// when its bit-depth setting is neither 0 (automatic) nor a depth the format
// can be saved in, then "Invalid quality" with the extension for a JPEG or
// WebP quality outside 1 to 100. A format the settings hold no options for
// has nothing to check.
std::optional<JobProblem> checkOutputOptions(const ConversionSettings& settings, const std::string& extension);

// With resizing on: "Invalid width" when the width is 0, else
// "Invalid height" when the height is 0.
std::optional<JobProblem> checkResizeSettings(const ConversionSettings& settings);

// With adjustment on: "Invalid brightness", then "Invalid contrast" outside
// -100 to 100, then "Invalid gamma" outside 0.01 to 9.99 or not a number.
std::optional<JobProblem> checkAdjustSettings(const ConversionSettings& settings);

// A text watermark needs a font that loads ("Invalid watermark font" with
// the font name when it does not); a picture watermark needs a name
// ("Empty watermark image") of a file holding something ("Invalid watermark
// image" with the name). Without a watermark there is nothing to check.
std::optional<JobProblem> checkWatermarkSettings(const ConversionSettings& settings);

// The console's output folder ready for use, ending with "/". A relative
// folder (a leading "./" dropped) lies below programFolder, not the current
// folder, so a script's "-o out" means the same wherever it runs.
std::string resolvedOutputFolder(const std::string& folder, const std::string& programFolder);

// The first problem of a console job, the checks in the console's order:
// input file, output folder, conversion type, output options, resize,
// adjustment, watermark. job holds what the command line named, completed:
// inputPath, outputFolder as given (or the input's own folder), programFolder
// and outputExt.
std::optional<JobProblem> checkConsoleJob(const ConversionSettings& settings, const JobState& job);

// The same checks after the input file's, for a batch, which checks each of
// its files as it converts it.
std::optional<JobProblem> checkJobBeyondInput(const ConversionSettings& settings, const JobState& job);

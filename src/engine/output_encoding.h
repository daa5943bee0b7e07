#pragma once

#include <string>

#include "engine/job_state.h"

struct ConversionSettings;
struct FIBITMAP;

// Sets the job's outputBpp, autoBpp and saveFlags for its outputExt.
void chooseOutputEncoding(const ConversionSettings& settings, JobState& job);

// The FreeImage save flags the settings ask for with that output format.
int saveFlagsFor(const ConversionSettings& settings, const std::string& extension);

// The smallest allowed depth of the format at or above bpp, or its largest
// when bpp exceeds them all; 0 for a format without a table entry.
int nearestAllowedBpp(const std::string& extension, int bpp);

// Converts the finished picture to the job's output depth, working that out
// from the depth first loaded when it is automatic. Returns the picture to
// save; the one passed in has been unloaded when it was replaced. nullptr
// when FreeImage cannot make that depth.
FIBITMAP* convertToOutputBpp(FIBITMAP* picture, JobState& job);
// With an automatic depth, the job's outputBpp for its current file: the
// allowed depth nearest to the loaded picture's.
void resolveAutomaticOutputBpp(JobState& job);

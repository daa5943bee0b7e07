#pragma once

#include <string>

#include "engine/job_state.h"
#include "picture/picture_handle.h"

struct ConversionSettings;

// Sets the job's outputBpp, autoBpp and saveFlags for its outputExt.
void chooseOutputEncoding(const ConversionSettings& settings, JobState& job);

// The FreeImage save flags the settings ask for with that output format.
int saveFlagsFor(const ConversionSettings& settings, const std::string& extension);

// The smallest allowed depth of the format at or above bpp, or its largest
// when bpp exceeds them all; 0 for a format without a table entry.
int nearestAllowedBpp(const std::string& extension, int bpp);

// The depth a file of the job is saved in: the job's outputBpp, or with an
// automatic depth the allowed one nearest to sourceBpp, the depth of the
// picture as first loaded.
int outputBppFor(const JobState& job, int sourceBpp);

// The finished picture at outputBpp for a file of that extension; the one
// passed in has been unloaded when it was replaced. No picture when FreeImage
// cannot make that depth.
BitmapHandle convertToOutputBpp(BitmapHandle picture, int outputBpp, const std::string& extension);

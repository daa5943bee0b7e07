#pragma once

#include <optional>

#include "engine/file_outcome.h"
#include "engine/job_state.h"
#include "overlay/watermark_font.h"

struct ConversionSettings;

// Converts file.inputPath for the job and fills in the rest of file on the
// way; font is the run's text watermark font. The outcome tells whether the
// output file was saved, and what stopped it when it was not. Uses nothing
// but its parameters and a work folder of its own, so that files may be
// converted on several threads at once. The photoCdDecoder setting decides
// who decodes a pac: convert, with the built-in decoder when convert gives
// nothing, or the built-in decoder alone, which writes no temporary picture.
FileOutcome convertFile(const ConversionSettings& settings, const JobState& job,
                        const std::optional<WatermarkFont>& font, FileJob& file);

// convert's subimage worth a second extraction for a picture of that size:
// the Base (3), 4Base (4) or 16Base (5) by its short side when it is wider
// than 1.6 to 1; 0 otherwise.
int subimageWorthExtracting(int width, int height);

// Sets the saved output's last-write time by the fileTimestamp setting.
void setOutputFileDate(const ConversionSettings& settings, const FileJob& file);

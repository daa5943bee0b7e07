#pragma once

#include <optional>

#include "engine/file_outcome.h"
#include "engine/job_state.h"
#include "overlay/watermark_font.h"
#include "settings/conversion_settings.h"

// Converts one file of a run (convertFile) with what the console shows of
// it: on a debug run "Processing: " and "File Format: ", then "[OK] Saving
// As: " or "[ERROR] Unable to convert the file!" and its "Reason: ". A saved
// output gets the file date the settings ask for.
FileOutcome convertListedFile(const ConversionSettings& settings, const JobState& job,
                              const std::optional<WatermarkFont>& font, FileJob& file);

#pragma once

#include <optional>
#include <string>

#include "settings/conversion_settings.h"

// A setting that would make a conversion fail, found before anything runs.
// Each front end renders it its own way: the window as the catalogue text
// of group "Msg" under key, with %s1% replaced by argument.
struct JobProblem {
    std::string key;
    std::string argument;

    bool operator==(const JobProblem&) const = default;
};

// With resizing on: "Invalid width" when the width is 0, else
// "Invalid height" when the height is 0.
std::optional<JobProblem> checkResizeSettings(const ConversionSettings& settings);

// A text watermark loads its font for the job ("Invalid watermark font" with
// the font name when it cannot); a picture watermark needs a name
// ("Empty watermark image") of a file holding something ("Invalid watermark
// image" with the name). Without a watermark there is nothing to check.
std::optional<JobProblem> checkWatermarkSettings(const ConversionSettings& settings);

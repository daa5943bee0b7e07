#pragma once

#include <cstdint>
#include <string_view>

#include "settings/conversion_settings.h"

// The bit-depth setting of one output format: 0 is automatic, anything else
// the depth its files are saved with.
struct BitDepthSetting {
    const char* extension;  // lower case, without the dot
    int32_t ConversionSettings::*field;
};

// The entry of an output extension; nullptr when the settings hold no options
// for it. They hold options for every format the registry can write, and more.
const BitDepthSetting* bitDepthSettingOf(std::string_view extension);

// The bit-depth setting for an output extension; 0 (automatic) for one the
// settings do not know.
int32_t bitDepthSettingFor(const ConversionSettings& settings, std::string_view extension);

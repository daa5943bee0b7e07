#pragma once

#include <string>

// The full output path of the current file: output folder, its subfolder and
// the expanded filename mask.
std::string buildOutputPath();
std::string expandFileNameMask();
std::string expandWatermarkText();
// The name without the last "." and what follows it.
std::string nameWithoutExtension(const std::string& name);

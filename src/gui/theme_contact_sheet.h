#pragma once

#include <string>

// Writes a PNG at pngPath that shows every picture of the theme package at
// packagePath: its button pictures, then each icon at 16, 24, 32, 48 and 64
// pixels beside its control name. A missing picture shows as a red cross in
// its cell. False when the package cannot be read or the file not written.
bool writeThemeContactSheet(const std::string& packagePath, const std::string& pngPath);

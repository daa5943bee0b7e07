#pragma once

#include <string>

enum class ContactSheetOutcome { Written, PackageUnreadable, NotWritten };

// Writes a PNG at pngPath that shows every picture of the theme package at
// packagePath: its button pictures, then each icon at 16, 24, 32, 48 and 64
// pixels beside its control name. A missing picture shows as a red cross in
// its cell. Nothing is written for a package that is no readable archive.
ContactSheetOutcome writeThemeContactSheet(const std::string& packagePath, const std::string& pngPath);

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The placeholders of filename masks and watermark texts, in the order in
// which they are expanded. The order matters: placeholder text arriving inside
// a value (a file named "a%n%b") is expanded by a later placeholder, never by
// an earlier one.
inline constexpr std::array<std::string_view, 18> MaskPlaceholders = {
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%",
    "%ext%",      "%ext[u]%",      "%ext[t]%",
    "%yyyy%",     "%mm%",          "%dd%",          "%hh%", "%ii%", "%ss%",
    "%bpp%",      "%width%",       "%height%",      "%rnd%", "%n%"};

// The full output path of the current file: output folder, its subfolder (when
// subfolders are kept) and the expanded filename mask.
std::string buildOutputPath();

// The filename mask of the current file, lowered and expanded. A "\" written
// in the mask becomes "/", so both name a subfolder of the output folder.
std::string expandFileNameMask();

// The watermark text with its placeholders expanded, whatever their case; the
// rest of the text keeps its case.
std::string expandWatermarkText();

// text with every occurrence of placeholder (compared without regard to case)
// replaced by its current value; text unchanged for an unknown placeholder.
std::string expandPlaceholder(const std::string& text, std::string_view placeholder);

// The name without the last "." and what follows it.
std::string nameWithoutExtension(const std::string& name);

// The first character in upper case, the rest in lower case.
std::string titleCase(std::string_view text);

// The number padded with "0" on the left to five characters, or cut to its
// first five digits when it is longer.
std::string fiveCharacterForm(int32_t number);

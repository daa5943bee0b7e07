#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct ConversionSettings;

// The placeholders of filename masks and watermark texts, in the order in
// which they are expanded. The order matters: placeholder text arriving inside
// a value (a file named "a%n%b") is expanded by a later placeholder, never by
// an earlier one.
inline constexpr std::array<std::string_view, 18> MaskPlaceholders = {
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%", "%ext%", "%ext[u]%", "%ext[t]%", "%yyyy%", "%mm%",
    "%dd%",       "%hh%",          "%ii%",          "%ss%",          "%bpp%", "%width%",  "%height%", "%rnd%",  "%n%"};

// What the placeholders stand for while one file is converted.
struct NamingFacts {
    std::string inputPath;
    std::string outputExt;  // lower case, without the dot
    int32_t outputBpp = 0;
    int32_t outputWidth = 0;
    int32_t outputHeight = 0;
    int32_t randomNumber = 0;  // %rnd%
    int32_t fileCounter = 0;   // %n%
};

// The full output path of the current file: the output folder (ending with
// "/"), the file's subfolder below the input folder when the settings keep
// subfolders, and the expanded filename mask.
std::string buildOutputPath(const ConversionSettings& settings, const std::string& outputFolder,
                            const std::string& relativeFolder, const NamingFacts& facts);

// True for the placeholders whose value is known only once the picture is
// made (%bpp%, %width%, %height%) or at the moment it is saved (the date and
// time): a name planned before the conversion keeps them as written.
bool isLatePlaceholder(std::string_view placeholder);
// True when the mask holds a late placeholder.
bool maskHasLatePlaceholders(const std::string& mask);

// The output path as far as it is known before the file is converted: as
// buildOutputPath, with the late placeholders left in the mask's lowered
// text. Without late placeholders it is the output path itself.
std::string plannedOutputPath(const ConversionSettings& settings, const std::string& outputFolder,
                              const std::string& relativeFolder, const NamingFacts& facts);

// The path with suffix put at the end of its file name, before the last "."
// of the name and what follows it: "a/b.jpg" and "-2" give "a/b-2.jpg".
std::string withNameSuffix(const std::string& path, const std::string& suffix);

// The filename mask, lowered and expanded; the default mask when it is empty.
// A "\" written in the mask becomes "/", so both name a subfolder of the
// output folder.
std::string expandFileNameMask(const std::string& mask, const NamingFacts& facts);

// The watermark text with its placeholders expanded, whatever their case; the
// rest of the text keeps its case.
std::string expandWatermarkText(const std::string& text, const NamingFacts& facts);

// text with every occurrence of placeholder (compared without regard to case)
// replaced by its current value; text unchanged for an unknown placeholder.
std::string expandPlaceholder(const std::string& text, std::string_view placeholder, const NamingFacts& facts);

// The name without the last "." and what follows it.
std::string nameWithoutExtension(const std::string& name);

// The first character in upper case, the rest in lower case.
std::string titleCase(std::string_view text);

// The number padded with "0" on the left to five characters, or cut to its
// first five digits when it is longer.
std::string fiveCharacterForm(int32_t number);

#pragma once

#include <string>
#include <utility>
#include <vector>

#include "formats/format_lists.h"

struct InputFormatInfo {
    std::string group;  // canonical extension of the format family
    std::string description;
};

struct OutputFormatInfo {
    int fif = 0;  // FreeImage format identifier
    std::string extension;
    std::string description;
    std::string allowedBpp;       // comma-separated depths, ascending
    bool greyEightBits = false;   // 8 bits are grey levels rather than a palette of colours
    bool sixteenBits555 = false;  // 16 bits are 5-5-5 rather than 5-6-5
};

// Every known input extension (lower case, no dot) in table order.
const std::vector<std::pair<std::string, InputFormatInfo>>& inputExtensionTable();
// Every output format the engine can write, in table order.
const std::vector<std::pair<std::string, OutputFormatInfo>>& outputFormatTable();

// The entry of an extension; an empty record when it has none.
InputFormatInfo inputFormatInfo(const std::string& extension);
OutputFormatInfo outputFormatInfo(const std::string& extension);

// The extensions whose group is one of inputFormats, rebuilt on every job reset.
extern std::vector<std::string> acceptedInputExtensions;
void buildAcceptedExtensions();

// Exact, case-sensitive membership.
bool listContains(const std::vector<std::string>& list, const std::string& text);
bool isValidOutputFormat(const std::string& extension);

// The folder part of path with every occurrence of baseFolder removed, when
// that folder part contains baseFolder; "" otherwise.
std::string relativeFolderOf(const std::string& path, const std::string& baseFolder);

// True when a file of that size and name may join a job: not empty, and its
// lower-cased extension accepted.
bool isAcceptedInputFile(const std::string& path);

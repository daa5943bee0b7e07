#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The header of a binary PPM ("P6"): the magic number, the width, the height
// and the largest sample value, each after whitespace or "#" comment lines,
// and the one whitespace character after which the pixels begin.
struct PpmHeader {
    int width = 0;
    int height = 0;
    int maximum = 0;           // the largest sample value: 255 for a byte a sample
    size_t pixelOffset = 0;    // where the pixels begin
    bool hasComments = false;  // a "#" comment stood between the fields
};

// Headers longer than this are not looked for: no program writes them.
inline constexpr size_t kLongestPpmHeader = 4096;

// The header at the start of bytes; nullopt when they do not begin with a
// whole P6 header. Numbers too large for an int read as the largest int.
std::optional<PpmHeader> parsePpmHeader(std::string_view bytes);

#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Where the pixels of a binary PPM ("P6") begin: after the magic number, the
// width, the height and the largest value, each after blanks or comment
// lines, and after the one blank that ends the header. nullopt when the bytes
// do not begin with a whole P6 header.
std::optional<size_t> ppmPixelOffset(std::string_view bytes);

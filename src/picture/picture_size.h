#pragma once

#include <cstdint>

// The largest picture the program takes on, in pixels: beyond it a file fails
// (or a watermark is left out) rather than risking all memory. A 24-bit
// picture of this size already takes 768 MB.
inline constexpr int64_t kLargestPicturePixels = int64_t{1} << 28;

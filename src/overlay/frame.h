#pragma once

#include <cstdint>
#include <string>

struct FIBITMAP;

// Paints the solid border bands over the picture's edges, mitred at the
// corners, with the frame opacity. Every frame type but 0 leaves a 24-bit
// picture; with frameType 0 the picture is returned untouched.
FIBITMAP* applyFrame(FIBITMAP* picture, int width, int height);

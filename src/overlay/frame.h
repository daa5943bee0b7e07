#pragma once

#include "picture/picture_handle.h"

struct ConversionSettings;

// Paints the solid border bands over the picture's edges, mitred at the
// corners, with the frame opacity. Every frame type but NONE leaves a 24-bit
// picture, or none when FreeImage cannot make one; with NONE the picture is
// returned untouched.
BitmapHandle applyFrame(BitmapHandle picture, int width, int height, const ConversionSettings& settings);

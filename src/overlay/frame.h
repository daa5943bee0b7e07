#pragma once

struct ConversionSettings;
struct FIBITMAP;

// Paints the solid border bands over the picture's edges, mitred at the
// corners, with the frame opacity. Every frame type but NONE leaves a 24-bit
// picture; with NONE the picture is returned untouched.
FIBITMAP* applyFrame(FIBITMAP* picture, int width, int height, const ConversionSettings& settings);

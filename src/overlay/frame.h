#pragma once

struct FIBITMAP;

// Paints the solid border bands over the picture's edges; with frameType 0
// returns the picture untouched.
FIBITMAP* applyFrame(FIBITMAP* picture, int width, int height);

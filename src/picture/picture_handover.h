#pragma once

struct FIBITMAP;

// The picture that goes on after a step made `made` from `picture`. The
// replaced picture is unloaded even when FreeImage made nothing, so a failed
// call ends the chain with no picture left behind.
FIBITMAP* replacePicture(FIBITMAP* picture, FIBITMAP* made);

// The picture at 24 bits, for FreeImage calls that cannot take its depth.
FIBITMAP* convertTo24Bits(FIBITMAP* picture);
// The same, but a 24-bit picture goes on untouched. A conversion that fails
// ends the chain: the file fails rather than skipping the step unnoticed.
FIBITMAP* inTwentyFourBits(FIBITMAP* picture);

#pragma once

#include "picture/picture_handle.h"

// The picture that goes on after a step made `made` from `picture`: made,
// owned. picture is bound by reference, so that a call such as
// replacePicture(std::move(p), FreeImage_X(p.get())) reads p before letting
// it go; it is unloaded unless made is that very picture, also when
// FreeImage made nothing, so a failed call ends the chain with no picture
// left behind.
BitmapHandle replacePicture(BitmapHandle&& picture, FIBITMAP* made);

// The picture at 24 bits, for FreeImage calls that cannot take its depth.
BitmapHandle convertTo24Bits(BitmapHandle&& picture);
// The same, but a 24-bit picture goes on untouched. A conversion that fails
// ends the chain: the file fails rather than skipping the step unnoticed.
BitmapHandle inTwentyFourBits(BitmapHandle&& picture);

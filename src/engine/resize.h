#pragma once

#include "picture/picture_handle.h"

struct ConversionSettings;

// The picture, whose current size is width by height, at the size the resize
// settings ask for; unchanged while resizing is off or the target is unusable.
// Refuses (no picture) a target of more than 2^28 pixels rather than trying
// to allocate it.
BitmapHandle resizePicture(BitmapHandle picture, int width, int height, const ConversionSettings& settings);

// A size setting in pixels: the value itself for PIXELS, the nearest whole
// percentage of currentSize for PERCENT, 0 for any other unit.
int targetDimension(int value, int unit, int currentSize);

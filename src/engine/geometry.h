#pragma once

#include "picture/picture_handle.h"

struct ConversionSettings;

// Each step returns its input unchanged while its setting is off, and unloads
// the picture it replaces. When FreeImage makes nothing the step returns no
// picture, which fails the file.
// Refuses (no picture) a turn whose result would exceed 2^28 pixels.
BitmapHandle rotatePicture(BitmapHandle picture, const ConversionSettings& settings);
BitmapHandle flipPicture(BitmapHandle picture, const ConversionSettings& settings);

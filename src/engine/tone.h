#pragma once

#include "picture/picture_handle.h"

struct ConversionSettings;

// Each step returns its input unchanged while its setting is off, and unloads
// the picture it replaces; no picture when FreeImage made none.
BitmapHandle adjustPicture(BitmapHandle picture, const ConversionSettings& settings);
BitmapHandle greyscalePicture(BitmapHandle picture, const ConversionSettings& settings);
BitmapHandle thresholdPicture(BitmapHandle picture, const ConversionSettings& settings);
BitmapHandle ditherPicture(BitmapHandle picture, const ConversionSettings& settings);

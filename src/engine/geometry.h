#pragma once

struct ConversionSettings;
struct FIBITMAP;

// Each step returns its input unchanged while its setting is off, and unloads
// the picture it replaces. When FreeImage makes nothing the step returns
// nullptr, which fails the file.
// Refuses (nullptr) a turn whose result would exceed 2^28 pixels.
FIBITMAP* rotatePicture(FIBITMAP* picture, const ConversionSettings& settings);
void flipPicture(FIBITMAP* picture, const ConversionSettings& settings);

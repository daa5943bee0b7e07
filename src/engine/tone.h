#pragma once

struct ConversionSettings;
struct FIBITMAP;

// Each step returns its input unchanged while its setting is off, and unloads
// the picture it replaces.
FIBITMAP* adjustPicture(FIBITMAP* picture, const ConversionSettings& settings);
FIBITMAP* greyscalePicture(FIBITMAP* picture, const ConversionSettings& settings);
FIBITMAP* thresholdPicture(FIBITMAP* picture, const ConversionSettings& settings);
FIBITMAP* ditherPicture(FIBITMAP* picture, const ConversionSettings& settings);

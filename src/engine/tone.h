#pragma once

struct FIBITMAP;

// Each step reads its settings, returns its input unchanged while its setting
// is off, and unloads the picture it replaces.
FIBITMAP* adjustPicture(FIBITMAP* picture);
FIBITMAP* greyscalePicture(FIBITMAP* picture);
FIBITMAP* thresholdPicture(FIBITMAP* picture);
FIBITMAP* ditherPicture(FIBITMAP* picture);

#include "engine/tone.h"

#include <FreeImage.h>

// Filled in with the tone operations.
FIBITMAP* adjustPicture(FIBITMAP* picture) { return picture; }
FIBITMAP* greyscalePicture(FIBITMAP* picture) { return picture; }
FIBITMAP* thresholdPicture(FIBITMAP* picture) { return picture; }
FIBITMAP* ditherPicture(FIBITMAP* picture) { return picture; }

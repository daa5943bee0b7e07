#include "engine/geometry.h"

#include <FreeImage.h>

// Filled in with the geometry operations.
FIBITMAP* rotatePicture(FIBITMAP* picture) { return picture; }
FIBITMAP* resizePicture(FIBITMAP* picture, int, int) { return picture; }
void flipPicture(FIBITMAP*) {}
RgbColor parseHexColor(const std::string&) { return {}; }
int targetDimension(int value, int, int) { return value; }

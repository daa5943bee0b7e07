#pragma once

#include <string>

struct FIBITMAP;

// Sets the job's outputBpp, autoBpp and saveFlags for its outputExt.
void chooseOutputEncoding();
int saveFlagsFor(const std::string& extension);
int nearestAllowedBpp(const std::string& extension, int bpp);
// Converts the finished picture to the job's output depth.
FIBITMAP* convertToOutputBpp(FIBITMAP* picture);

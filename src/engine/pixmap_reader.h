#pragma once

#include <string>

struct FIBITMAP;

// Reads a binary PPM with one byte a channel (maximum value 255), as convert
// writes it, into the same 24-bit bitmap FreeImage's PNM loader would make.
// That loader fetches every byte with a call of its own and divides it by the
// maximum value, and took more than a third of a whole 16Base conversion.
// nullptr for any other file (another kind of PNM, another maximum value,
// comments or odd separators in the header, missing pixel bytes): FreeImage
// then loads it as before.
FIBITMAP* readEightBitPixmap(const std::string& path);

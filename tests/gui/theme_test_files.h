#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gui/image_tables.h"

// Files for the theme tests: ZIP packages written through libarchive and PNG
// pictures through libpng, so the code under test never checks itself.

using ZipContent = std::vector<std::pair<std::string, std::string>>;  // entry name, bytes

// A ZIP archive at path holding the entries in order (deflated).
void writeZip(const std::string& path, const ZipContent& entries);

// An opaque PNG of the size, every pixel one colour (0xRRGGBB).
std::string pngPicture(int width, int height, unsigned colour);

// Width and height of a PNG that libpng decodes completely; nullopt otherwise.
std::optional<std::pair<int, int>> decodedPngSize(const std::string& bytes);

// The slot's bytes as text, "" when the slot is empty or absent.
std::string slotText(const PictureSlots& slots, int slot);

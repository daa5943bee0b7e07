#pragma once

#include <optional>
#include <string_view>

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Width and height from a PNG's header, read without decoding; nullopt when
// the bytes do not begin like a PNG.
std::optional<PictureSize> pngPictureSize(std::string_view bytes);

// No interface picture is larger than this on either side; a larger one is
// refused before anything decodes it.
constexpr int kLargestInterfacePicture = 1024;

// A PNG of at least 1 and at most kLargestInterfacePicture pixels per side.
bool isUsableInterfacePicture(std::string_view bytes);

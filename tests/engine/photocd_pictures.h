#pragma once

#include <optional>
#include <string>

#include "engine/photocd_ycc.h"

// ImageMagick's own decode of source ("pcd:FILE[n]" for subimage n of a
// pac), as the program asks convert for it (`-quiet -colorspace sRGB`);
// nullopt when convert leaves no whole picture. Its exit status does not
// count: it ends with 1 on a 16Base pac yet leaves the picture.
std::optional<RgbPicture> decodedByConvert(const std::string& source);

// A JPEG (or any picture FreeImage reads) as rows of red, green, blue.
std::optional<RgbPicture> loadedPicture(const std::string& path);

// Peak signal to noise ratio in dB over all three channels; 0 when the sizes differ.
double rgbPsnr(const RgbPicture& a, const RgbPicture& b);

// The same for the luma Y' = 0.299 R + 0.587 G + 0.114 B. Kodak's colour
// equations give every pixel that luma whatever its chroma, unless a channel
// clips at 0 or 255; with clippedToo false, pixels where a channel of either
// picture clips (or lies within 4 of it, where a JPEG encoder may have moved
// a clipped value) are left out, so that pictures with different chroma can
// be compared by their luma. 0 when the sizes differ or no pixel is left.
double lumaPsnr(const RgbPicture& a, const RgbPicture& b, bool clippedToo = true);

// The share of pixels (0 to 1) that lumaPsnr compares when clippedToo is false.
double unclippedShare(const RgbPicture& a, const RgbPicture& b);

// The picture turned by half a turn.
RgbPicture halfTurned(const RgbPicture& picture);

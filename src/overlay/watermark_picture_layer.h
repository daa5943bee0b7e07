#pragma once

struct ConversionSettings;
struct FIBITMAP;

// The picture watermark wmImage (PNG, BMP or JPEG) as a 32-bit bitmap with
// straight alpha: its colours, or greys when wmImageGreyscale is set, with
// alpha = its own alpha × wmImageOpacity / 255. nullptr when the file is not
// such a picture, cannot be read, or holds more than 2^28 pixels.
FIBITMAP* buildPictureLayer(const ConversionSettings& settings);

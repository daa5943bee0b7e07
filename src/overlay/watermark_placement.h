#pragma once

struct ConversionSettings;
struct FIBITMAP;

// The placement settings in force: the text ones for a text watermark, the
// image ones for a picture watermark.
struct WatermarkPlacement {
    int boundary = 0;
    int position = 0;
    int xOffset = 0;
    int yOffset = 0;
    int rotation = 0;
};

WatermarkPlacement activePlacement(const ConversionSettings& settings);

// The watermark cut to its top-left part so that its size plus the offsets
// fits the area (the picture, or inside the frame with the FRAME boundary).
// The bitmap is unloaded when a cut replaces it; nullptr when nothing of it
// fits, because an offset is as large as the area or larger.
FIBITMAP* fitWatermark(FIBITMAP* bitmap, int pictureWidth, int pictureHeight, int markWidth, int markHeight,
                       const ConversionSettings& settings);

struct WatermarkPoint {
    int x = 0;
    int y = 0;
};

// The top-left corner of a watermark of width by height in picture coordinates,
// by the position and offsets in force; an offset does not apply on a centred
// axis.
WatermarkPoint placeWatermark(int pictureWidth, int pictureHeight, int width, int height,
                              const ConversionSettings& settings);

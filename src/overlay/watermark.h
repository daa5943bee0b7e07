#pragma once

struct FIBITMAP;

// Stamps the text or picture watermark; with watermarkType 0 returns the
// picture untouched. Every other type leaves a 24-bit picture, also when no
// watermark results (font not loaded, picture unreadable, nothing fits).
FIBITMAP* applyWatermark(FIBITMAP* picture, int width, int height);

// The x of a line of width lineWidth in a text box of width boxWidth, by
// wmTextAlignment: LEFT at the padding, CENTER with halves rounded away from
// zero, RIGHT ending at the padding; 0 for any other alignment.
int alignLineX(int lineWidth, int boxWidth);

// The watermark cut to its top-left part so that its size plus the offsets
// fits the area (the picture, or inside the frame with the FRAME boundary).
// The bitmap is unloaded when a cut replaces it; nullptr when nothing of it
// fits, because an offset is as large as the area or larger.
FIBITMAP* fitWatermark(FIBITMAP* bitmap, int pictureWidth, int pictureHeight, int width, int height);

struct WatermarkPoint {
    int x = 0;
    int y = 0;
};

// The top-left corner of a watermark of width by height in picture coordinates,
// by the position and offsets in force; an offset does not apply on a centred
// axis.
WatermarkPoint placeWatermark(int pictureWidth, int pictureHeight, int width, int height);

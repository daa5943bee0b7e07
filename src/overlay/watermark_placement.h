#pragma once

// The placement settings in force: the text ones for a text watermark, the
// image ones for a picture watermark.
struct WatermarkPlacement {
    int boundary = 0;
    int position = 0;
    int xOffset = 0;
    int yOffset = 0;
    int rotation = 0;
};

WatermarkPlacement activePlacement();

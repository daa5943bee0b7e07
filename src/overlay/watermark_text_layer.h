#pragma once

#include <string>

struct ConversionSettings;
struct FIBITMAP;
struct WatermarkFont;

// The text watermark for the expanded text in the font: the box in the back
// colour and opacity with the lines in the font colour and text opacity of
// the settings, as a 32-bit bitmap with straight alpha. nullptr when the font
// has no usable size, the text is empty or the box is too large to draw.
FIBITMAP* buildTextLayer(const std::string& text, const WatermarkFont& font, const ConversionSettings& settings);

#pragma once

#include <string>

struct ConversionSettings;
struct FIBITMAP;

// The text watermark for the expanded text in the loaded watermark font: the
// box in the back colour and opacity with the lines in the font colour and
// text opacity of the settings, as a 32-bit bitmap with straight alpha. nullptr when no font
// is loaded, the text is empty or the box is too large to draw.
FIBITMAP* buildTextLayer(const std::string& text, const ConversionSettings& settings);

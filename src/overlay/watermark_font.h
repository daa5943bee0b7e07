#pragma once

#include <string>

// The one font a job draws its text watermark with.
struct WatermarkFont {
    std::string family;  // the family fontconfig matched
    int pixelSize = 0;   // sizePoints * 96 / 72
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
};

// Loads the font named name for the job: style is FontStyle (REGULAR, BOLD,
// ITALIC, BOLDITALIC), effect FontEffect (NONE, UNDERLINE, STRIKETHROUGHT).
// False when fontconfig offers neither the family itself nor a metric-
// compatible family its alias rules put in its place.
bool loadWatermarkFont(const std::string& name, int sizePoints, int style, int effect);
// The loaded font, or nullptr.
const WatermarkFont* watermarkFont();
void releaseWatermarkFont();

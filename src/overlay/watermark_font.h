#pragma once

#include <optional>
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

// The font named name, as a run loads it for its files: style is FontStyle
// (REGULAR, BOLD, ITALIC, BOLDITALIC), effect FontEffect (NONE, UNDERLINE,
// STRIKETHROUGHT). nullopt when fontconfig offers neither the family itself
// nor a metric-compatible family its alias rules put in its place.
std::optional<WatermarkFont> loadWatermarkFont(const std::string& name, int sizePoints, int style, int effect);

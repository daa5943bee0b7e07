#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ConversionSettings;

// One line of a text watermark as the font measures it.
struct MeasuredLine {
    int width = 0;  // whole pixels, the box is sized by these
    int height = 0;
    double exactWidth = 0.0;  // unrounded, for aligning anti-aliased lines
};

struct TextBox {
    int64_t width = 0;
    int64_t height = 0;
    std::vector<int> lineX;  // top-left corner of each line in the box
    std::vector<int> lineY;
};

// The text split at every "%eol%" in any letter case, empty pieces included;
// the whole text as one piece when it holds none.
std::vector<std::string> splitWatermarkLines(const std::string& text);

// The box round the lines, with the padding on all four sides and the leading
// between lines, and where each line starts. Several lines are at least 10
// pixels wide and each takes the height of the tallest; a single line is
// measured as it is and starts at the padding whatever the alignment.
TextBox layOutTextBox(const std::vector<MeasuredLine>& lines, bool antialiased, const ConversionSettings& settings);

#include "overlay/watermark_text_box.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

constexpr std::string_view kLineBreak = "%eol%";
constexpr int kSmallestMultiLineSide = 10;

// The x of a line of width lineWidth in a text box of width boxWidth, by the
// text alignment: LEFT at the padding, CENTER with halves rounded away from
// zero, RIGHT ending at the padding; 0 for any other alignment.
int alignLineX(int lineWidth, int boxWidth, const ConversionSettings& settings)
{
    const int64_t padding = settings.wmTextPadding;
    int64_t x = 0;
    switch (settings.wmTextAlignment) {
    case kAlignLeft: x = padding; break;
    case kAlignCenter: x = std::llround((int64_t{boxWidth} - lineWidth) / 2.0); break;
    case kAlignRight: x = int64_t{boxWidth} - lineWidth - padding; break;
    default: break;
    }
    return static_cast<int>(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX));
}

}  // namespace

std::vector<std::string> splitWatermarkLines(const std::string& text)
{
    // Lower-casing ASCII keeps every byte in place, so positions found in the
    // lowered text cut the original.
    const std::string lowered = toLowerAscii(text);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = lowered.find(kLineBreak); at != std::string::npos; at = lowered.find(kLineBreak, start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + kLineBreak.size();
    }
    lines.push_back(text.substr(start));
    return lines;
}

TextBox layOutTextBox(const std::vector<MeasuredLine>& lines, bool antialiased, const ConversionSettings& settings)
{
    TextBox box;
    if (lines.empty())
        return box;
    const int64_t padding = settings.wmTextPadding;
    if (lines.size() == 1) {
        box.width = int64_t{lines[0].width} + 2 * padding;
        box.height = int64_t{lines[0].height} + 2 * padding;
        box.lineX.push_back(static_cast<int>(std::clamp<int64_t>(padding, INT32_MIN, INT32_MAX)));
        box.lineY = box.lineX;
        return box;
    }
    int64_t textWidth = kSmallestMultiLineSide;
    int64_t lineHeight = kSmallestMultiLineSide;
    for (const MeasuredLine& line : lines) {
        textWidth = std::max<int64_t>(textWidth, line.width);
        lineHeight = std::max<int64_t>(lineHeight, line.height);
    }
    const int64_t step = lineHeight + settings.wmFontLeading;
    box.width = textWidth + 2 * padding;
    box.height = lineHeight + static_cast<int64_t>(lines.size() - 1) * step + 2 * padding;
    // Boxes too large to draw are refused by the caller; positions in them
    // need not be exact.
    if (box.width > INT32_MAX || box.height > INT32_MAX)
        return box;
    int64_t y = padding;
    for (const MeasuredLine& line : lines) {
        const int width = antialiased ? static_cast<int>(std::llround(line.exactWidth)) : line.width;
        box.lineX.push_back(alignLineX(width, static_cast<int>(box.width), settings));
        box.lineY.push_back(static_cast<int>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX)));
        y += step;
    }
    return box;
}

#pragma once

#include <string>
#include <vector>

// The items of a box offering the output formats, in the order of
// outputFormats: "JPG", or "JPG (JPEG File Format)" with the description.
struct FormatBoxItem {
    std::string text;
    int formatIndex = 0;  // the entry of outputFormats the item stands for
};

struct FormatBoxContent {
    std::vector<FormatBoxItem> items;
    int selected = 0;  // the item of the chosen format, else the first
};

// chosenFormat is the extension of the settings' outputFormat.
FormatBoxContent outputFormatBoxItems(bool withDescription, const std::string& chosenFormat);

// The output format an item's index stands for; the first one when the
// index is not an entry of outputFormats.
std::string outputFormatAt(int formatIndex);

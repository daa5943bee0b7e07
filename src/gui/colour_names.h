#pragma once

#include <string>
#include <vector>

#include "picture/colours.h"

// Six upper-case hex digits RRGGBB.
std::string formatHexColour(RgbColour colour);
// The text as stored colours are kept: surrounding blanks ignored, anything
// that is not six hex digits read as black.
std::string normalisedHexColour(const std::string& text);
bool isHexColour(const std::string& text);

// The name the colour lists show: one of the named web colours, else
// "Color #RRGGBB".
std::string colourName(const std::string& hex);

// The colours of a comma-separated list as the chooser lists offer them,
// normalised and each once. Empty and malformed entries (a hand-edited
// config.ini) are left out rather than shown as black.
std::vector<std::string> colourListEntries(const std::string& list);

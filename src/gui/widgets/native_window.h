#pragma once

#include <wx/gdicmn.h>

#include <string>

class wxGauge;
class wxTopLevelWindow;
class wxWindow;

// The size of the window's inside: menu bar, toolbar, client area and status
// bar, without the frame the window manager draws round it.
wxSize innerWindowSize(wxTopLevelWindow* window);

// Draws the inside of a shown window into a PNG file at its real size, through
// the toolkit's own drawing, so that no other window can cover it. False when
// the window has no size yet or the file cannot be written.
bool saveWindowPicture(wxTopLevelWindow* window, const std::string& pngPath);

// A push button as small as a toolbar's: a 16-pixel picture with a thin edge.
void makeCompactButton(wxWindow* button);

// Shows a block from `from` to `to` of range along the gauge, as a busy bar
// does, with the gauge's value at its least: it tells no share of work done.
void showGaugeBlock(wxGauge* gauge, int from, int to, int range);

// Fills the gauge from its left end to value of range, with no block.
void showGaugeFill(wxGauge* gauge, int value, int range);

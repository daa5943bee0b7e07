#pragma once

#include <string>

class wxWindow;

// A message box titled "Warning" with a warning icon and one OK button.
void showWarning(wxWindow* parent, const std::string& text);

// Asks whether to break the conversion; true for Yes.
bool askBreakConversion(wxWindow* parent);

#pragma once

#include <string>

class wxWindow;

// The window's message boxes. GTK's own leaves out the icon of the kind, so
// these are drawn here: the desktop's standard icon beside the text, and
// buttons with their access keys.
enum class MessageKind { Information, Question, Warning, Error };

// A modal box titled title: the kind's icon and text, and an OK button, or
// with askYesNo Yes and No (Yes the default; Escape and the close box mean
// No). True for Yes or OK.
bool showMessageBox(wxWindow* parent, const std::string& text, const std::string& title, MessageKind kind,
                    bool askYesNo);

// A message box titled "Warning" with a warning icon and one OK button.
void showWarning(wxWindow* parent, const std::string& text);

// Asks whether to break the conversion; true for Yes.
bool askBreakConversion(wxWindow* parent);

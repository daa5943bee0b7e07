#pragma once

#include <string>

// The three ways the program uses the desktop, handed to the program as the
// module's WindowEntries (gui/window_entries.h). Each needs a display; without
// one it says so on standard error and returns, leaving config.ini untouched.

// The main window, with config.ini read before and saved after.
void runWindowMode();

// Pictures of the windows and dialogs and of the theme packages for the
// documentation, written into folder (created when missing); the settings and
// config.ini stay as they are. False when a picture could not be made (a
// theme package that cannot be read, a file that cannot be written); without
// a display none is attempted.
bool runScreenshotMode(const std::string& folder);

// The uninstall prompt alone.
void runUninstallMode();

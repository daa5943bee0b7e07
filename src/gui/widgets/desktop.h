#pragma once

#include <string>

// The three ways the program uses the desktop. Each needs a display; without
// one it says so on standard error and returns, leaving config.ini untouched.

// The main window, with config.ini read before and saved after.
void runWindowMode();

// Pictures of the main window and the progress dialog for the documentation,
// written into folder (created when missing).
void runScreenshotMode(const std::string& folder);

// The uninstall prompt alone.
void runUninstallMode();

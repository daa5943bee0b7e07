#include "app/window_mode.h"

// The window does not exist yet: each of these ends quietly.
void runWindowMode() {}
void runUninstallPrompt() {}
void runScreenshotMaker(const std::string&) {}

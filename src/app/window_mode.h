#pragma once

#include <string>

// Everything that needs a window starts here; the console never does.
void runWindowMode();
void runUninstallPrompt();
void runScreenshotMaker(const std::string& target);

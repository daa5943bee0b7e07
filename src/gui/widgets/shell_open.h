#pragma once

#include <string>

// Hands a web address, "mailto:" link or file to the desktop's default
// handler; nothing is reported when none takes it. KORVANE_OPENER in the
// environment names a program to run instead, with target as its one
// argument (for tests and unusual desktops).
void openWithShell(const std::string& target);

#pragma once

#include <string>

// Hands a file, web address or "mailto:" link to the desktop's default
// handler; reports nothing when that fails, and does nothing for "". When
// KORVANE_OPENER names a program, that program is run with the target as its
// one argument instead (tests use it, so that no browser starts).
void openWithShell(const std::string& target);

#pragma once

#include <string>

// A reader that goes away early (korvane ... | head) must not end the
// program in the middle of a conversion: writes then simply fail.
void ignoreBrokenPipes();

// One line of UTF-8 text and a line feed on standard output, flushed at once
// so that the lines keep their order with anything a child process prints.
// On a terminal every control character shows as "?".
void printLine(const std::string& text);

// One line on standard error, for notices that are no status line: a script
// reading standard output does not see them.
void printErrorLine(const std::string& text);

// Sets the terminal's title when standard output is a terminal.
void setConsoleTitle(const std::string& title);

// Waits for one key press on a terminal; returns at once when standard input
// is not a terminal or has ended, so that scripts never hang.
void waitForKey();

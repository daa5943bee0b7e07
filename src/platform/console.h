#pragma once

#include <string>
#include <vector>

// A reader that goes away early (korvane ... | head) must not end the
// program in the middle of a conversion: writes then simply fail.
void ignoreBrokenPipes();

// One line of UTF-8 text and a line feed on standard output, flushed at once
// so that the lines keep their order with anything a child process prints.
// On a terminal every control character shows as "?".
void printLine(const std::string& text);

// While an object of this kind lives on a thread, printLine on that thread
// keeps each line here instead of writing it: the lines of one of several
// files converted at once can then be printed together. Scopes do not nest.
class CapturedLines {
public:
    CapturedLines();
    ~CapturedLines();
    CapturedLines(const CapturedLines&) = delete;
    CapturedLines& operator=(const CapturedLines&) = delete;

    // The lines kept so far; the object starts afresh.
    std::vector<std::string> take();

private:
    std::vector<std::string> lines_;
};

// True when standard output is a terminal.
bool outputIsTerminal();

// On a terminal, the text in place of the line the cursor is on, cut to the
// terminal's width so that it never wraps, without a line feed: a status
// line redrawn in place. clearStatusLine empties that line again before
// other lines are printed.
void showStatusLine(const std::string& text);
void clearStatusLine();

// One line on standard error, for notices that are no status line: a script
// reading standard output does not see them.
void printErrorLine(const std::string& text);

// Sets the terminal's title when standard output is a terminal.
void setConsoleTitle(const std::string& title);

// Waits for one key press on a terminal; returns at once when standard input
// is not a terminal or has ended, so that scripts never hang.
void waitForKey();

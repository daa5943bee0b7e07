#pragma once

#include <string>
#include <string_view>

// Case mapping of ASCII letters only; option names, keys and vocabulary words
// are ASCII, and the bytes of UTF-8 sequences pass through unchanged.
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);

// Space or tab: the blanks round option values, keys and numbers.
bool isBlank(char c);
// '0' to '9', whatever the locale.
bool isAsciiDigit(char c);
// Space, tab, line feed, carriage return, vertical tab or form feed: what
// separates the fields of a file header.
bool isAsciiWhitespace(char c);

// Removes leading and trailing blanks.
std::string trimBlanks(std::string_view text);

bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);

// The part after the last '/', and the part up to and including it.
std::string fileNameOf(std::string_view path);
std::string folderOf(std::string_view path);

// The lower-cased characters after the last '.' of the file name; "" when none.
std::string extensionOf(std::string_view path);

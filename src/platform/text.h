#pragma once

#include <string>
#include <string_view>

// Case mapping of ASCII letters only; option names, keys and vocabulary words
// are ASCII, and the bytes of UTF-8 sequences pass through unchanged.
std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCaseAscii(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (spaces and tabs).
std::string trimBlanks(std::string_view text);

bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);

// The part after the last '/', and the part up to and including it.
std::string fileNameOf(std::string_view path);
std::string folderOf(std::string_view path);

// The lower-cased characters after the last '.' of the file name; "" when none.
std::string extensionOf(std::string_view path);

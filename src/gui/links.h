#pragma once

#include <string>

// Text with every byte outside the unreserved characters of a URI (letters,
// digits, "-", ".", "_", "~") written as %XX; a space becomes %20.
std::string percentEncode(const std::string& text);

// "mailto:" the support address, with the program's title and version and
// " Feedback" as the subject.
std::string feedbackMailLink();

// The user manual's first page: the installed one beside the program
// (../share/doc/korvane/manual/ from its folder), else the source tree's
// docs/manual/ for a program run from its build folder; "" when neither exists.
std::string manualPath(const std::string& programFolder);

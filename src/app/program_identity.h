#pragma once

#include <string>

extern const char* const programTitle;     // "Tessaly PCD to JPG"
extern const int programVersion;           // 300
extern const char* const makerWebAddress;  // the product page, set when the program is built

// 300 gives "3.0", 301 gives "3.0.1".
std::string versionText(int version);
// title, a space and versionText(version).
std::string titledName(const std::string& title, int version);

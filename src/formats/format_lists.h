#pragma once

#include <string>
#include <vector>

// The conversion pair of this program: the input format groups it reads and
// the output formats it writes. The first entry of each is the default.
extern std::vector<std::string> inputFormats;
extern std::vector<std::string> outputFormats;

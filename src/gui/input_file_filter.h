#pragma once

#include <string>

// The filter of the input file dialog, as "text|patterns|" pairs: every
// accepted extension first, then one entry per format description (sorted by
// description, its extensions newest first), then every file.
std::string inputFileDialogFilter();

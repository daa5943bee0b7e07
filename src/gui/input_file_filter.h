#pragma once

#include <string>

// The filter of the input file dialog, as "text|patterns|" pairs: every
// accepted extension first, then one entry per format description (sorted by
// description, its extensions newest first), then every file. A pattern
// matches its extension in any letter case: *.[pP][cC][dD].
std::string inputFileDialogFilter();

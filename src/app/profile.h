#pragma once

#include <string>

// Applies the keys of the "CLI" group of a profile file to the settings, in
// file order. False when the path is empty or is not a readable file, or when
// the value of a known key holds a NUL character; a file without that group
// or without a known key is applied and changes nothing.
bool applyProfile(const std::string& path);

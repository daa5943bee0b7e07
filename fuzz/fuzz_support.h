#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The fuzz input as text.
std::string_view inputText(const uint8_t* data, size_t size);

// The input cut at every NUL byte; n NUL bytes give n + 1 pieces.
std::vector<std::string> piecesOf(std::string_view text);

// A path in a private folder of this fuzzer process (on a memory file system
// where there is one, so that writing it costs little), made once and reused.
std::string scratchPath(const std::string& name);

// Replaces the file at path by content; false when that fails.
bool writeScratch(const std::string& path, std::string_view content);

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Unicode case mapping of UTF-8 text, so letters beyond ASCII change case too
// ("é" and "É", "straße" and "STRASSE"). Bytes that are not valid UTF-8 pass
// through unchanged.
std::string upperCaseText(std::string_view text);
std::string lowerCaseText(std::string_view text);

// Length in bytes of the first character: 0 for an empty text, 1 when the
// text does not begin with a valid UTF-8 sequence.
size_t firstCharacterLength(std::string_view text);

// True when every byte of the text belongs to a valid UTF-8 sequence.
bool isValidUtf8(std::string_view text);

// Text of a single-byte code page as UTF-8: bytes that are valid UTF-8 stay
// as they are (editors on Linux write UTF-8, and Latin-1 text with accented
// letters is practically never valid UTF-8); otherwise every byte is one
// ISO-8859-1 character.
std::string singleByteTextAsUtf8(std::string_view bytes);

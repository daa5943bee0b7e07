#pragma once

#include <string>
#include <string_view>

// The bytes of a text file as UTF-8.
//
// After a byte-order mark: UTF-8, UTF-16 or UTF-32, in either byte order.
// Without one: UTF-16 when zero bytes fill one of the two byte positions (as
// the ASCII letters of any setting file do; Notepad can save its "Unicode"
// without the mark), the position telling the byte order; otherwise UTF-8
// when the text is valid UTF-8, else ISO-8859-1. A unit that is no character
// (a lone surrogate, beyond U+10FFFF, cut off at the end) becomes U+FFFD.
std::string textFileAsUtf8(std::string_view bytes);

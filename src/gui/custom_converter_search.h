#pragma once

#include <string>
#include <string_view>

// text without every character that is not 0-9, A-Z or a-z.
std::string keepLettersAndDigits(std::string_view text);

// What a converter search field contributes to the address: its first 12
// characters, lower-cased, then only the letters and digits among them.
std::string searchExtension(std::string_view fieldText);

// searchPage followed by "from-to/" of the two cleaned fields, or "" when
// either of them holds no letter or digit in its first 12 characters.
std::string converterSearchTarget(const std::string& searchPage, std::string_view fromText, std::string_view toText);

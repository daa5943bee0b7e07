#pragma once

#include <string>

// Builds the message catalogue from the built-in English table.
void buildCatalogue();
// Builds it from another table of the same layout as kBuiltInTexts.
void buildCatalogueFrom(const char* const* pairs);

// The text of key in group, matched without regard to ASCII case, or
// "%NO_STRING_ERROR%". Remembers the group it found, so it is meant for one
// thread at a time (the main thread).
std::string lookupText(const std::string& group, const std::string& key);

// Replaces "%s1%" .. "%s4%" (any case) by the non-empty values, in that order.
std::string fillPlaceholders(const std::string& text, const std::string& s1, const std::string& s2,
                             const std::string& s3, const std::string& s4);

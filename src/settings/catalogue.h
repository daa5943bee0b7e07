#pragma once

#include <string>

// Builds the message catalogue from the built-in English table.
void buildCatalogue();
// Builds it from another table of the same layout as kBuiltInTexts.
void buildCatalogueFrom(const char* const* pairs);

// The text of key in group, matched without regard to ASCII case, or
// "%NO_STRING_ERROR%". Only reads the catalogue, so any thread may look up
// texts once it is built; building it again must not overlap a lookup.
std::string lookupText(const std::string& group, const std::string& key);
// Whether the catalogue holds a text of key in group.
bool hasText(const std::string& group, const std::string& key);

// Replaces "%s1%" .. "%s4%" (any case) by the non-empty values, in that order.
std::string fillPlaceholders(const std::string& text, const std::string& s1, const std::string& s2,
                             const std::string& s3, const std::string& s4);

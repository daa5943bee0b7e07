#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Builds the text of a preference file in memory: a UTF-8 byte-order mark and
// an empty line, then groups of "key = value" lines and "; " comments, every
// line ending with CR LF. The caller stores text.bytes in one piece.
struct PreferenceText {
    std::string bytes = "\xEF\xBB\xBF\r\n";
    std::string group;            // the group the next line belongs to
    bool groupHeaderDue = false;  // its "[group]" line is still to be written
};

// The "[name]" line follows with the group's first entry or comment, so a
// group that receives nothing leaves no trace.
void beginGroup(PreferenceText& text, std::string_view name);

void writeInteger(PreferenceText& text, std::string_view key, int64_t value);
// Six decimals with "." whatever the locale: 1.0 gives "1.000000".
void writeReal(PreferenceText& text, std::string_view key, double value);
void writeString(PreferenceText& text, std::string_view key, std::string_view value);
// "; " followed by the comment.
void writeComment(PreferenceText& text, std::string_view comment);

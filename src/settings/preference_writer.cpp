#include "settings/preference_writer.h"

#include <charconv>
#include <cmath>

namespace {

void writeHeaderIfDue(PreferenceText& text)
{
    if (!text.groupHeaderDue)
        return;
    text.bytes += '[';
    text.bytes += text.group;
    text.bytes += "]\r\n";
    text.groupHeaderDue = false;
}

// A line break inside a key or value would end the line early and turn the
// rest into a line of its own (a stray entry or even a group header), so each
// CR and LF is stored as a space.
void appendOnOneLine(std::string& bytes, std::string_view piece)
{
    for (char c : piece)
        bytes += (c == '\r' || c == '\n') ? ' ' : c;
}

void writeEntry(PreferenceText& text, std::string_view key, std::string_view value)
{
    writeHeaderIfDue(text);
    appendOnOneLine(text.bytes, key);
    text.bytes += " = ";
    appendOnOneLine(text.bytes, value);
    text.bytes += "\r\n";
}

// The spellings the reader understands for the values that are not numbers.
std::string realText(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "+Infinity" : "-Infinity";
    char digits[400];
    auto result = std::to_chars(digits, digits + sizeof(digits), value, std::chars_format::fixed, 6);
    return std::string(digits, result.ptr);
}

}  // namespace

void beginGroup(PreferenceText& text, std::string_view name)
{
    text.group = name;
    text.groupHeaderDue = true;
}

void writeInteger(PreferenceText& text, std::string_view key, int64_t value)
{
    writeEntry(text, key, std::to_string(value));
}

void writeReal(PreferenceText& text, std::string_view key, double value)
{
    writeEntry(text, key, realText(value));
}

void writeString(PreferenceText& text, std::string_view key, std::string_view value)
{
    writeEntry(text, key, value);
}

void writeComment(PreferenceText& text, std::string_view comment)
{
    writeHeaderIfDue(text);
    text.bytes += "; ";
    appendOnOneLine(text.bytes, comment);
    text.bytes += "\r\n";
}

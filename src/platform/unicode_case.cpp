#include "platform/unicode_case.h"

#include <glib.h>

#include <algorithm>

namespace {

using CaseMapping = gchar* (*)(const gchar*, gssize);

// glib maps valid UTF-8 only, so the text is handed over run by run and every
// byte between the runs is kept as it is.
std::string mapCase(std::string_view text, CaseMapping mapping)
{
    std::string result;
    result.reserve(text.size());
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const gchar* validEnd = at;
        g_utf8_validate(at, end - at, &validEnd);
        if (validEnd > at) {
            gchar* mapped = mapping(at, validEnd - at);
            result += mapped;
            g_free(mapped);
            at = validEnd;
        }
        if (at < end)
            result += *at++;
    }
    return result;
}

}  // namespace

std::string upperCaseText(std::string_view text)
{
    return mapCase(text, g_utf8_strup);
}

std::string lowerCaseText(std::string_view text)
{
    return mapCase(text, g_utf8_strdown);
}

size_t firstCharacterLength(std::string_view text)
{
    if (text.empty())
        return 0;
    const gchar* validEnd = text.data();
    g_utf8_validate(text.data(), static_cast<gssize>(std::min<size_t>(text.size(), 4)), &validEnd);
    if (validEnd == text.data())
        return 1;
    return static_cast<size_t>(g_utf8_next_char(text.data()) - text.data());
}

bool isValidUtf8(std::string_view text)
{
    return g_utf8_validate_len(text.data(), text.size(), nullptr);
}

std::string singleByteTextAsUtf8(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

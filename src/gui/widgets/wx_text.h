#pragma once

#include <wx/string.h>

#include <string>

// The program's texts are UTF-8 throughout; wx holds them as wxString.
inline wxString toWx(const std::string& text)
{
    return wxString::FromUTF8(text.data(), text.size());
}
inline std::string fromWx(const wxString& text)
{
    return text.utf8_string();
}

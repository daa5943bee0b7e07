#pragma once

#include <string>

#include <wx/string.h>

#include "gui/widgets/wx_text.h"
#include "settings/catalogue.h"

// The catalogue's text of key in group, ready for a control.
inline wxString catalogueText(const std::string& group, const std::string& key)
{
    return toWx(lookupText(group, key));
}

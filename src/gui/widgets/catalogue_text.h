#pragma once

#include <string>

#include <wx/string.h>

#include "gui/access_keys.h"
#include "gui/widgets/wx_text.h"
#include "settings/catalogue.h"

// The catalogue's text of key in group, ready for a control.
inline wxString catalogueText(const std::string& group, const std::string& key)
{
    return toWx(lookupText(group, key));
}

// The same for a menu or button: marked with its access key in keys.
inline wxString catalogueLabel(const std::string& group, const std::string& key, AccessKeyGroup& keys)
{
    return toWx(withAccessKey(lookupText(group, key), keys));
}

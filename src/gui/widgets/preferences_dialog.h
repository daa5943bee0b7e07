#pragma once

#include "gui/image_tables.h"
#include "gui/interface_refresh.h"

class wxWindow;

enum class PreferencesPage { General, Output };

// Shows the preferences over parent until the user closes them. OK and
// Defaults change g_settings and save config.ini; the result says what the
// main window has to rebuild. The format lists show the small "New" picture
// of pictures.
InterfaceRefresh openPreferences(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures);

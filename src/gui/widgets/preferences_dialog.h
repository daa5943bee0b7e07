#pragma once

#include "gui/image_tables.h"

class wxWindow;

enum class PreferencesPage { General, Output };

// Shows the preferences over parent until the user closes them. OK and
// Defaults change g_settings and save config.ini; the result says what the
// main window has to rebuild (InterfaceRefresh: 0 nothing, 1 the toolbar at
// its new icon size, 2 every picture of the new theme). The format lists show
// the small "New" picture of pictures.
int openPreferences(wxWindow* parent, PreferencesPage firstPage, const PictureSlots& pictures);

#pragma once

class wxWindow;

enum class PreferencesPage { General, Output };

// Shows the preferences modally, opened on firstPage, and saves what the user
// chose. Returns what the main window must rebuild: 0 nothing, 1 the toolbar
// (its icon size changed), 2 every picture (the theme changed).
int openPreferences(wxWindow* parent, PreferencesPage firstPage);

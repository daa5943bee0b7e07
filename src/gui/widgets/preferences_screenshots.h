#pragma once

#include <string>

class wxWindow;

// Pictures of every page of the preferences, and of the panels that only a
// choice brings up, as PNG files in folder ("preferences-general.png" ...).
// The settings stay as they are.
void writePreferencesScreenshots(wxWindow* parent, const std::string& folder);

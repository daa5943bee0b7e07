#pragma once

#include <string>

#include "gui/image_tables.h"

class wxWindow;

// Pictures of every page of the preferences, and of the panels that only a
// choice brings up, as PNG files in folder ("preferences-general.png" ...).
// The settings stay as they are. False when a picture could not be written.
bool writePreferencesScreenshots(wxWindow* parent, const PictureSlots& pictures, const std::string& folder);

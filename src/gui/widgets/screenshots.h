#pragma once

#include <string>

#include "gui/image_tables.h"

// Builds the main window, the progress dialog, the preferences and the small
// dialogs with sample contents under the current theme, then the main window
// and a sheet of the pictures of every theme package, and writes a PNG picture
// of each into folder (created when missing). Returns when all are written;
// the windows are gone then and the settings as they were.
void makeScreenshots(const std::string& folder, PictureSlots pictures);

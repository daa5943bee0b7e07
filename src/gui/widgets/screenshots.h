#pragma once

#include <string>

#include "gui/image_tables.h"

// Builds the main window, the progress dialog, the preferences and the small
// dialogs with sample contents under the current theme, then the main window
// and a sheet of the pictures of every theme package, and writes a PNG picture
// of each into folder (created when missing). Returns when all are done, the
// windows gone and the settings as they were: false when a picture could not
// be made, each such failure said on standard error with its path.
bool makeScreenshots(const std::string& folder, PictureSlots pictures);

// Says on standard error that the picture at path could not be written,
// unless written; returns written.
bool reportPicture(bool written, const std::string& path);

#pragma once

#include <string>

#include "gui/image_tables.h"

// Builds the main window and the progress dialog with sample contents under
// the current theme and writes a PNG picture of each into folder (created
// when missing). Returns when all are written; the windows are gone then.
void makeScreenshots(const std::string& folder, PictureSlots pictures);

#pragma once

#include <string>

#include <wx/window.h>

#include "gui/image_tables.h"

// Saves about.png, custom-converter.png and uninstall.png into folder (ending
// with "/"); false when one could not be written.
bool writeSmallDialogScreenshots(wxWindow* parent, const PictureSlots& pictures, const std::string& folder);

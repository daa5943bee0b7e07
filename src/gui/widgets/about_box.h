#pragma once

#include <wx/window.h>

#include "gui/image_tables.h"

void openAboutBox(wxWindow* parent, const PictureSlots& pictures);

#pragma once

#include "gui/image_tables.h"

class wxWindow;

// The about box, modal to parent; its banner comes from pictures.
void openAboutBox(wxWindow* parent, const PictureSlots& pictures);

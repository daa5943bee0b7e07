#pragma once

#include <string>

#include "gui/image_tables.h"
#include "settings/conversion_settings.h"

// The toolbar's icon size in pixels for a uiSize code: 16, 24, 32, 48 or 64;
// 16 for a code outside that range.
int iconPixelSize(int uiSize);

// Fills the picture slots of the chosen tables (the large buttons, the
// 16-pixel icons, the toolbar icons at iconPixelSize) from the current theme
// package in programFolder. A slot the theme does not fill keeps its pictures.
void loadInterfacePictures(ConversionSettings& settings, const std::string& programFolder, bool buttons,
                           bool smallIcons, bool sizedIcons, PictureSlots& slots);

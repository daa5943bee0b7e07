#pragma once

#include <string>

#include "gui/image_tables.h"
#include "gui/theme_packages.h"

struct ConversionSettings;

// Toolbar icon side in pixels for the "UI Size" code: 0 to 4 give 16, 24, 32,
// 48 and 64; any other code gives 16.
int iconPixelSize(int uiSize);

// Fills the slots of the tables asked for with the pictures built into the
// program, then with those of the current theme package over them, so that a
// theme lacking a picture still leaves one in place. The banner goes to
// kBannerSlot on every call: it is never themed, and a caller starting from
// empty slots gets it as well. settings.uiTheme may change (see loadTheme).
void loadInterfacePictures(ConversionSettings& settings, const std::string& programFolder, PictureTables tables,
                           PictureSlots& slots);

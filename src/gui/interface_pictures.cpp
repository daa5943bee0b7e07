#include "gui/interface_pictures.h"

int iconPixelSize(int uiSize)
{
    switch (uiSize) {
    case 1: return 24;
    case 2: return 32;
    case 3: return 48;
    case 4: return 64;
    default: return 16;
    }
}

// Placeholder until the theme packages are read: every slot stays empty.
void loadInterfacePictures(ConversionSettings&, const std::string&, bool, bool, bool, PictureSlots&) {}

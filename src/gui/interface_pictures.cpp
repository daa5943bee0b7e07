#include "gui/interface_pictures.h"

#include "gui/builtin_pictures.h"
#include "gui/theme_packages.h"

namespace {

void loadBuiltinIcons(const std::vector<ImageTableEntry>& table, PictureSlots& slots)
{
    for (const ImageTableEntry& control : table)
        slots[control.slot] = builtinPicture(control.name);
}

}  // namespace

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

void loadInterfacePictures(ConversionSettings& settings, const std::string& programFolder, PictureTables tables,
                           PictureSlots& slots)
{
    if (tables.buttons) {
        // The large Convert button has a picture of its own; the other two
        // large buttons show their menu icons.
        loadBuiltinIcons(buttonImageTable, slots);
        slots[imageSlot(buttonImageTable, "Convert")] = builtinPicture("ConvertButton");
    }
    if (tables.smallIcons)
        loadBuiltinIcons(smallIconTable, slots);
    // Only the small icons are built in; the toolbar shows them until a theme
    // gives it pictures of its size.
    if (tables.sizedIcons)
        loadBuiltinIcons(sizedIconTable, slots);
    slots[kBannerSlot] = builtinPicture("Banner");

    const std::string folder = themeFolder(programFolder);
    loadTheme(settings, folder, scanThemePackages(folder), tables, slots);
}

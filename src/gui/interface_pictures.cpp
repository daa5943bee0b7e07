#include "gui/interface_pictures.h"

#include "gui/builtin_pictures.h"
#include "gui/theme_packages.h"
#include "settings/conversion_settings.h"

namespace {

// The side of the icons of menus, small buttons and box items.
constexpr int kSmallIconSize = 16;

void loadBuiltinIcons(const std::vector<ImageTableEntry>& table, int size, PictureSlots& slots)
{
    for (const ImageTableEntry& control : table)
        slots[control.slot] = builtinIcon(control.name, size);
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
        loadBuiltinIcons(buttonImageTable, kSmallIconSize, slots);
        slots[imageSlot(buttonImageTable, "Convert")] = builtinPicture("ConvertButton");
    }
    if (tables.smallIcons)
        loadBuiltinIcons(smallIconTable, kSmallIconSize, slots);
    // Built in at every size, so that a toolbar without a theme is as sharp as one with it.
    if (tables.sizedIcons)
        loadBuiltinIcons(sizedIconTable, iconPixelSize(settings.uiSize), slots);
    slots[kBannerSlot] = builtinPicture("Banner");

    const std::string folder = themeFolder(programFolder);
    loadTheme(settings, folder, scanThemePackages(folder), tables, slots);
}

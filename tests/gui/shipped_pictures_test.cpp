#include <sys/stat.h>

#include <array>
#include <filesystem>

#include <gtest/gtest.h>

#include "gui/builtin_pictures.h"
#include "gui/interface_pictures.h"
#include "gui/theme_contact_sheet.h"
#include "gui/theme_packages.h"
#include "gui/theme_test_files.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

// The pictures the build makes from gfx-src/: the theme packages next to the
// program and the pictures compiled into it.

namespace {

const std::string kBuildFolder = KORVANE_BUILD_DIR;
const std::string kShippedFolder = kBuildFolder + "gfx/";
constexpr std::array kIconSizes = {16, 24, 32, 48, 64};

std::string bytesOf(const std::vector<unsigned char>& picture)
{
    return {picture.begin(), picture.end()};
}

// Every control of table with a picture in slots that libpng decodes at
// side x side (or at any size when side is 0).
void expectEveryPicture(const PictureSlots& slots, const std::vector<ImageTableEntry>& table, int side,
                        const std::string& what)
{
    for (const ImageTableEntry& control : table) {
        std::optional<std::pair<int, int>> size = decodedPngSize(slotText(slots, control.slot));
        ASSERT_TRUE(size) << what << ": " << control.name << " missing or not decodable";
        if (side) {
            EXPECT_EQ(*size, std::pair(side, side)) << what << ": " << control.name;
        }
    }
}

}  // namespace

TEST(ShippedThemes, EveryControlHasADecodablePictureAtEverySize)
{
    EXPECT_EQ(scanThemePackages(kShippedFolder), (ThemeList{{"flat", "Flat"}, {"handdrawn", "Hand-drawn"}}));
    for (const std::string theme : {"handdrawn", "flat"}) {
        const std::string package = kShippedFolder + theme + ".zip";
        const PictureSlots buttons = readPackagePictures(package, {{&buttonImageTable, "Buttons", 16}});
        expectEveryPicture(buttons, buttonImageTable, 0, theme);
        EXPECT_EQ(decodedPngSize(slotText(buttons, imageSlot(buttonImageTable, "Convert"))), std::pair(80, 80));
        for (int size : kIconSizes)
            expectEveryPicture(readPackagePictures(package, {{&sizedIconTable, "Icons", size}}), sizedIconTable, size,
                               theme + " " + std::to_string(size));
    }
}

TEST(ShippedThemes, BuiltInPicturesCoverEveryControlAndTheBanner)
{
    for (const ImageTableEntry& control : smallIconTable)
        for (int size : kIconSizes)
            EXPECT_EQ(decodedPngSize(bytesOf(builtinIcon(control.name, size))), std::pair(size, size))
                << control.name << " " << size;
    EXPECT_TRUE(builtinIcon("Help", 20).empty());
    EXPECT_EQ(decodedPngSize(bytesOf(builtinPicture("ConvertButton"))), std::pair(80, 80));
    EXPECT_EQ(decodedPngSize(bytesOf(builtinPicture("Banner"))), std::pair(360, 40));
}

TEST(InterfacePictures, TheThemeOverTheBuiltInPicturesBesideTheProgram)
{
    ConversionSettings settings;
    settings.uiTheme = "handdrawn";
    settings.uiSize = 3;
    PictureSlots slots;
    loadInterfacePictures(settings, kBuildFolder, kEveryPictureTable, slots);

    EXPECT_EQ(settings.uiTheme, "handdrawn");
    expectEveryPicture(slots, buttonImageTable, 0, "buttons");
    expectEveryPicture(slots, smallIconTable, 16, "menus");
    expectEveryPicture(slots, sizedIconTable, 48, "toolbar");
    EXPECT_EQ(decodedPngSize(slotText(slots, kBannerSlot)), std::pair(360, 40));
    // The theme's own picture, not the built-in one.
    const int help = imageSlot(smallIconTable, "Help");
    EXPECT_EQ(slotText(slots, help),
              slotText(readPackagePictures(kShippedFolder + "handdrawn.zip", {{&smallIconTable, "Icons", 16}}), help));
    EXPECT_NE(slotText(slots, help), bytesOf(builtinIcon("Help", 16)));
}

TEST(InterfacePictures, BuiltInPicturesWithoutThemesAndTheInstalledThemeFolder)
{
    ScratchFolder prefix;
    const std::string bin = prefix.path + "bin/";
    mkdir(bin.c_str(), 0755);
    ConversionSettings settings;
    settings.uiTheme = "handdrawn";
    settings.uiSize = 4;
    PictureSlots slots;
    loadInterfacePictures(settings, bin, kEveryPictureTable, slots);
    EXPECT_EQ(settings.uiTheme, "handdrawn");
    EXPECT_EQ(slotText(slots, imageSlot(buttonImageTable, "Convert")), bytesOf(builtinPicture("ConvertButton")));
    // The toolbar's built-in pictures drawn at its size, not a small one stretched.
    expectEveryPicture(slots, smallIconTable, 16, "built-in menus");
    expectEveryPicture(slots, sizedIconTable, 64, "built-in toolbar");
    for (const ImageTableEntry& control : sizedIconTable)
        EXPECT_EQ(slotText(slots, control.slot), bytesOf(builtinIcon(control.name, 64))) << control.name;

    // Installed: bin/korvane with share/korvane/gfx/ beside bin/.
    std::filesystem::create_directories(prefix.path + "share/korvane/gfx");
    std::filesystem::copy_file(kShippedFolder + "flat.zip", prefix.path + "share/korvane/gfx/flat.zip");
    loadInterfacePictures(settings, bin, kToolbarPictures, slots);
    EXPECT_EQ(settings.uiTheme, "flat");
    expectEveryPicture(slots, sizedIconTable, 64, "installed toolbar");
}

TEST(ThemeContactSheet, ShowsAShippedThemeAndRefusesWhatIsNoPackage)
{
    ScratchFolder folder;
    ASSERT_EQ(writeThemeContactSheet(kShippedFolder + "flat.zip", folder.path + "sheet.png"),
              ContactSheetOutcome::Written);
    std::optional<std::pair<int, int>> size = decodedPngSize(readFile(folder.path + "sheet.png"));
    ASSERT_TRUE(size);
    EXPECT_GT(size->first, 5 * 64 * 2);
    EXPECT_GT(size->second, 11 * 64);

    writeFile(folder.path + "not.zip", "no archive");
    EXPECT_EQ(writeThemeContactSheet(folder.path + "not.zip", folder.path + "not.png"),
              ContactSheetOutcome::PackageUnreadable);
    EXPECT_FALSE(fileExists(folder.path + "not.png"));
    EXPECT_EQ(writeThemeContactSheet(kShippedFolder + "flat.zip", folder.path + "missing/sheet.png"),
              ContactSheetOutcome::NotWritten);
}

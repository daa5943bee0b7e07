#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gui/image_tables.h"

struct ConversionSettings;

// Theme packages: ZIP files "KEY.zip" in the theme folder, each holding a
// "theme.cfg" (sections "Theme", "Buttons" and "Icons" of "key=value" lines
// ending in CR LF) and the PNG pictures it names.

// Package key to display name, sorted by key: the last entry is the package
// the folder scan visits last, which stands in for a theme that has gone.
using ThemeList = std::map<std::string, std::string>;

// "gfx/" next to the program where it exists (a build tree), otherwise the
// installed "../share/korvane/gfx/" beside the program's folder. programFolder
// and the result end with "/".
std::string themeFolder(const std::string& programFolder);

// Every regular file named "*.zip" in folder, with its display name.
ThemeList scanThemePackages(const std::string& folder);

// The "Name" of the "Theme" section within the first 255 bytes of the
// package's theme.cfg ("" when the package has no theme.cfg or it no name);
// the key itself when the package is missing, empty or no ZIP archive.
std::string themeDisplayName(const std::string& folder, const std::string& key);

// The value of key in section of a theme.cfg text, or "". The section name
// matches in any letter case, the key too, as the beginning of a line; only
// CR LF ends a line, and a key on a last line without CR LF has no value. The
// value is what stands between the line's first and second "=", without
// blanks at its ends and without any tab, CR or LF.
std::string readCfgValue(std::string_view text, std::string_view section, std::string_view key);

// The archive entry that a theme.cfg value names for a picture of size
// pixels: a value holding ".png" in any letter case names the entry itself,
// any other value is a base name completed to "VALUE_SIZE.png".
std::string themeEntryName(const std::string& value, int size);

// Which pictures to take from a package: the controls of table, looked up in
// its section of theme.cfg, at size pixels.
struct PictureRequest {
    const std::vector<ImageTableEntry>* table;
    std::string section;
    int size;
};

// The usable PNG pictures that the package at packagePath gives the slots of
// the requests. A control without one (no value, no such entry, an empty or
// oversized entry, not a PNG, larger than kLargestInterfacePicture) is absent.
PictureSlots readPackagePictures(const std::string& packagePath, const std::vector<PictureRequest>& requests);

// Which of the picture tables a load fills.
struct PictureTables {
    bool buttons = false;     // buttonImageTable: the large buttons
    bool smallIcons = false;  // smallIconTable: menus and lists
    bool sizedIcons = false;  // sizedIconTable: the toolbar, at the chosen icon size
};
inline constexpr PictureTables kEveryPictureTable{.buttons = true, .smallIcons = true, .sizedIcons = true};
inline constexpr PictureTables kToolbarPictures{.sizedIcons = true};

// Loads the pictures of settings.uiTheme into the slots of the tables asked
// for, leaving every slot it has no picture for unchanged. A uiTheme that
// names no package of themes is replaced by the last one there (and so saved
// with the settings); only packages of themes are ever opened.
void loadTheme(ConversionSettings& settings, const std::string& folder, const ThemeList& themes, PictureTables tables,
               PictureSlots& slots);

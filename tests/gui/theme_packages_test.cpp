#include <sys/stat.h>

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

#include "gui/interface_pictures.h"
#include "gui/theme_packages.h"
#include "gui/theme_test_files.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

std::string cfg(const std::string& name, const std::string& buttons, const std::string& icons)
{
    return "[Theme]\r\nName=" + name + "\r\n\r\n[Buttons]\r\n" + buttons + "\r\n[Icons]\r\n" + icons;
}

// Functions, not constants: the tables are globals of another file.
int newSmall()
{
    return imageSlot(smallIconTable, "New");
}
int newSized()
{
    return imageSlot(sizedIconTable, "New");
}

struct ThemeScene {
    ScratchFolder folder;
    std::string gfx = folder.path + "gfx/";
    ConversionSettings settings;
    PictureSlots slots;

    ThemeScene() { mkdir(gfx.c_str(), 0755); }

    void load(PictureTables tables = kEveryPictureTable)
    {
        loadTheme(settings, gfx, scanThemePackages(gfx), tables, slots);
    }
};

}  // namespace

TEST(ThemeCfg, ValuesAreFoundOnlyWhereTheLineRulesPutThem)
{
    const std::string text = "[THEME]\r\nNAMEX=Prefix\r\nName=Real\r\n"
                             "[Icons]\r\nNew =  pa\tge \r\nAdd=plus=minus\r\nBare\r\nLast=none";
    EXPECT_EQ(readCfgValue(text, "theme", "name"), "Prefix");  // the key is a line prefix, any case
    EXPECT_EQ(readCfgValue(text, "Icons", "New"), "page");
    EXPECT_EQ(readCfgValue(text, "Icons", "Add"), "plus");
    EXPECT_EQ(readCfgValue(text, "Icons", "Bare"), "");
    EXPECT_EQ(readCfgValue(text, "Icons", "Last"), "");                            // no CR LF after it
    EXPECT_EQ(readCfgValue(text, "Icons", "Name"), "");                            // only in an earlier section
    EXPECT_EQ(readCfgValue(text, "Theme", "New"), "");                             // only in a later section
    EXPECT_EQ(readCfgValue(text, "Buttons", "New"), "");                           // no such section
    EXPECT_EQ(readCfgValue("[Icons]\nNew=page\nAdd=plus\n", "Icons", "New"), "");  // LF only
    EXPECT_EQ(readCfgValue("", "Icons", "New"), "");
}

TEST(ThemeCfg, EntryNamesAreCompletedOnlyWithoutAPngExtension)
{
    EXPECT_EQ(themeEntryName("open", 48), "open_48.png");
    EXPECT_EQ(themeEntryName("open.png", 48), "open.png");
    EXPECT_EQ(themeEntryName("OPEN.PNG", 16), "OPEN.PNG");
    EXPECT_EQ(themeEntryName("", 16), "_16.png");
}

TEST(ThemeLoading, EntryNamesSizesAndMissingControls)
{
    ThemeScene scene;
    const std::string full = pngPicture(20, 20, 0x112233);
    const std::string small = pngPicture(16, 16, 0x445566);
    const std::string large = pngPicture(48, 48, 0x778899);
    const std::string capitals = pngPicture(30, 30, 0xAABBCC);
    const std::string button = pngPicture(80, 80, 0xDDEEFF);
    writeZip(scene.gfx + "mine.zip", {{"theme.cfg", cfg("Mine \xE9t\xE9", "Convert=big.png\r\n",
                                                        "New=open.png\r\nAdd=open\r\nCopy=OPEN.PNG\r\n")},
                                      {"open.png", full},
                                      {"open_16.png", small},
                                      {"open_48.png", large},
                                      {"OPEN.PNG", capitals},
                                      {"big.png", button}});
    scene.settings.uiTheme = "mine";
    scene.settings.uiSize = 3;
    const int deleteSmall = imageSlot(smallIconTable, "Delete");
    const int deleteSized = imageSlot(sizedIconTable, "Delete");
    scene.slots[deleteSmall] = {'k', 'e', 'p', 't'};
    scene.slots[deleteSized] = {'k', 'e', 'p', 't'};
    scene.load();

    EXPECT_EQ(scene.settings.uiTheme, "mine");
    EXPECT_EQ(themeDisplayName(scene.gfx, "mine"), "Mine \u00e9t\u00e9");  // Latin-1 shown as UTF-8
    EXPECT_EQ(slotText(scene.slots, newSmall()), full);
    EXPECT_EQ(slotText(scene.slots, newSized()), full);
    EXPECT_EQ(slotText(scene.slots, imageSlot(smallIconTable, "Add")), small);
    EXPECT_EQ(slotText(scene.slots, imageSlot(sizedIconTable, "Add")), large);
    EXPECT_EQ(slotText(scene.slots, imageSlot(smallIconTable, "Copy")), capitals);
    EXPECT_EQ(slotText(scene.slots, imageSlot(sizedIconTable, "Copy")), capitals);
    EXPECT_EQ(slotText(scene.slots, imageSlot(buttonImageTable, "Convert")), button);
    // Not listed: "_16.png" and "_48.png", which the package lacks.
    EXPECT_EQ(slotText(scene.slots, deleteSmall), "kept");
    EXPECT_EQ(slotText(scene.slots, deleteSized), "kept");
    EXPECT_FALSE(scene.slots.contains(imageSlot(buttonImageTable, "InFiles")));

    // A size change reloads the toolbar alone.
    scene.settings.uiSize = 0;
    scene.slots.clear();
    scene.load(kToolbarPictures);
    EXPECT_EQ(slotText(scene.slots, imageSlot(sizedIconTable, "Add")), small);
    EXPECT_EQ(scene.slots.size(), 3u);
}

TEST(ThemeLoading, AGoneThemeFallsBackToTheLastPackageAndIsSavedSo)
{
    ThemeScene scene;
    const std::string a = pngPicture(16, 16, 0xAA0000);
    const std::string b = pngPicture(16, 16, 0x00BB00);
    writeZip(scene.gfx + "b.zip", {{"theme.cfg", cfg("Bee", "", "New=new\r\n")}, {"new_16.png", b}});
    writeZip(scene.gfx + "a.zip", {{"theme.cfg", cfg("Ay", "", "New=new\r\n")}, {"new_16.png", a}});
    writeFile(scene.gfx + "notes.txt", "not a package");

    EXPECT_EQ(scanThemePackages(scene.gfx), (ThemeList{{"a", "Ay"}, {"b", "Bee"}}));
    scene.settings.uiTheme = "gone";
    scene.load({.smallIcons = true});
    EXPECT_EQ(scene.settings.uiTheme, "b");
    EXPECT_EQ(slotText(scene.slots, newSmall()), b);

    // A name that leads out of the theme folder opens nothing there either.
    writeZip(scene.folder.path + "evil.zip", {{"theme.cfg", cfg("Evil", "", "New=new\r\n")}, {"new_16.png", a}});
    scene.settings.uiTheme = "../evil";
    scene.load({.smallIcons = true});
    EXPECT_EQ(scene.settings.uiTheme, "b");
    EXPECT_EQ(slotText(scene.slots, newSmall()), b);
}

TEST(ThemeLoading, WithoutPackagesNothingChanges)
{
    ThemeScene scene;
    writeZip(scene.folder.path + "passwd.zip",
             {{"theme.cfg", cfg("Evil", "", "New=new\r\n")}, {"new_16.png", pngPicture(16, 16, 0)}});
    scene.settings.uiTheme = "../passwd";
    scene.slots[newSmall()] = {'o', 'l', 'd'};
    scene.load();
    EXPECT_EQ(scene.settings.uiTheme, "../passwd");
    EXPECT_EQ(scene.slots.size(), 1u);
    EXPECT_EQ(slotText(scene.slots, newSmall()), "old");
}

TEST(ThemeLoading, LfOnlyThemeCfgGivesNoPictures)
{
    ThemeScene scene;
    writeZip(scene.gfx + "unix.zip", {{"theme.cfg", "[Theme]\nName=Unix\n[Icons]\nNew=new\n"},
                                      {"new_16.png", pngPicture(16, 16, 0)},
                                      {"_16.png", "not a png"}});
    scene.settings.uiTheme = "unix";
    scene.load();
    EXPECT_TRUE(scene.slots.empty());
    EXPECT_EQ(themeDisplayName(scene.gfx, "unix"), "");
}

TEST(ThemeFolder, BesideTheProgramElseTheInstalledShareFolder)
{
    ScratchFolder folder;
    EXPECT_EQ(themeFolder(folder.path), folder.path + "../share/korvane/gfx/");
    mkdir((folder.path + "gfx").c_str(), 0755);
    EXPECT_EQ(themeFolder(folder.path), folder.path + "gfx/");
}

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <tuple>

#include "formats/format_lists.h"
#include "gui/colour_names.h"
#include "gui/preference_controls.h"
#include "gui/preference_rules.h"
#include "settings/catalogue.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

using S = ConversionSettings;

const std::vector<std::pair<std::string, std::string>> kThemes = {{"handdrawn", "Hand Drawn"}, {"flat", "Flat"}};

// Valid values unlike the defaults and, where they can be, unlike each other,
// so a control wired to the wrong setting shows up.
ConversionSettings unusualSettings()
{
    resetSettings(false);
    ConversionSettings s = g_settings;
    s.updateRange = 4;
    s.saveWindowPosition = 0;
    s.uiTheme = "flat";
    s.uiSize = 0;
    s.ddsLoadAs = 2;
    s.gifFrameLoading = 1;
    s.icoFrameLoading = 3;
    s.tiffFrameLoading = 4;
    s.psdColorMode = 2;
    s.rawLoadAs = 5;
    s.rawHeaderSize = 512;
    s.rawWidth = 640;
    s.rawHeight = 480;
    s.rawToneMapping = 1;
    s.bmpBpp = 16;
    s.bmpCompression = 1;
    s.bmpColorTable = 1;
    s.exrBpp = 96;
    s.exrCompression = 3;
    s.gifBpp = 8;
    s.hdrBpp = 96;
    s.icoBpp = 4;
    s.j2kBpp = 48;
    s.jngBpp = 32;
    s.jp2Bpp = 24;
    s.jpgBpp = 8;
    s.jpgQuality = 77;
    s.jpgChroma = 2;
    s.jpgSaveAs = 3;
    s.jxrBpp = 1;
    s.pbmBpp = 1;
    s.pfmBpp = 96;
    s.pgmBpp = 8;
    s.pngBpp = 48;
    s.pngCompression = 2;
    s.pngInterlaced = 1;
    s.ppmBpp = 48;
    s.tgaBpp = 16;
    s.tgaCompression = 1;
    s.tiffBpp = 4;
    s.tiffCompression = 7;
    s.tiffColorMode = 1;
    s.wbmpBpp = 1;
    s.webpBpp = 32;
    s.webpQuality = 42;
    s.xpmBpp = 24;
    s.rotateEnabled = 1;
    s.rotationType = 1;
    s.rotationAngle = 90;
    s.rotationBackColor = "12AB34";
    s.resizeEnabled = 1;
    s.resizeWidth = 800;
    s.resizeWidthUnit = 1;
    s.resizeHeight = 600;
    s.resizeHeightUnit = 1;
    s.keepAspectRatio = 0;
    s.resizeType = 1;
    s.resizeAlgorithm = 5;
    s.flipHorizontal = 1;
    s.flipVertical = 1;
    s.adjustEnabled = 1;
    s.brightness = -20;
    s.contrast = 30;
    s.gamma = 1.25f;
    s.invert = 1;
    s.greyscale = 1;
    s.thresholdEnabled = 1;
    s.threshold = 128;
    s.ditherEnabled = 1;
    s.ditherAlgorithm = 6;
    s.frameType = 1;
    s.frameLeft = 1;
    s.frameRight = 2;
    s.frameTop = 3;
    s.frameBottom = 4;
    s.frameLeftColor = "111111";
    s.frameRightColor = "222222";
    s.frameTopColor = "333333";
    s.frameBottomColor = "444444";
    s.frameOpacity = 200;
    s.watermarkType = 2;
    s.wmText = "Hello";
    s.wmFontList = "Arial,Liberation Serif";
    s.wmFont = "Liberation Serif";
    s.wmFontSize = 20;
    s.wmFontLeading = 3;
    s.wmFontColor = "FF8000";
    s.wmFontStyle = 3;
    s.wmFontEffect = 2;
    s.wmTextAntialiasing = 1;
    s.wmTextAlignment = 2;
    s.wmTextPadding = 5;
    s.wmTextOpacity = 100;
    s.wmBackColor = "0000FF";
    s.wmBackOpacity = 50;
    s.wmTextBoundary = 1;
    s.wmTextPosition = 4;
    s.wmTextXOffset = -7;
    s.wmTextYOffset = 9;
    s.wmTextRotation = 45;
    s.wmTextScale = 150;
    s.wmImage = "/pictures/logo.png";
    s.wmImageGreyscale = 1;
    s.wmImageOpacity = 60;
    s.wmImageBoundary = 1;
    s.wmImagePosition = 2;
    s.wmImageXOffset = 11;
    s.wmImageYOffset = 12;
    s.wmImageRotation = 270;
    s.wmImageScale = 30;
    s.filenameMask = "%filename%-x.%ext%";
    s.fileTimestamp = 2;
    s.customTimestamp = 1234567890;
    s.outFoldersHistory = 0;
    s.outFoldersNumber = 12;
    s.keepSubfolders = 0;
    s.recentOutFolders = "/a/";
    return s;
}

struct PreferencesTest : ::testing::Test {
    ConversionSettings saved = g_settings;
    ScratchFolder folder;

    void SetUp() override
    {
        buildCatalogue();
        g_settings.configPath = folder.path + "config.ini";
    }
    void TearDown() override { g_settings = saved; }

    // config.ini as it would be written for s with every format offered: a
    // listing of every stored field.
    std::string configText(const ConversionSettings& s)
    {
        const auto keptInput = inputFormats;
        const auto keptOutput = outputFormats;
        inputFormats = {"pcd", "dds", "gif", "ico", "psd", "raw", "tiff"};
        outputFormats = {"jpg", "bmp", "dds", "exr", "gif", "hdr", "ico", "j2k",  "jng",  "jp2",  "jxr", "pbm",
                         "pcx", "pfm", "pgm", "png", "ppm", "psd", "tga", "tiff", "wbmp", "webp", "xpm"};
        g_settings = s;
        g_settings.configPath = folder.path + "listing.ini";
        const bool saved = saveConfiguration();
        inputFormats = keptInput;
        outputFormats = keptOutput;
        EXPECT_TRUE(saved);
        return readFile(g_settings.configPath);
    }
};

TEST_F(PreferencesTest, OkWithoutChangesStoresEverySettingAsItWas)
{
    for (const ConversionSettings& original : {unusualSettings(), (resetSettings(false), g_settings)}) {
        const PreferenceControls controls = loadPreferenceControls(original, kThemes);
        ConversionSettings stored = original;
        EXPECT_EQ(storePreferenceControls(controls, stored), InterfaceRefresh::kNothing);
        EXPECT_EQ(configText(stored), configText(original));
    }
}

TEST_F(PreferencesTest, ControlsShowTheSettingsTheyEdit)
{
    const PreferenceControls c = loadPreferenceControls(unusualSettings(), kThemes);
    EXPECT_EQ(c.themes[c.theme].key, "flat");
    EXPECT_EQ(c.themes[0].key, "flat");  // ordered by key
    EXPECT_EQ(c.value(&S::rawLoadAs), 5);
    EXPECT_EQ(c.text(&S::rawWidth), "640");
    EXPECT_EQ(c.bitDepth(&S::jpgBpp).depths, (std::vector<int>{8, 24}));
    EXPECT_EQ(c.bitDepth(&S::jpgBpp).selected, 1);
    EXPECT_EQ(c.bitDepth(&S::pcxBpp).depths, std::vector<int>{});  // only "Auto"
    EXPECT_EQ(c.value(&S::gamma), 125);
    EXPECT_EQ(c.fonts(&S::wmFont).names, (std::vector<std::string>{"Arial", "Liberation Serif"}));
    EXPECT_EQ(c.fonts(&S::wmFont).selected, 1);
    EXPECT_EQ(c.colours(&S::wmFontColor).colours[c.colours(&S::wmFontColor).selected], "FF8000");
    EXPECT_EQ(c.colours(&S::wmBackColor).colours[c.colours(&S::wmBackColor).selected], "0000FF");
    EXPECT_EQ(c.outputFormats[c.outputFormat], "jpg");
}

TEST_F(PreferencesTest, TypedPairValuesAreClampedToTheirRow)
{
    EXPECT_EQ(readTypedValue("150", kQualityRange).value, 100);
    EXPECT_TRUE(readTypedValue("150", kQualityRange).rewriteNow);
    EXPECT_EQ(readTypedValue("-5", kQualityRange).value, 1);
    EXPECT_EQ(readTypedValue("-150", kBrightnessRange).value, -100);
    EXPECT_EQ(readTypedValue("abc", kQualityRange).value, 1);
    EXPECT_EQ(readTypedValue("", kAngleRange).value, 0);
    // A number out of range shows clamped at once, in the field as on the track bar.
    for (const auto& [text, range, shown] : {std::tuple{"0", kQualityRange, 1},
                                             {"-5", kAngleRange, 0},
                                             {"361", kAngleRange, 360},
                                             {"-0", kOpacityRange, 1},
                                             {"99999999999999999999", kOpacityRange, 255}}) {
        EXPECT_EQ(readTypedValue(text, range).value, shown) << text;
        EXPECT_TRUE(readTypedValue(text, range).rewriteNow) << text;
    }
    // Text on its way to a number, and numbers in range, are left as typed.
    for (const char* text : {"", "-", "+", " 5", "100"})
        EXPECT_FALSE(readTypedValue(text, kQualityRange).rewriteNow) << text;
    EXPECT_FALSE(readTypedValue("-", kBrightnessRange).rewriteNow);
    EXPECT_FALSE(readTypedValue("-100", kBrightnessRange).rewriteNow);

    ConversionSettings s = unusualSettings();
    PreferenceControls c = loadPreferenceControls(s, kThemes);
    c.value(&S::jpgQuality) = readTypedValue("150", kQualityRange).value;
    c.value(&S::webpQuality) = readTypedValue("-5", kQualityRange).value;
    storePreferenceControls(c, s);
    EXPECT_EQ(s.jpgQuality, 100);
    EXPECT_EQ(s.webpQuality, 1);

    // Values out of range in config.ini show, and store, clamped.
    s.jpgQuality = 500;
    s.frameOpacity = 0;
    s.outFoldersNumber = -3;
    c = loadPreferenceControls(s, kThemes);
    EXPECT_EQ(c.value(&S::jpgQuality), 100);
    storePreferenceControls(c, s);
    EXPECT_EQ(s.frameOpacity, 1);
    EXPECT_EQ(s.outFoldersNumber, 1);
}

TEST_F(PreferencesTest, GammaIsTypedAsADecimalAndDecidesTheColourCorrection)
{
    const TypedValue typed = readTypedGamma("1.5");
    EXPECT_EQ(typed.value, 150);
    EXPECT_EQ(gammaText(typed.value), "1.50");
    EXPECT_EQ(readTypedGamma("1,5").value, 150);
    EXPECT_EQ(gammaText(1), "0.01");
    EXPECT_EQ(gammaText(999), "9.99");
    EXPECT_EQ(readTypedGamma("25").value, 999);
    EXPECT_TRUE(readTypedGamma("25").rewriteNow);
    EXPECT_EQ(readTypedGamma("0").value, 1);
    // "0" may become 0.05, "0.00" no longer can; a minus sign never can.
    for (const char* text : {"0", "0.", "0,0", "", "-", "1.", "9.99"})
        EXPECT_FALSE(readTypedGamma(text).rewriteNow) << text;
    for (const char* text : {"0.00", "0.001", "-1", "-0.5", "10", "9.999"})
        EXPECT_TRUE(readTypedGamma(text).rewriteNow) << text;
    EXPECT_EQ(readTypedGamma("nonsense").value, 1);
    EXPECT_EQ(readTypedGamma("NaN").value, 1);
    EXPECT_EQ(gammaHundredths(1e30f), 999);

    resetSettings(false);
    ConversionSettings s = g_settings;
    PreferenceControls c = loadPreferenceControls(s, kThemes);
    c.value(&S::gamma) = typed.value;
    storePreferenceControls(c, s);
    EXPECT_FLOAT_EQ(s.gamma, 1.5f);
    EXPECT_EQ(s.adjustEnabled, 1);

    // Neutral values switch the correction off, whatever it was before.
    c.value(&S::gamma) = 100;
    s.adjustEnabled = 1;
    storePreferenceControls(c, s);
    EXPECT_EQ(s.adjustEnabled, 0);
    c.flag(&S::invert) = true;
    storePreferenceControls(c, s);
    EXPECT_EQ(s.adjustEnabled, 1);
    c.flag(&S::invert) = false;
    c.value(&S::contrast) = -1;
    storePreferenceControls(c, s);
    EXPECT_EQ(s.adjustEnabled, 1);
}

TEST_F(PreferencesTest, RowsAndPanelsFollowTheControlsTheyDependOn)
{
    PreferenceControls c = loadPreferenceControls((resetSettings(false), g_settings), kThemes);
    PreferenceStates states = preferenceStates(c);
    EXPECT_FALSE(states.rotationRows || states.resizeRows || states.thresholdRow || states.ditherRow);
    EXPECT_FALSE(states.customTimestampRow || states.frameSolidPanel);
    EXPECT_FALSE(states.watermarkTextPanel || states.watermarkImagePanel || states.textScaleRow);
    EXPECT_EQ(states.inputPanel, "pcd");  // a format without options: no panel has that name
    EXPECT_EQ(states.outputPanel, "jpg");

    for (int loadAs : {0, 3}) {  // Auto and RGB24 read their size and range from the file
        c.value(&S::rawLoadAs) = loadAs;
        states = preferenceStates(c);
        EXPECT_FALSE(states.rawSizeRows || states.rawToneMappingRow) << loadAs;
    }
    c.value(&S::rawLoadAs) = 2;
    states = preferenceStates(c);
    EXPECT_TRUE(states.rawSizeRows && !states.rawToneMappingRow);
    c.value(&S::rawLoadAs) = 4;
    states = preferenceStates(c);
    EXPECT_TRUE(!states.rawSizeRows && states.rawToneMappingRow);

    c.flag(&S::rotateEnabled) = c.flag(&S::resizeEnabled) = c.flag(&S::thresholdEnabled) = c.flag(&S::ditherEnabled) =
        true;
    c.value(&S::fileTimestamp) = 2;
    c.value(&S::frameType) = 1;
    c.value(&S::watermarkType) = 2;
    states = preferenceStates(c);
    EXPECT_TRUE(states.rotationRows && states.resizeRows && states.thresholdRow && states.ditherRow);
    EXPECT_TRUE(states.customTimestampRow && states.frameSolidPanel && states.watermarkImagePanel);
    EXPECT_FALSE(states.watermarkTextPanel || states.imageScaleRow);
}

TEST_F(PreferencesTest, AColourAddedWithTheButtonStaysWhenTheDialogIsCancelled)
{
    resetSettings(false);
    PreferenceControls c = loadPreferenceControls(g_settings, kThemes);
    const size_t offered = c.colours(&S::wmFontColor).colours.size();
    addChosenColour(c.colours(&S::wmFontColor), "123abc", g_settings.wmFontColorList);
    EXPECT_EQ(c.colours(&S::wmFontColor).colours.size(), offered + 1);
    EXPECT_EQ(c.colours(&S::wmFontColor).colours[c.colours(&S::wmFontColor).selected], "123ABC");
    EXPECT_EQ(colourName("123abc"), "Color #123ABC");

    // A colour already offered is only selected.
    addChosenColour(c.colours(&S::wmFontColor), "ff0000", g_settings.wmFontColorList);
    EXPECT_EQ(colourName(c.colours(&S::wmFontColor).colours[c.colours(&S::wmFontColor).selected]), "Red");
    addChosenColour(c.colours(&S::wmBackColor), "00ff00", g_settings.wmBackColorList);

    // Cancel stores nothing else; the next opening offers the new colours.
    const ConversionSettings afterCancel = g_settings;
    EXPECT_EQ(afterCancel.wmFontColor, "FFFFFF");
    const PreferenceControls reopened = loadPreferenceControls(afterCancel, kThemes);
    EXPECT_EQ(reopened.colours(&S::wmFontColor).colours.back(), "123ABC");
    EXPECT_EQ(reopened.colours(&S::wmFontColor).colours.size(), offered + 1);
    EXPECT_EQ(reopened.colours(&S::wmBackColor).colours.back(), "00FF00");

    // An empty list gains the colour without a stray comma.
    std::string list;
    ColourChoice none;
    addChosenColour(none, "abcdef", list);
    EXPECT_EQ(list, "ABCDEF");
}

TEST_F(PreferencesTest, HandEditedListsAndColoursCannotUpsetTheDialog)
{
    EXPECT_EQ(colourListEntries(" ff0000 ,,zz,12345,1234567,GG0000,FF0000, 00ff00"),
              (std::vector<std::string>{"FF0000", "00FF00"}));
    std::string many;
    for (int i = 0; i < 500; ++i)
        many += (i ? "," : "") + formatHexColour({static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2), 7});
    EXPECT_EQ(colourListEntries(many).size(), 500u);
    EXPECT_EQ(colourListEntries(",,,").size(), 0u);

    ConversionSettings s = unusualSettings();
    s.wmFontColor = "not a colour";
    s.wmFontList = "";
    s.wmFont = "Gone Font";
    PreferenceControls c = loadPreferenceControls(s, kThemes);
    EXPECT_EQ(c.colours(&S::wmFontColor).selected, -1);
    EXPECT_EQ(c.fonts(&S::wmFont).names, std::vector<std::string>{"Gone Font"});
    // Hex fields: five or seven characters or other letters are black; blanks and case do not matter.
    c.text(&S::rotationBackColor) = "abc12";
    c.text(&S::frameLeftColor) = "1234567";
    c.text(&S::frameRightColor) = "GG0000";
    c.text(&S::frameTopColor) = " ff8000 ";
    c.text(&S::frameBottomColor) = "";
    c.text(&S::resizeWidth) = std::string(40, '9');
    c.text(&S::resizeHeight) = "-" + std::string(40, '9');
    c.text(&S::frameLeft) = "";
    c.text(&S::frameRight) = "12px";
    c.text(&S::wmText) = "  two\tlines\r\nhere  ";
    storePreferenceControls(c, s);
    EXPECT_EQ(s.rotationBackColor, "000000");
    EXPECT_EQ(s.frameLeftColor, "000000");
    EXPECT_EQ(s.frameRightColor, "000000");
    EXPECT_EQ(s.frameTopColor, "FF8000");
    EXPECT_EQ(s.frameBottomColor, "000000");
    EXPECT_EQ(s.wmFontColor, "not a colour");  // no colour chosen: the stored one stays
    EXPECT_EQ(s.resizeWidth, INT32_MAX);
    EXPECT_EQ(s.resizeHeight, INT32_MIN);
    EXPECT_EQ(s.frameLeft, 0);
    EXPECT_EQ(s.frameRight, 12);
    EXPECT_EQ(s.wmText, "twolineshere");
    EXPECT_EQ(numberFieldValue("$1F"), 31);
    EXPECT_EQ(numberFieldValue("2147483647"), INT32_MAX);
    EXPECT_EQ(numberFieldValue("-2147483648"), INT32_MIN);
}

TEST_F(PreferencesTest, ListsWithoutAnItemForTheStoredValue)
{
    ConversionSettings s = unusualSettings();
    s.uiSize = 3;   // possible through config.ini, not offered
    s.jpgBpp = 16;  // a depth JPEG does not offer
    s.pngBpp = 24;
    s.jpgChroma = 9;
    PreferenceControls c = loadPreferenceControls(s, kThemes);
    EXPECT_EQ(c.value(&S::uiSize), -1);
    EXPECT_EQ(c.bitDepth(&S::jpgBpp).selected, -1);
    EXPECT_EQ(c.bitDepth(&S::pngBpp).selected, 4);  // "Auto", 1, 4, 8, 24
    EXPECT_EQ(c.value(&S::jpgChroma), -1);
    EXPECT_EQ(storePreferenceControls(c, s), InterfaceRefresh::kIconSize);
    EXPECT_EQ(s.uiSize, -1);
    EXPECT_EQ(s.jpgBpp, 0);
    EXPECT_EQ(s.pngBpp, 24);

    c.bitDepth(&S::jpgBpp).selected = 2;
    storePreferenceControls(c, s);
    EXPECT_EQ(s.jpgBpp, 24);
}

TEST_F(PreferencesTest, ThemeListAndWhatTheMainWindowRebuilds)
{
    ConversionSettings s = unusualSettings();  // "flat" at icon size 0
    PreferenceControls c = loadPreferenceControls(
        s, {{"zeta", "Zeta"}, {"Beta", "Beta"}, {"alpha", "Alpha"}, {"hidden", ""}, {"flat", "Flat"}});
    std::vector<std::string> keys;
    for (const ThemeItem& item : c.themes)
        keys.push_back(item.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"alpha", "Beta", "flat", "zeta"}));
    EXPECT_EQ(c.theme, 2);

    c.value(&S::uiSize) = 2;
    EXPECT_EQ(storePreferenceControls(c, s), InterfaceRefresh::kIconSize);
    c.theme = 0;
    c.value(&S::uiSize) = 1;
    EXPECT_EQ(storePreferenceControls(c, s), InterfaceRefresh::kTheme);  // the theme outweighs the size
    EXPECT_EQ(s.uiTheme, "alpha");
    EXPECT_EQ(s.uiSize, 1);
    EXPECT_EQ(storePreferenceControls(c, s), InterfaceRefresh::kNothing);

    // A theme that is gone selects the first; without packages "None" stores no theme.
    s.uiTheme = "gone";
    EXPECT_EQ(loadPreferenceControls(s, {{"b", "B"}, {"a", "A"}}).theme, 0);
    c = loadPreferenceControls(s, {});
    ASSERT_EQ(c.themes.size(), 1u);
    EXPECT_EQ(c.themes[0].name, "None");
    storePreferenceControls(c, s);
    EXPECT_EQ(s.uiTheme, "");
}

TEST_F(PreferencesTest, OkAndDefaultsSaveTheConfiguration)
{
    g_settings = unusualSettings();
    g_settings.configPath = folder.path + "config.ini";
    PreferenceControls c = loadPreferenceControls(g_settings, kThemes);
    c.value(&S::jpgQuality) = 80;
    EXPECT_EQ(applyPreferences(c), InterfaceRefresh::kNothing);
    resetSettings(false);
    loadConfiguration();
    EXPECT_EQ(g_settings.jpgQuality, 80);
    EXPECT_EQ(g_settings.wmFont, "Liberation Serif");

    // "flat" at size 0 back to the defaults: the theme changed.
    EXPECT_EQ(applyDefaultPreferences({}), InterfaceRefresh::kTheme);
    EXPECT_EQ(g_settings.jpgQuality, 95);
    EXPECT_EQ(g_settings.uiTheme, "handdrawn");
    g_settings.jpgQuality = 1;
    loadConfiguration();
    EXPECT_EQ(g_settings.jpgQuality, 95);
    EXPECT_EQ(g_settings.wmFont, "Arial");
    EXPECT_NE(g_settings.customTimestamp, 1234567890);

    g_settings.uiSize = 4;
    EXPECT_EQ(applyDefaultPreferences({}), InterfaceRefresh::kIconSize);
    EXPECT_EQ(applyDefaultPreferences({}), InterfaceRefresh::kNothing);
}

TEST_F(PreferencesTest, FontsPicturesAndDatesFromTheToolkitsDialogs)
{
    EXPECT_EQ(usableFontName("Liberation Serif"), "Liberation Serif");
    EXPECT_EQ(usableFontName("Liberation, Sans"), "Liberation Sans");
    EXPECT_EQ(usableFontName("No Such Font Family"), std::nullopt);
    FontChoice fonts{{"Arial", "Tahoma"}, 0};
    addChosenFont(fonts, "Liberation Serif");
    addChosenFont(fonts, "Tahoma");
    EXPECT_EQ(fonts.names.size(), 3u);
    EXPECT_EQ(fonts.selected, 1);
    EXPECT_EQ(fontStyleItem(768), 3);
    EXPECT_EQ(fontStyleItem(4), -1);

    EXPECT_EQ(watermarkPictureFilter(),
              "All Supported Files|*.png;*.bmp;*.rle;*.dib;*.jpg;*.jpeg;*.jpe;*.jif|Portable Network Graphics|*.png|"
              "Windows or OS/2 Bitmap|*.bmp;*.rle;*.dib|JPEG File|*.jpg;*.jpeg;*.jpe;*.jif|All Files (*.*)|*.*");
    const FileDialogStart inFolder = watermarkPictureDialogStart(folder.path);
    EXPECT_EQ(inFolder.folder, folder.path);
    EXPECT_EQ(inFolder.name, "");
    const FileDialogStart ofFile = watermarkPictureDialogStart("/pictures/logo.png");
    EXPECT_EQ(ofFile.folder, "/pictures/");
    EXPECT_EQ(ofFile.name, "logo.png");

    const CalendarTime time = calendarOfTimestamp(1234567890);
    EXPECT_EQ((std::vector<int>{time.year, time.month, time.day, time.hour, time.minute, time.second}),
              (std::vector<int>{2009, 2, 13, 23, 31, 30}));
    EXPECT_EQ(timestampOfCalendar(time), 1234567890);
    const CalendarTime before1970 = calendarOfTimestamp(-1);
    EXPECT_EQ((std::vector<int>{before1970.year, before1970.month, before1970.day, before1970.hour}),
              (std::vector<int>{1969, 12, 31, 23}));
    EXPECT_EQ(timestampOfCalendar(before1970), -1);
    EXPECT_EQ(timestampOfCalendar({2400, 2, 29, 12, 0, 0}), INT32_MAX);
    EXPECT_EQ(timestampOfCalendar({1600, 1, 1, 0, 0, 0}), INT32_MIN);

    // The custom timestamp's field: year/month/day hour:minute, as stored and used.
    EXPECT_EQ(timestampFieldText(time), "2009/02/13 23:31");
    const std::optional<CalendarTime> typed = readTimestampField(" 2024/2/29 7:05 ");
    ASSERT_TRUE(typed);
    EXPECT_EQ(timestampFieldText(*typed), "2024/02/29 07:05");
    for (const char* text :
         {"2023/02/29 07:05", "2024/13/01 00:00", "2024/04/31 00:00", "2024/01/01 24:00", "2024/01/01 12:60",
          "12/08/2026 15:12", "2024/01/01", "2024/01/01 12:00:30", "2024-01-01 12:00", "02024/01/01 00:00", ""})
        EXPECT_FALSE(readTimestampField(text)) << text;
    // The seconds, which the field does not show, stay as they were.
    EXPECT_EQ(typedTimestamp("2009/02/13 23:31", 1234567890), 1234567890);
    EXPECT_EQ(typedTimestamp("2009/02/14 00:00", 1234567890), 1234569600 + 30);
    EXPECT_EQ(typedTimestamp("2100/01/01 00:00", 0), INT32_MAX);
    EXPECT_EQ(typedTimestamp("2009/02/30 00:00", 5), std::nullopt);
}

}  // namespace

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/conversion_settings.h"

// The values of the preferences' controls, one field per control, as the
// dialog shows them: lists as the selected position (-1 for none), check
// boxes as flags, track bars with their spin fields as the value, number and
// colour fields as the text typed.

struct ThemeItem {
    std::string key;   // package name; "" for the "None" item
    std::string name;  // shown in the list
};

// A list of the output format's depths headed by "Auto".
struct BitDepthChoice {
    std::vector<int> depths;
    int selected = 0;  // 0 "Auto", n the depth depths[n - 1], -1 none
};

// A list of colours, each six upper-case hex digits.
struct ColourChoice {
    std::vector<std::string> colours;
    int selected = -1;
};

struct FontChoice {
    std::vector<std::string> names;
    int selected = -1;
};

struct PreferenceControls {
    // General
    int updateRange = -1;
    bool saveWindowPosition = false;

    // Interface
    std::vector<ThemeItem> themes;
    int theme = -1;
    int uiSize = -1;

    // Input
    std::vector<std::string> inputFormats;
    int inputFormat = -1;
    int ddsLoadAs = -1;
    int gifFrameLoading = -1;
    int icoFrameLoading = -1;
    int tiffFrameLoading = -1;
    int psdColorMode = -1;
    int rawLoadAs = -1;
    std::string rawHeaderSize;
    std::string rawWidth;
    std::string rawHeight;
    int rawToneMapping = -1;

    // Output
    std::vector<std::string> outputFormats;
    int outputFormat = -1;
    std::map<std::string, BitDepthChoice> bitDepths;  // by output extension
    int bmpCompression = -1;
    int bmpColorTable = -1;
    int exrCompression = -1;
    int jpgQuality = 1;
    int jpgChroma = -1;
    int jpgSaveAs = -1;
    int pcxCompression = 0;  // offered, never stored
    int pngCompression = -1;
    bool pngInterlaced = false;
    int tgaCompression = -1;
    int tiffCompression = -1;
    int tiffColorMode = -1;
    int webpQuality = 1;

    // Transform
    bool rotateEnabled = false;
    int rotationType = -1;
    int rotationAngle = 0;
    std::string rotationBackColor;
    bool resizeEnabled = false;
    std::string resizeWidth;
    int resizeWidthUnit = -1;
    std::string resizeHeight;
    int resizeHeightUnit = -1;
    bool keepAspectRatio = false;
    int resizeType = -1;
    int resizeAlgorithm = -1;
    bool flipHorizontal = false;
    bool flipVertical = false;

    // Adjustment
    int brightness = 0;
    int contrast = 0;
    int gamma = 100;  // hundredths
    bool invert = false;
    bool greyscale = false;
    bool thresholdEnabled = false;
    int threshold = 0;
    bool ditherEnabled = false;
    int ditherAlgorithm = -1;

    // Frame
    int frameType = -1;
    std::string frameLeft;
    std::string frameRight;
    std::string frameTop;
    std::string frameBottom;
    std::string frameLeftColor;
    std::string frameRightColor;
    std::string frameTopColor;
    std::string frameBottomColor;
    int frameOpacity = 1;

    // Watermark
    int watermarkType = -1;
    std::string wmText;
    FontChoice wmFont;
    std::string wmFontSize;
    std::string wmFontLeading;
    ColourChoice wmFontColor;
    int wmFontStyle = -1;
    int wmFontEffect = -1;
    bool wmTextAntialiasing = false;
    int wmTextAlignment = -1;
    std::string wmTextPadding;
    int wmTextOpacity = 1;
    ColourChoice wmBackColor;
    int wmBackOpacity = 1;
    int wmTextBoundary = -1;
    int wmTextPosition = -1;
    std::string wmTextXOffset;
    std::string wmTextYOffset;
    int wmTextRotation = 0;
    int wmTextSize = -1;
    int wmTextScale = 1;
    std::string wmImage;
    bool wmImageGreyscale = false;
    int wmImageOpacity = 1;
    int wmImageBoundary = -1;
    int wmImagePosition = -1;
    std::string wmImageXOffset;
    std::string wmImageYOffset;
    int wmImageRotation = 0;
    int wmImageSize = -1;
    int wmImageScale = 1;

    // Advanced
    std::string filenameMask;
    int fileTimestamp = -1;
    int32_t customTimestamp = 0;
    int outFoldersHistory = -1;
    int outFoldersNumber = 1;
};

// What the main window has to rebuild after the settings changed.
enum InterfaceRefresh : int {
    kRefreshNothing = 0,
    kRefreshIconSize = 1,  // the toolbar, at the new icon size
    kRefreshTheme = 2,     // every picture of the window
};

// The controls as the dialog opens on settings, offering the themes given as
// key and display name.
PreferenceControls loadPreferenceControls(const ConversionSettings& settings,
                                          const std::vector<std::pair<std::string, std::string>>& themes);

// Stores every control into its setting; returns what the main window has
// to rebuild.
InterfaceRefresh storePreferenceControls(const PreferenceControls& controls, ConversionSettings& settings);

// A theme change outweighs an icon size change: reloading the theme rebuilds
// the toolbar as well.
InterfaceRefresh interfaceRefreshBetween(const std::string& oldTheme, int oldSize, const std::string& newTheme,
                                         int newSize);

// OK: stores the controls into g_settings and saves config.ini.
InterfaceRefresh applyPreferences(const PreferenceControls& controls);
// Defaults: every setting back to its window-mode default, saved.
InterfaceRefresh applyDefaultPreferences(DesktopSize desktop);

#pragma once

#include <cstdint>
#include <string>

#include "settings/vocabularies.h"

// The maker's one-line notice: the default watermark text and the banner line.
inline constexpr const char* kMakerNotice = "Converted with Tessaly PCD to JPG";

// The colours the watermark's colour boxes offer at first.
inline constexpr const char* kColourList = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";

// Every persistent choice of the program, with its default. Flags are bytes
// holding 0 or 1, colours are six hex digits RRGGBB, dates count seconds since
// 1970 in local time.
struct ConversionSettings {
    std::string configPath;  // full path of config.ini; empty in console mode

    // General and window
    int32_t configVersion{19};
    std::string language{"en"};
    int32_t updateRange{2};
    int32_t updateDate{};
    int8_t saveWindowPosition{1};
    int8_t windowMaximized{};
    int32_t windowX{};
    int32_t windowY{};
    int32_t windowWidth{510};
    int32_t windowHeight{260};
    std::string uiTheme{"handdrawn"};
    int32_t uiSize{2};

    // Input formats
    std::string inputGroup{};
    int32_t ddsLoadAs{};
    int32_t gifFrameLoading{};
    int32_t icoFrameLoading{};
    int32_t tiffFrameLoading{};
    int32_t psdColorMode{};
    int32_t rawLoadAs{};
    int32_t rawHeaderSize{};
    int32_t rawWidth{};
    int32_t rawHeight{};
    int32_t rawToneMapping{kAdaptiveLogToneMapping};

    // Output formats
    std::string outputFormat{};
    int32_t bmpBpp{};
    int32_t bmpCompression{};
    int32_t bmpColorTable{};
    int32_t ddsBpp{};
    int32_t exrBpp{};
    int32_t exrCompression{};
    int32_t gifBpp{};
    int32_t hdrBpp{};
    int32_t icoBpp{};
    int32_t j2kBpp{};
    int32_t jngBpp{};
    int32_t jp2Bpp{};
    int32_t jpgBpp{};
    int32_t jpgQuality{95};
    int32_t jpgChroma{};
    int32_t jpgSaveAs{};
    int32_t jxrBpp{};
    int32_t pbmBpp{};
    int32_t pcxBpp{};
    // PCX knows only RLE: the preferences offer that one choice, which is never stored.
    int32_t pcxCompression{};
    int32_t pfmBpp{};
    int32_t pgmBpp{};
    int32_t pngBpp{};
    int32_t pngCompression{};
    int8_t pngInterlaced{};
    int32_t ppmBpp{};
    int32_t psdBpp{};
    int32_t tgaBpp{};
    int32_t tgaCompression{};
    int32_t tiffBpp{};
    int32_t tiffCompression{};
    int32_t tiffColorMode{};
    int32_t wbmpBpp{};
    int32_t webpBpp{};
    int32_t webpQuality{100};
    int32_t xpmBpp{};

    // Transform
    int8_t rotateEnabled{};
    int8_t rotationType{};
    int32_t rotationAngle{};
    std::string rotationBackColor{"000000"};
    int8_t resizeEnabled{};
    int32_t resizeWidth{};
    int8_t resizeWidthUnit{};
    int32_t resizeHeight{};
    int8_t resizeHeightUnit{};
    int8_t keepAspectRatio{1};
    int8_t resizeType{};
    int8_t resizeAlgorithm{kBicubicFilter};
    int8_t flipHorizontal{};
    int8_t flipVertical{};

    // Adjustment
    int8_t adjustEnabled{};
    int32_t brightness{};
    int32_t contrast{};
    float gamma{1.0f};
    int8_t invert{};
    int8_t greyscale{};
    int8_t thresholdEnabled{};
    int32_t threshold{};
    int8_t ditherEnabled{};
    int8_t ditherAlgorithm{};

    // Frame
    int8_t frameType{};
    int32_t frameLeft{};
    int32_t frameRight{};
    int32_t frameTop{};
    int32_t frameBottom{};
    std::string frameLeftColor{"000000"};
    std::string frameRightColor{"000000"};
    std::string frameTopColor{"000000"};
    std::string frameBottomColor{"000000"};
    int32_t frameOpacity{255};

    // Watermark
    int8_t watermarkType{};
    std::string wmText{kMakerNotice};
    std::string wmFontList{"Arial,Tahoma,Verdana"};
    std::string wmFont{"Arial"};
    int32_t wmFontSize{14};
    int32_t wmFontLeading{};
    std::string wmFontColorList{kColourList};
    std::string wmFontColor{"FFFFFF"};
    int8_t wmFontStyle{};
    int8_t wmFontEffect{};
    int8_t wmTextAntialiasing{};
    int8_t wmTextAlignment{};
    int32_t wmTextPadding{};
    int32_t wmTextOpacity{255};
    std::string wmBackColorList{kColourList};
    std::string wmBackColor{"000000"};
    int32_t wmBackOpacity{1};
    int8_t wmTextBoundary{};
    int8_t wmTextPosition{kBottomRight};
    int32_t wmTextXOffset{10};
    int32_t wmTextYOffset{10};
    int32_t wmTextRotation{};
    int8_t wmTextSize{};
    int32_t wmTextScale{10};
    std::string wmImage{};
    int8_t wmImageGreyscale{};
    int32_t wmImageOpacity{255};
    int8_t wmImageBoundary{};
    int8_t wmImagePosition{kBottomRight};
    int32_t wmImageXOffset{10};
    int32_t wmImageYOffset{10};
    int32_t wmImageRotation{};
    int8_t wmImageSize{};
    int32_t wmImageScale{10};

    // Naming and folders
    std::string filenameMask{"%filename%.%ext%"};
    int8_t fileTimestamp{};
    int32_t customTimestamp{};
    int8_t outFoldersHistory{1};
    int8_t outFoldersNumber{5};
    int8_t keepSubfolders{1};
    std::string recentOutFolders{};

    // Decoding
    int8_t photoCdDecoder{kConvertDecoder};

    // Kept only so that a save writes them back as they were read.
    std::string recentFiles{};
    int32_t cleanRecentFiles{};

    bool operator==(const ConversionSettings&) const = default;
};

extern ConversionSettings g_settings;

// Desktop size used to centre the window; 1024 by 768 when there is no display.
struct DesktopSize {
    int width = 1024;
    int height = 768;
};

// Sets every field except configPath to its default. Beyond the member
// defaults: the dates are now, the window is centred on the desktop, the
// formats are the first of the program's format pair, and the command line
// differs from the window in keepAspectRatio.
void resetSettings(bool forCommandLine, DesktopSize desktop = {});

#pragma once

#include <cstdint>
#include <string>

// Every persistent choice of the program. Flags are bytes holding 0 or 1,
// colours are six hex digits RRGGBB, dates count seconds since 1970 in local time.
struct ConversionSettings {
    std::string configPath;  // full path of config.ini; empty in console mode

    // General and window
    int32_t configVersion{};
    std::string language{};
    int32_t updateRange{};
    int32_t updateDate{};
    int8_t saveWindowPosition{};
    int8_t windowMaximized{};
    int32_t windowX{};
    int32_t windowY{};
    int32_t windowWidth{};
    int32_t windowHeight{};
    std::string uiTheme{};
    int32_t uiSize{};

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
    int32_t rawToneMapping{};

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
    int32_t jpgQuality{};
    int32_t jpgChroma{};
    int32_t jpgSaveAs{};
    int32_t jxrBpp{};
    int32_t pbmBpp{};
    int32_t pcxBpp{};
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
    int32_t webpQuality{};
    int32_t xpmBpp{};

    // Transform
    int8_t rotateEnabled{};
    int8_t rotationType{};
    int32_t rotationAngle{};
    std::string rotationBackColor{};
    int8_t resizeEnabled{};
    int32_t resizeWidth{};
    int8_t resizeWidthUnit{};
    int32_t resizeHeight{};
    int8_t resizeHeightUnit{};
    int8_t keepAspectRatio{};
    int8_t resizeType{};
    int8_t resizeAlgorithm{};
    int8_t flipHorizontal{};
    int8_t flipVertical{};

    // Adjustment
    int8_t adjustEnabled{};
    int32_t brightness{};
    int32_t contrast{};
    float gamma{};
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
    std::string frameLeftColor{};
    std::string frameRightColor{};
    std::string frameTopColor{};
    std::string frameBottomColor{};
    int32_t frameOpacity{};

    // Watermark
    int8_t watermarkType{};
    std::string wmText{};
    std::string wmFontList{};
    std::string wmFont{};
    int32_t wmFontSize{};
    int32_t wmFontLeading{};
    std::string wmFontColorList{};
    std::string wmFontColor{};
    int8_t wmFontStyle{};
    int8_t wmFontEffect{};
    int8_t wmTextAntialiasing{};
    int8_t wmTextAlignment{};
    int32_t wmTextPadding{};
    int32_t wmTextOpacity{};
    std::string wmBackColorList{};
    std::string wmBackColor{};
    int32_t wmBackOpacity{};
    int8_t wmTextBoundary{};
    int8_t wmTextPosition{};
    int32_t wmTextXOffset{};
    int32_t wmTextYOffset{};
    int32_t wmTextRotation{};
    int8_t wmTextSize{};
    int32_t wmTextScale{};
    std::string wmImage{};
    int8_t wmImageGreyscale{};
    int32_t wmImageOpacity{};
    int8_t wmImageBoundary{};
    int8_t wmImagePosition{};
    int32_t wmImageXOffset{};
    int32_t wmImageYOffset{};
    int32_t wmImageRotation{};
    int8_t wmImageSize{};
    int32_t wmImageScale{};

    // Naming and folders
    std::string filenameMask{};
    int8_t fileTimestamp{};
    int32_t customTimestamp{};
    int8_t outFoldersHistory{};
    int8_t outFoldersNumber{};
    int8_t keepSubfolders{};
    std::string recentOutFolders{};

    // Kept only so that a save writes them back as they were read.
    std::string recentFiles{};
    int32_t cleanRecentFiles{};
};

extern ConversionSettings g_settings;

// The maker's one-line notice: the default watermark text and the banner line.
extern const char* const kMakerNotice;
extern const char* const kMakerWebAddress;

// Desktop size used to centre the window; 1024 by 768 when there is no display.
struct DesktopSize {
    int width = 1024;
    int height = 768;
};

// Sets every field except configPath to its default. The command line differs
// from the window only in keepAspectRatio.
void resetSettings(bool forCommandLine, DesktopSize desktop = {});

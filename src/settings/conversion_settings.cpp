#include "settings/conversion_settings.h"

#include "formats/format_lists.h"
#include "platform/clock.h"

ConversionSettings g_settings;

const char* const kMakerNotice = "Converted with Tessaly PCD to JPG";
const char* const kMakerWebAddress = "https://tessaly.example/korvane";

namespace {

const char* const kColorList = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";

int32_t centredOrigin(int desktopExtent, int windowExtent)
{
    return desktopExtent > windowExtent ? (desktopExtent - windowExtent) / 2 : 100;
}

}  // namespace

void resetSettings(bool forCommandLine, DesktopSize desktop)
{
    ConversionSettings s;
    s.configPath = g_settings.configPath;
    s.configVersion = 19;
    s.language = "en";
    s.updateRange = 2;
    s.saveWindowPosition = 1;
    s.windowMaximized = 0;
    s.windowWidth = 510;
    s.windowHeight = 260;
    s.uiTheme = "handdrawn";
    s.uiSize = 2;
    s.ddsLoadAs = 0;
    s.gifFrameLoading = 0;
    s.icoFrameLoading = 0;
    s.tiffFrameLoading = 0;
    s.psdColorMode = 0;
    s.rawLoadAs = 0;
    s.rawHeaderSize = 0;
    s.rawWidth = 0;
    s.rawHeight = 0;
    s.rawToneMapping = 2;
    s.bmpBpp = 0;
    s.bmpCompression = 0;
    s.bmpColorTable = 0;
    s.ddsBpp = 0;
    s.exrBpp = 0;
    s.exrCompression = 0;
    s.gifBpp = 0;
    s.hdrBpp = 0;
    s.icoBpp = 0;
    s.j2kBpp = 0;
    s.jngBpp = 0;
    s.jp2Bpp = 0;
    s.jpgBpp = 0;
    s.jpgQuality = 95;
    s.jpgChroma = 0;
    s.jpgSaveAs = 0;
    s.jxrBpp = 0;
    s.pbmBpp = 0;
    s.pcxBpp = 0;
    s.pfmBpp = 0;
    s.pgmBpp = 0;
    s.pngBpp = 0;
    s.pngCompression = 0;
    s.pngInterlaced = 0;
    s.ppmBpp = 0;
    s.psdBpp = 0;
    s.tgaBpp = 0;
    s.tgaCompression = 0;
    s.tiffBpp = 0;
    s.tiffCompression = 0;
    s.tiffColorMode = 0;
    s.wbmpBpp = 0;
    s.webpBpp = 0;
    s.webpQuality = 100;
    s.xpmBpp = 0;
    s.rotateEnabled = 0;
    s.rotationType = 0;
    s.rotationAngle = 0;
    s.rotationBackColor = "000000";
    s.resizeEnabled = 0;
    s.resizeWidth = 0;
    s.resizeWidthUnit = 0;
    s.resizeHeight = 0;
    s.resizeHeightUnit = 0;
    s.keepAspectRatio = 1;
    s.resizeType = 0;
    s.resizeAlgorithm = 3;
    s.flipHorizontal = 0;
    s.flipVertical = 0;
    s.adjustEnabled = 0;
    s.brightness = 0;
    s.contrast = 0;
    s.gamma = 1.0;
    s.invert = 0;
    s.greyscale = 0;
    s.thresholdEnabled = 0;
    s.threshold = 0;
    s.ditherEnabled = 0;
    s.ditherAlgorithm = 0;
    s.frameType = 0;
    s.frameLeft = 0;
    s.frameRight = 0;
    s.frameTop = 0;
    s.frameBottom = 0;
    s.frameLeftColor = "000000";
    s.frameRightColor = "000000";
    s.frameTopColor = "000000";
    s.frameBottomColor = "000000";
    s.frameOpacity = 255;
    s.watermarkType = 0;
    s.wmFontList = "Arial,Tahoma,Verdana";
    s.wmFont = "Arial";
    s.wmFontSize = 14;
    s.wmFontLeading = 0;
    s.wmFontColorList = kColorList;
    s.wmFontColor = "FFFFFF";
    s.wmFontStyle = 0;
    s.wmFontEffect = 0;
    s.wmTextAntialiasing = 0;
    s.wmTextAlignment = 0;
    s.wmTextPadding = 0;
    s.wmTextOpacity = 255;
    s.wmBackColor = "000000";
    s.wmBackOpacity = 1;
    s.wmTextBoundary = 0;
    s.wmTextPosition = 8;
    s.wmTextXOffset = 10;
    s.wmTextYOffset = 10;
    s.wmTextRotation = 0;
    s.wmTextSize = 0;
    s.wmTextScale = 10;
    s.wmImage = "";
    s.wmImageGreyscale = 0;
    s.wmImageOpacity = 255;
    s.wmImageBoundary = 0;
    s.wmImagePosition = 8;
    s.wmImageXOffset = 10;
    s.wmImageYOffset = 10;
    s.wmImageRotation = 0;
    s.wmImageSize = 0;
    s.wmImageScale = 10;
    s.filenameMask = "%filename%.%ext%";
    s.fileTimestamp = 0;
    s.outFoldersHistory = 1;
    s.outFoldersNumber = 5;
    s.keepSubfolders = 1;
    s.recentOutFolders = "";

    s.updateDate = currentLocalTime();
    s.customTimestamp = s.updateDate;
    s.windowX = centredOrigin(desktop.width, s.windowWidth);
    s.windowY = centredOrigin(desktop.height, s.windowHeight);
    s.inputGroup = inputFormats.front();
    s.outputFormat = outputFormats.front();
    s.keepAspectRatio = forCommandLine ? 0 : 1;
    s.wmText = kMakerNotice;
    s.wmBackColorList = kColorList;
    g_settings = std::move(s);
}

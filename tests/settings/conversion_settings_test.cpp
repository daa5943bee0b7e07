#include <gtest/gtest.h>

#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

TEST(Vocabularies, WordsGiveTheirCodesAndUnknownWordsGiveZero)
{
    EXPECT_EQ(settingValueFromName(kResizeAlgorithm, "bicubic"), 3);
    EXPECT_EQ(settingValueFromName(kResizeAlgorithm, "Bi-Cubic"), 0);
    EXPECT_EQ(settingValueFromName(kCompressionCode, "ZIP"), 1);
    EXPECT_EQ(settingValueFromName(kCompressionCode, "RLE"), 1);
    EXPECT_EQ(settingValueFromName(kJpegChroma, "medium"), 2);
    EXPECT_EQ(settingValueFromName(kJpegChroma, "mid"), 0);
    EXPECT_EQ(settingValueFromName(kRawLoadAs, "48HS"), 4);
    EXPECT_EQ(settingValueFromName(kPlacementPosition, "bottomright"), 8);
    EXPECT_EQ(settingValueFromName(kFontEffect, "STRIKETHROUGHT"), 2);
    EXPECT_EQ(settingValueFromName(kVocabularyCount, "AUTO"), 0);
    EXPECT_EQ(settingValueFromName(-1, "AUTO"), 0);
}

TEST(Vocabularies, CodesGiveTheFirstWordInTableOrder)
{
    EXPECT_EQ(settingNameFromValue(kCompressionCode, 1), "RLE");
    EXPECT_EQ(settingNameFromValue(kCompressionCode, 2), "PIZ");
    EXPECT_EQ(settingNameFromValue(kCompressionCode, 8), "LOGLUV");
    EXPECT_EQ(settingNameFromValue(kWatermarkSize, 2), "");
    EXPECT_EQ(settingNameFromValue(kFileTimestampMode, 2), "CUSTOM");
    EXPECT_EQ(settingNameFromValue(kDitherAlgorithm, 6), "CLUSTER16");
    EXPECT_EQ(settingNameFromValue(99, 0), "");
}

// The code takes its named codes for granted; a word list reordered or
// retyped beside them would silently change what every option and listing means.
TEST(Vocabularies, EveryNamedCodeReadsAndPrintsAsItsWord)
{
    struct Entry {
        Vocabulary vocabulary;
        int32_t code;
        const char* word;
    };
    const Entry entries[] = {
        {kDdsLoadAs, kDdsLoadAuto, "AUTO"},
        {kDdsLoadAs, kDdsLoadBgra, "BGRA"},
        {kDdsLoadAs, kDdsLoadRgba, "RGBA"},
        {kRawLoadAs, kRawLoadAuto, "AUTO"},
        {kRawLoadAs, kRawLoad8Bits, "8"},
        {kRawLoadAs, kRawLoad16Bits, "16"},
        {kRawLoadAs, kRawLoad24Bits, "24"},
        {kRawLoadAs, kRawLoad48BitsHalfSize, "48HS"},
        {kRawLoadAs, kRawLoad48Bits, "48"},
        {kFrameLoading, kLoadAllFrames, "ALL"},
        {kFrameLoading, kLoadFirstFrame, "FIRST"},
        {kFrameLoading, kLoadMiddleFrame, "MIDDLE"},
        {kFrameLoading, kLoadLastFrame, "LAST"},
        {kFrameLoading, kLoadRandomFrame, "RANDOM"},
        {kRawToneMapping, kNoToneMapping, "NONE"},
        {kRawToneMapping, kLinearToneMapping, "LINEAR"},
        {kRawToneMapping, kAdaptiveLogToneMapping, "AL"},
        {kRawToneMapping, kRangeReductionToneMapping, "DRR"},
        {kRawToneMapping, kGradientDomainToneMapping, "GD"},
        {kCompressionCode, kNoCompression, "NONE"},
        {kCompressionCode, kRleCompression, "RLE"},
        {kCompressionCode, kExrZip, "ZIP"},
        {kCompressionCode, kExrPiz, "PIZ"},
        {kCompressionCode, kExrPxr24, "PXR24"},
        {kCompressionCode, kExrB44, "B44"},
        {kCompressionCode, kPngZlib1, "ZLIB1"},
        {kCompressionCode, kPngZlib6, "ZLIB6"},
        {kCompressionCode, kPngZlib9, "ZLIB9"},
        {kCompressionCode, kTiffCcittFax3, "CCITTFAX3"},
        {kCompressionCode, kTiffCcittFax4, "CCITTFAX4"},
        {kCompressionCode, kTiffPackBits, "PACKBITS"},
        {kCompressionCode, kTiffDeflate, "DEFLATE"},
        {kCompressionCode, kTiffAdobeDeflate, "ADOBEDEFLATE"},
        {kCompressionCode, kTiffLzw, "LZW"},
        {kCompressionCode, kTiffJpeg, "JPEG"},
        {kCompressionCode, kTiffLogLuv, "LOGLUV"},
        {kColorTableMode, kAutomaticColorTable, "AUTO"},
        {kColorTableMode, kExactColorTable, "EXACT"},
        {kColorMode, kRgbColorMode, "RGB"},
        {kColorMode, kCmykColorMode, "CMYK"},
        {kColorMode, kLabColorMode, "LAB"},
        {kJpegChroma, kNoChromaSubsampling, "NONE"},
        {kJpegChroma, kLowChromaSubsampling, "LOW"},
        {kJpegChroma, kMediumChromaSubsampling, "MEDIUM"},
        {kJpegChroma, kHighChromaSubsampling, "HIGH"},
        {kJpegSaveAs, kStandardJpeg, "STANDARD"},
        {kJpegSaveAs, kSimpleJpeg, "SIMPLE"},
        {kJpegSaveAs, kOptimizedJpeg, "OPTIMIZED"},
        {kJpegSaveAs, kProgressiveJpeg, "PROGRESSIVE"},
        {kRotationType, kSimpleRotation, "SIMPLE"},
        {kRotationType, kAdvancedRotation, "ADVANCED"},
        {kSizeUnit, kSizeInPixels, "PIXELS"},
        {kSizeUnit, kSizeInPercent, "PERCENT"},
        {kResizeType, kResizeAllImages, "ALLIMAGES"},
        {kResizeType, kResizeLargeImages, "LARGEIMAGES"},
        {kResizeAlgorithm, kBoxFilter, "BOX"},
        {kResizeAlgorithm, kBilinearFilter, "BILINEAR"},
        {kResizeAlgorithm, kBSplineFilter, "BSPLINE"},
        {kResizeAlgorithm, kBicubicFilter, "BICUBIC"},
        {kResizeAlgorithm, kCatmullRomFilter, "CATMULLROM"},
        {kResizeAlgorithm, kLanczosFilter, "LANCZOS"},
        {kDitherAlgorithm, kFloydSteinbergDither, "FS"},
        {kDitherAlgorithm, kBayer4Dither, "BAYER4"},
        {kDitherAlgorithm, kBayer8Dither, "BAYER8"},
        {kDitherAlgorithm, kBayer16Dither, "BAYER16"},
        {kDitherAlgorithm, kCluster6Dither, "CLUSTER6"},
        {kDitherAlgorithm, kCluster8Dither, "CLUSTER8"},
        {kDitherAlgorithm, kCluster16Dither, "CLUSTER16"},
        {kFrameType, kNoFrame, "NONE"},
        {kFrameType, kSolidFrame, "SOLID"},
        {kWatermarkType, kNoWatermark, "NONE"},
        {kWatermarkType, kTextWatermark, "TEXT"},
        {kWatermarkType, kPictureWatermark, "IMAGE"},
        {kFontStyle, kRegularFont, "REGULAR"},
        {kFontStyle, kBoldFont, "BOLD"},
        {kFontStyle, kItalicFont, "ITALIC"},
        {kFontStyle, kBoldItalicFont, "BOLDITALIC"},
        {kFontEffect, kNoFontEffect, "NONE"},
        {kFontEffect, kUnderlinedFont, "UNDERLINE"},
        {kFontEffect, kStruckOutFont, "STRIKETHROUGHT"},
        {kTextAlignment, kAlignLeft, "LEFT"},
        {kTextAlignment, kAlignCenter, "CENTER"},
        {kTextAlignment, kAlignRight, "RIGHT"},
        {kPlacementBoundary, kPictureBoundary, "IMAGE"},
        {kPlacementBoundary, kFrameBoundary, "FRAME"},
        {kPlacementPosition, kTopLeft, "TOPLEFT"},
        {kPlacementPosition, kTopCenter, "TOPCENTER"},
        {kPlacementPosition, kTopRight, "TOPRIGHT"},
        {kPlacementPosition, kMiddleLeft, "MIDDLELEFT"},
        {kPlacementPosition, kMiddleCenter, "MIDDLECENTER"},
        {kPlacementPosition, kMiddleRight, "MIDDLERIGHT"},
        {kPlacementPosition, kBottomLeft, "BOTTOMLEFT"},
        {kPlacementPosition, kBottomCenter, "BOTTOMCENTER"},
        {kPlacementPosition, kBottomRight, "BOTTOMRIGHT"},
        {kWatermarkSize, kFixedWatermarkSize, "FIXED"},
        {kFileTimestampMode, kCurrentTimestamp, "CURRENT"},
        {kFileTimestampMode, kOriginalTimestamp, "ORIGINAL"},
        {kFileTimestampMode, kCustomTimestamp, "CUSTOM"},
    };
    for (const Entry& entry : entries) {
        EXPECT_EQ(settingValueFromName(entry.vocabulary, entry.word), entry.code) << entry.word;
        // Compression codes are shared; each prints as its first word, checked above.
        if (entry.vocabulary != kCompressionCode) {
            EXPECT_EQ(settingNameFromValue(entry.vocabulary, entry.code), entry.word) << entry.word;
        }
    }
}

TEST(ConversionSettings, DefaultsDifferBetweenModesOnlyInKeepAspectRatio)
{
    resetSettings(true);
    ConversionSettings console = g_settings;
    resetSettings(false);
    ConversionSettings window = g_settings;
    EXPECT_EQ(console.keepAspectRatio, 0);
    EXPECT_EQ(window.keepAspectRatio, 1);

    EXPECT_EQ(window.configVersion, 19);
    EXPECT_EQ(window.jpgQuality, 95);
    EXPECT_EQ(window.webpQuality, 100);
    EXPECT_EQ(window.rawToneMapping, 2);
    EXPECT_EQ(window.resizeAlgorithm, 3);
    EXPECT_FLOAT_EQ(window.gamma, 1.0f);
    EXPECT_EQ(window.frameOpacity, 255);
    EXPECT_EQ(window.wmBackOpacity, 1);
    EXPECT_EQ(window.wmTextPosition, 8);
    EXPECT_EQ(window.wmImageXOffset, 10);
    EXPECT_EQ(window.wmFont, "Arial");
    EXPECT_EQ(window.wmFontList, "Arial,Tahoma,Verdana");
    EXPECT_EQ(window.wmBackColorList, window.wmFontColorList);
    EXPECT_EQ(window.filenameMask, "%filename%.%ext%");
    EXPECT_EQ(window.inputGroup, "pcd");
    EXPECT_EQ(window.outputFormat, "jpg");
    EXPECT_EQ(window.keepSubfolders, 1);
    EXPECT_EQ(window.outFoldersNumber, 5);
    EXPECT_EQ(window.uiTheme, "handdrawn");
    EXPECT_EQ(window.customTimestamp, window.updateDate);
    EXPECT_FALSE(window.wmText.empty());
}

TEST(ConversionSettings, WindowIsCentredOnTheDesktopOrPlacedAt100)
{
    resetSettings(false, {1024, 768});
    EXPECT_EQ(g_settings.windowX, (1024 - 510) / 2);
    EXPECT_EQ(g_settings.windowY, (768 - 260) / 2);
    resetSettings(false, {400, 200});
    EXPECT_EQ(g_settings.windowX, 100);
    EXPECT_EQ(g_settings.windowY, 100);
}

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
    EXPECT_EQ(settingValueFromName(23, "AUTO"), 0);
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

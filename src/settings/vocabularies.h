#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Numbers of the word lists through which options, profiles and the debug
// listing give enumerated settings as words.
enum Vocabulary : int32_t {
    kDdsLoadAs = 0,
    kRawLoadAs = 1,
    kFrameLoading = 2,
    kRawToneMapping = 3,
    kCompressionCode = 4,
    kColorTableMode = 5,
    kColorMode = 6,
    kJpegChroma = 7,
    kJpegSaveAs = 8,
    kRotationType = 9,
    kSizeUnit = 10,
    kResizeType = 11,
    kResizeAlgorithm = 12,
    kDitherAlgorithm = 13,
    kFrameType = 14,
    kWatermarkType = 15,
    kFontStyle = 16,
    kFontEffect = 17,
    kTextAlignment = 18,
    kPlacementBoundary = 19,
    kPlacementPosition = 20,
    kWatermarkSize = 21,
    kFileTimestampMode = 22,
    kPhotoCdDecoderChoice = 23,
    kVocabularyCount = 24,
};

// The codes of each vocabulary, the numbers the settings hold; the words of
// each code stand beside it in vocabularies.cpp. Config files and profiles
// store these numbers, so a code never changes its meaning.

enum DdsLoadAsCode : int32_t { kDdsLoadAuto = 0, kDdsLoadBgra = 1, kDdsLoadRgba = 2 };

enum RawLoadAsCode : int32_t {
    kRawLoadAuto = 0,
    kRawLoad8Bits = 1,
    kRawLoad16Bits = 2,
    kRawLoad24Bits = 3,
    kRawLoad48BitsHalfSize = 4,
    kRawLoad48Bits = 5,
};

enum FrameLoadingCode : int32_t {
    kLoadAllFrames = 0,
    kLoadFirstFrame = 1,
    kLoadMiddleFrame = 2,
    kLoadLastFrame = 3,
    kLoadRandomFrame = 4,
};

enum RawToneMappingCode : int32_t {
    kNoToneMapping = 0,
    kLinearToneMapping = 1,
    kAdaptiveLogToneMapping = 2,
    kRangeReductionToneMapping = 3,
    kGradientDomainToneMapping = 4,
};

// One number means different things for different formats: 1 is RLE for BMP
// and Targa, ZIP for EXR, ZLIB1 for PNG and CCITTFAX3 for TIFF.
enum CompressionCode : int32_t {
    kNoCompression = 0,
    kRleCompression = 1,
    kExrZip = 1,
    kExrPiz = 2,
    kExrPxr24 = 3,
    kExrB44 = 4,
    kPngZlib1 = 1,
    kPngZlib6 = 2,
    kPngZlib9 = 3,
    kTiffCcittFax3 = 1,
    kTiffCcittFax4 = 2,
    kTiffPackBits = 3,
    kTiffDeflate = 4,
    kTiffAdobeDeflate = 5,
    kTiffLzw = 6,
    kTiffJpeg = 7,
    kTiffLogLuv = 8,
};

enum ColorTableModeCode : int32_t { kAutomaticColorTable = 0, kExactColorTable = 1 };

enum ColorModeCode : int32_t { kRgbColorMode = 0, kCmykColorMode = 1, kLabColorMode = 2 };

enum JpegChromaCode : int32_t {
    kNoChromaSubsampling = 0,
    kLowChromaSubsampling = 1,
    kMediumChromaSubsampling = 2,
    kHighChromaSubsampling = 3,
};

enum JpegSaveAsCode : int32_t { kStandardJpeg = 0, kSimpleJpeg = 1, kOptimizedJpeg = 2, kProgressiveJpeg = 3 };

enum RotationTypeCode : int32_t { kSimpleRotation = 0, kAdvancedRotation = 1 };

enum SizeUnitCode : int32_t { kSizeInPixels = 0, kSizeInPercent = 1 };

enum ResizeTypeCode : int32_t { kResizeAllImages = 0, kResizeLargeImages = 1 };

enum ResizeAlgorithmCode : int32_t {
    kBoxFilter = 0,
    kBilinearFilter = 1,
    kBSplineFilter = 2,
    kBicubicFilter = 3,
    kCatmullRomFilter = 4,
    kLanczosFilter = 5,
};

enum DitherAlgorithmCode : int32_t {
    kFloydSteinbergDither = 0,
    kBayer4Dither = 1,
    kBayer8Dither = 2,
    kBayer16Dither = 3,
    kCluster6Dither = 4,
    kCluster8Dither = 5,
    kCluster16Dither = 6,
};

enum FrameTypeCode : int32_t { kNoFrame = 0, kSolidFrame = 1 };

enum WatermarkTypeCode : int32_t { kNoWatermark = 0, kTextWatermark = 1, kPictureWatermark = 2 };

enum FontStyleCode : int32_t { kRegularFont = 0, kBoldFont = 1, kItalicFont = 2, kBoldItalicFont = 3 };

enum FontEffectCode : int32_t { kNoFontEffect = 0, kUnderlinedFont = 1, kStruckOutFont = 2 };

enum TextAlignmentCode : int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

enum PlacementBoundaryCode : int32_t { kPictureBoundary = 0, kFrameBoundary = 1 };

enum PlacementPositionCode : int32_t {
    kTopLeft = 0,
    kTopCenter = 1,
    kTopRight = 2,
    kMiddleLeft = 3,
    kMiddleCenter = 4,
    kMiddleRight = 5,
    kBottomLeft = 6,
    kBottomCenter = 7,
    kBottomRight = 8,
};

enum WatermarkSizeCode : int32_t { kFixedWatermarkSize = 0 };

enum FileTimestampCode : int32_t { kCurrentTimestamp = 0, kOriginalTimestamp = 1, kCustomTimestamp = 2 };

// Who decodes a pac: ImageMagick's convert, with the built-in decoder when
// convert gives nothing; or the built-in decoder alone, which writes no
// temporary picture.
enum PhotoCdDecoderCode : int32_t { kConvertDecoder = 0, kBuiltInDecoder = 1 };

// The code of an upper- or lower-case word; an unknown word or vocabulary gives 0.
int32_t settingValueFromName(int32_t vocabulary, const std::string& word);

// The first word whose code is value; "" when none has it.
std::string settingNameFromValue(int32_t vocabulary, int32_t value);

// Every word of the vocabulary in its order; empty for an unknown vocabulary.
std::vector<std::string> settingNames(int32_t vocabulary);

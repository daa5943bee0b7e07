#pragma once

#include <vector>

// What the preferences offer for a setting: the items of its list, as
// catalogue keys of the group "Preferences" (an item's position is the code
// the setting stores), the units beside a number, or the range of a track bar.
using ItemKeys = std::vector<const char*>;

inline const ItemKeys kUpdateRangeItems{"Every day",      "Every week",     "Every month",
                                        "Every 3 months", "Every 6 months", "Never"};
inline const ItemKeys kIconSizeItems{"Small", "Medium", "Large"};

inline const ItemKeys kDdsLoadAsItems{"Auto", "BGRA", "RGBA"};
inline const ItemKeys kFrameLoadingItems{"All Frames", "First Frame", "Middle Frame", "Last Frame", "Random Frame"};
inline const ItemKeys kPsdColorModeItems{"RGB", "CMYK", "LAB"};
inline const ItemKeys kRawLoadAsItems{"Auto", "RGB8", "RGB16", "RGB24", "RGB48HS", "RGB48"};
inline const ItemKeys kToneMappingItems{"None", "Linear", "Adaptive Logarithmic", "DR Reduction", "Gradient Domain"};

inline const ItemKeys kBmpCompressionItems{"None", "RLE"};
inline const ItemKeys kColorTableItems{"Auto", "Exact"};
inline const ItemKeys kExrCompressionItems{"None", "ZIP", "PIZ", "PXR24", "B44"};
inline const ItemKeys kJpegChromaItems{"None", "Low", "Medium", "High"};
inline const ItemKeys kJpegSaveAsItems{"Baseline Standard", "Baseline Simple", "Baseline Optimized", "Progressive"};
inline const ItemKeys kPcxCompressionItems{"RLE"};
inline const ItemKeys kPngCompressionItems{"None", "ZLIB1", "ZLIB6", "ZLIB9"};
inline const ItemKeys kTgaCompressionItems{"None", "RLE"};
inline const ItemKeys kTiffCompressionItems{"None",         "CCITTFAX3", "CCITTFAX4", "PACKBITS", "DEFLATE",
                                            "ADOBEDEFLATE", "LZW",       "JPEG",      "LOGLUV"};
inline const ItemKeys kTiffColorModeItems{"RGB", "CMYK"};

inline const ItemKeys kRotationTypeItems{"Simple Rotation", "Advanced Rotation"};
inline const ItemKeys kSizeUnitItems{"Pixels", "Percent"};
inline const ItemKeys kResizeTypeItems{"All Images", "Large Images"};
inline const ItemKeys kResizeAlgorithmItems{"Box", "Bilinear", "Bspline", "Bicubic", "Catmullrom", "Lanczos"};
inline const ItemKeys kDitherAlgorithmItems{"FS", "Bayer4", "Bayer8", "Bayer16", "Cluster6", "Cluster8", "Cluster16"};

inline const ItemKeys kFrameTypeItems{"None", "Frame Solid"};

inline const ItemKeys kWatermarkTypeItems{"None", "Watermark Text", "Watermark Image"};
inline const ItemKeys kFontStyleItems{"Regular", "Bold", "Italic", "Bold Italic"};
inline const ItemKeys kFontEffectItems{"None", "Underline", "Strikeout"};
inline const ItemKeys kTextAlignmentItems{"Align Left", "Align Center", "Align Right"};
inline const ItemKeys kBoundaryItems{"Bound Image", "Bound Frame"};
inline const ItemKeys kPositionItems{"Top-Left",     "Top-Center",  "Top-Right",     "Middle-Left", "Middle-Center",
                                     "Middle-Right", "Bottom-Left", "Bottom-Center", "Bottom-Right"};
inline const ItemKeys kWatermarkSizeItems{"Fixed"};

inline const ItemKeys kFileTimestampItems{"Current", "Original", "Custom"};
inline const ItemKeys kPhotoCdDecoderItems{"ImageMagick Decoder", "Built-in Decoder"};
inline const ItemKeys kFoldersHistoryItems{"Clean On Exit", "Keep Folders"};

// The unit shown beside a number that has only one.
inline const ItemKeys kBytesUnit{"Bytes"};
inline const ItemKeys kPixelsUnit{"Pixels"};
inline const ItemKeys kPointsUnit{"Points"};

// The range of a track bar with its spin field.
struct PairRange {
    int minimum;
    int maximum;
};

inline constexpr PairRange kQualityRange{1, 100};
inline constexpr PairRange kAngleRange{0, 360};
inline constexpr PairRange kBrightnessRange{-100, 100};  // the track bar runs from 0 to 200
inline constexpr PairRange kGammaRange{1, 999};          // hundredths
inline constexpr PairRange kThresholdRange{0, 255};
inline constexpr PairRange kOpacityRange{1, 255};
inline constexpr PairRange kScaleRange{1, 200};
inline constexpr PairRange kFoldersNumberRange{1, 50};

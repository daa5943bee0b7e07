#include "settings/vocabularies.h"

#include <vector>

#include "platform/text.h"

namespace {

struct VocabularyWord {
    const char* name;
    int32_t code;
};

using WordList = std::vector<VocabularyWord>;

// Every list in the order of Vocabulary; within a list, a code's first word is
// the one the listing prints.
const std::vector<WordList>& vocabularies()
{
    static const std::vector<WordList> table = {
        {{"AUTO", kDdsLoadAuto}, {"BGRA", kDdsLoadBgra}, {"RGBA", kDdsLoadRgba}},
        {{"AUTO", kRawLoadAuto},
         {"8", kRawLoad8Bits},
         {"16", kRawLoad16Bits},
         {"24", kRawLoad24Bits},
         {"48HS", kRawLoad48BitsHalfSize},
         {"48", kRawLoad48Bits}},
        {{"ALL", kLoadAllFrames},
         {"FIRST", kLoadFirstFrame},
         {"MIDDLE", kLoadMiddleFrame},
         {"LAST", kLoadLastFrame},
         {"RANDOM", kLoadRandomFrame}},
        {{"NONE", kNoToneMapping},
         {"LINEAR", kLinearToneMapping},
         {"AL", kAdaptiveLogToneMapping},
         {"DRR", kRangeReductionToneMapping},
         {"GD", kGradientDomainToneMapping}},
        {{"NONE", kNoCompression},
         {"RLE", kRleCompression},
         {"ZIP", kExrZip},
         {"PIZ", kExrPiz},
         {"PXR24", kExrPxr24},
         {"B44", kExrB44},
         {"ZLIB1", kPngZlib1},
         {"ZLIB6", kPngZlib6},
         {"ZLIB9", kPngZlib9},
         {"CCITTFAX3", kTiffCcittFax3},
         {"CCITTFAX4", kTiffCcittFax4},
         {"PACKBITS", kTiffPackBits},
         {"DEFLATE", kTiffDeflate},
         {"ADOBEDEFLATE", kTiffAdobeDeflate},
         {"LZW", kTiffLzw},
         {"JPEG", kTiffJpeg},
         {"LOGLUV", kTiffLogLuv}},
        {{"AUTO", kAutomaticColorTable}, {"EXACT", kExactColorTable}},
        {{"RGB", kRgbColorMode}, {"CMYK", kCmykColorMode}, {"LAB", kLabColorMode}},
        {{"NONE", kNoChromaSubsampling},
         {"LOW", kLowChromaSubsampling},
         {"MEDIUM", kMediumChromaSubsampling},
         {"HIGH", kHighChromaSubsampling}},
        {{"STANDARD", kStandardJpeg},
         {"SIMPLE", kSimpleJpeg},
         {"OPTIMIZED", kOptimizedJpeg},
         {"PROGRESSIVE", kProgressiveJpeg}},
        {{"SIMPLE", kSimpleRotation}, {"ADVANCED", kAdvancedRotation}},
        {{"PIXELS", kSizeInPixels}, {"PERCENT", kSizeInPercent}},
        {{"ALLIMAGES", kResizeAllImages}, {"LARGEIMAGES", kResizeLargeImages}},
        {{"BOX", kBoxFilter},
         {"BILINEAR", kBilinearFilter},
         {"BSPLINE", kBSplineFilter},
         {"BICUBIC", kBicubicFilter},
         {"CATMULLROM", kCatmullRomFilter},
         {"LANCZOS", kLanczosFilter}},
        {{"FS", kFloydSteinbergDither},
         {"BAYER4", kBayer4Dither},
         {"BAYER8", kBayer8Dither},
         {"BAYER16", kBayer16Dither},
         {"CLUSTER6", kCluster6Dither},
         {"CLUSTER8", kCluster8Dither},
         {"CLUSTER16", kCluster16Dither}},
        {{"NONE", kNoFrame}, {"SOLID", kSolidFrame}},
        {{"NONE", kNoWatermark}, {"TEXT", kTextWatermark}, {"IMAGE", kPictureWatermark}},
        {{"REGULAR", kRegularFont}, {"BOLD", kBoldFont}, {"ITALIC", kItalicFont}, {"BOLDITALIC", kBoldItalicFont}},
        {{"NONE", kNoFontEffect}, {"UNDERLINE", kUnderlinedFont}, {"STRIKETHROUGHT", kStruckOutFont}},
        {{"LEFT", kAlignLeft}, {"CENTER", kAlignCenter}, {"RIGHT", kAlignRight}},
        {{"IMAGE", kPictureBoundary}, {"FRAME", kFrameBoundary}},
        {{"TOPLEFT", kTopLeft},
         {"TOPCENTER", kTopCenter},
         {"TOPRIGHT", kTopRight},
         {"MIDDLELEFT", kMiddleLeft},
         {"MIDDLECENTER", kMiddleCenter},
         {"MIDDLERIGHT", kMiddleRight},
         {"BOTTOMLEFT", kBottomLeft},
         {"BOTTOMCENTER", kBottomCenter},
         {"BOTTOMRIGHT", kBottomRight}},
        {{"FIXED", kFixedWatermarkSize}},
        {{"CURRENT", kCurrentTimestamp}, {"ORIGINAL", kOriginalTimestamp}, {"CUSTOM", kCustomTimestamp}},
        {{"CONVERT", kConvertDecoder}, {"BUILTIN", kBuiltInDecoder}, {"BUILT-IN", kBuiltInDecoder}},
    };
    return table;
}

const WordList* wordsOf(int32_t vocabulary)
{
    if (vocabulary < 0 || vocabulary >= kVocabularyCount)
        return nullptr;
    return &vocabularies()[static_cast<size_t>(vocabulary)];
}

}  // namespace

int32_t settingValueFromName(int32_t vocabulary, const std::string& word)
{
    const WordList* words = wordsOf(vocabulary);
    if (!words)
        return 0;
    const std::string upper = toUpperAscii(word);
    for (const VocabularyWord& w : *words)
        if (upper == w.name)
            return w.code;
    return 0;
}

std::string settingNameFromValue(int32_t vocabulary, int32_t value)
{
    const WordList* words = wordsOf(vocabulary);
    if (!words)
        return "";
    for (const VocabularyWord& w : *words)
        if (w.code == value)
            return w.name;
    return "";
}

std::vector<std::string> settingNames(int32_t vocabulary)
{
    std::vector<std::string> names;
    if (const WordList* words = wordsOf(vocabulary))
        for (const VocabularyWord& w : *words)
            names.push_back(w.name);
    return names;
}

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
    kVocabularyCount = 23,
};

// The code of an upper- or lower-case word; an unknown word or vocabulary gives 0.
int32_t settingValueFromName(int32_t vocabulary, const std::string& word);

// The first word whose code is value; "" when none has it.
std::string settingNameFromValue(int32_t vocabulary, int32_t value);

// Every word of the vocabulary in its order; empty for an unknown vocabulary.
std::vector<std::string> settingNames(int32_t vocabulary);

#include "settings/vocabularies.h"

#include <vector>

#include "platform/text.h"

namespace {

struct VocabularyWord {
    const char* name;
    int32_t code;
};

using WordList = std::vector<VocabularyWord>;

// Codes run 0, 1, 2, ... except in CompressionCode, whose codes are shared
// small numbers read differently by each format.
WordList numbered(std::initializer_list<const char*> names)
{
    WordList words;
    int32_t code = 0;
    for (const char* name : names)
        words.push_back({name, code++});
    return words;
}

const std::vector<WordList>& vocabularies()
{
    static const std::vector<WordList> table = {
        numbered({"AUTO", "BGRA", "RGBA"}),
        numbered({"AUTO", "8", "16", "24", "48HS", "48"}),
        numbered({"ALL", "FIRST", "MIDDLE", "LAST", "RANDOM"}),
        numbered({"NONE", "LINEAR", "AL", "DRR", "GD"}),
        WordList{{"NONE", 0}, {"RLE", 1}, {"ZIP", 1}, {"PIZ", 2}, {"PXR24", 3}, {"B44", 4},
                 {"ZLIB1", 1}, {"ZLIB6", 2}, {"ZLIB9", 3}, {"CCITTFAX3", 1}, {"CCITTFAX4", 2},
                 {"PACKBITS", 3}, {"DEFLATE", 4}, {"ADOBEDEFLATE", 5}, {"LZW", 6}, {"JPEG", 7},
                 {"LOGLUV", 8}},
        numbered({"AUTO", "EXACT"}),
        numbered({"RGB", "CMYK", "LAB"}),
        numbered({"NONE", "LOW", "MEDIUM", "HIGH"}),
        numbered({"STANDARD", "SIMPLE", "OPTIMIZED", "PROGRESSIVE"}),
        numbered({"SIMPLE", "ADVANCED"}),
        numbered({"PIXELS", "PERCENT"}),
        numbered({"ALLIMAGES", "LARGEIMAGES"}),
        numbered({"BOX", "BILINEAR", "BSPLINE", "BICUBIC", "CATMULLROM", "LANCZOS"}),
        numbered({"FS", "BAYER4", "BAYER8", "BAYER16", "CLUSTER6", "CLUSTER8", "CLUSTER16"}),
        numbered({"NONE", "SOLID"}),
        numbered({"NONE", "TEXT", "IMAGE"}),
        numbered({"REGULAR", "BOLD", "ITALIC", "BOLDITALIC"}),
        numbered({"NONE", "UNDERLINE", "STRIKETHROUGHT"}),
        numbered({"LEFT", "CENTER", "RIGHT"}),
        numbered({"IMAGE", "FRAME"}),
        numbered({"TOPLEFT", "TOPCENTER", "TOPRIGHT", "MIDDLELEFT", "MIDDLECENTER", "MIDDLERIGHT",
                  "BOTTOMLEFT", "BOTTOMCENTER", "BOTTOMRIGHT"}),
        numbered({"FIXED"}),
        numbered({"CURRENT", "ORIGINAL", "CUSTOM"}),
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

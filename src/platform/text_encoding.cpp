#include "platform/text_encoding.h"

#include <cstdint>

#include "platform/text.h"
#include "platform/unicode_case.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kUtf32LittleEndianMark{"\xFF\xFE\0\0", 4};
constexpr std::string_view kUtf32BigEndianMark{"\0\0\xFE\xFF", 4};
constexpr uint32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(std::string& text, uint32_t character)
{
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// The unit of unitBytes bytes at the offset.
uint32_t unitAt(std::string_view bytes, size_t at, size_t unitBytes, bool bigEndian)
{
    uint32_t unit = 0;
    for (size_t i = 0; i < unitBytes; ++i)
        unit = unit << 8 | static_cast<unsigned char>(bytes[at + (bigEndian ? i : unitBytes - 1 - i)]);
    return unit;
}

bool isSurrogate(uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string text;
    text.reserve(bytes.size());
    size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const uint32_t unit = unitAt(bytes, at, 2, bigEndian);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
            const uint32_t low = unitAt(bytes, at + 2, 2, bigEndian);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        appendUtf8(text, isSurrogate(unit) ? kReplacementCharacter : unit);
    }
    if (at < bytes.size())
        appendUtf8(text, kReplacementCharacter);
    return text;
}

std::string utf32ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    size_t at = 0;
    for (; at + 3 < bytes.size(); at += 4) {
        const uint32_t unit = unitAt(bytes, at, 4, bigEndian);
        appendUtf8(text, unit > 0x10FFFF || isSurrogate(unit) ? kReplacementCharacter : unit);
    }
    if (at < bytes.size())
        appendUtf8(text, kReplacementCharacter);
    return text;
}

enum class Utf16Guess { No, LittleEndian, BigEndian };

// At least half of the high bytes are zero, and more of them than of the low
// bytes: one stray zero in a UTF-8 or Latin-1 text is no reason to read it so.
Utf16Guess guessUtf16(std::string_view bytes)
{
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t at = 0; at < bytes.size(); ++at)
        if (bytes[at] == '\0')
            ++(at % 2 ? oddZeros : evenZeros);
    const size_t units = bytes.size() / 2;
    if (units == 0)
        return Utf16Guess::No;
    if (oddZeros * 2 >= units && oddZeros > evenZeros)
        return Utf16Guess::LittleEndian;
    if (evenZeros * 2 >= units && evenZeros > oddZeros)
        return Utf16Guess::BigEndian;
    return Utf16Guess::No;
}

}  // namespace

std::string textFileAsUtf8(std::string_view bytes)
{
    // UTF-32's little-endian mark begins like UTF-16's, so it is tried first.
    if (startsWith(bytes, kUtf32LittleEndianMark))
        return utf32ToUtf8(bytes.substr(kUtf32LittleEndianMark.size()), false);
    if (startsWith(bytes, kUtf32BigEndianMark))
        return utf32ToUtf8(bytes.substr(kUtf32BigEndianMark.size()), true);
    if (startsWith(bytes, kUtf8Mark))
        return std::string(bytes.substr(kUtf8Mark.size()));
    if (startsWith(bytes, kUtf16LittleEndianMark))
        return utf16ToUtf8(bytes.substr(kUtf16LittleEndianMark.size()), false);
    if (startsWith(bytes, kUtf16BigEndianMark))
        return utf16ToUtf8(bytes.substr(kUtf16BigEndianMark.size()), true);
    switch (guessUtf16(bytes)) {
    case Utf16Guess::LittleEndian: return utf16ToUtf8(bytes, false);
    case Utf16Guess::BigEndian: return utf16ToUtf8(bytes, true);
    case Utf16Guess::No: break;
    }
    // Editors on Linux write UTF-8 without a mark, and Latin-1 text with
    // accented letters is practically never valid UTF-8.
    return singleByteTextAsUtf8(bytes);
}

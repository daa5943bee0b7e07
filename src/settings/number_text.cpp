#include "settings/number_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text.h"

namespace {

size_t skipBlanks(std::string_view text, size_t at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// Unsigned arithmetic wraps, which keeps exactly the low 32 bits of any length
// of digits without overflow.
int32_t readDigits(std::string_view text, size_t at, bool negative, uint32_t base)
{
    uint32_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = hexDigitValue(text[at]);
        if (digit < 0 || static_cast<uint32_t>(digit) >= base)
            break;
        value = value * base + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

// Where the digits start after blanks and an optional sign.
size_t afterSign(std::string_view text, bool& negative)
{
    size_t at = skipBlanks(text, 0);
    negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    return at;
}

// The power of ten of a number's first significant digit: negative for a
// number below 1, so an out-of-range reading can tell underflow from overflow.
int64_t decimalMagnitude(std::string_view number)
{
    const size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t significant = mantissa.find_first_of("123456789");
    if (significant == std::string_view::npos)
        return std::numeric_limits<int32_t>::min();
    int64_t magnitude = significant < point ? int64_t(point - significant) - 1 : -int64_t(significant - point);
    if (exponentAt != std::string_view::npos) {
        bool negative = false;
        size_t at = afterSign(number.substr(exponentAt + 1), negative) + exponentAt + 1;
        int64_t exponent = 0;
        for (; at < number.size() && isAsciiDigit(number[at]); ++at)
            exponent = std::min<int64_t>(exponent * 10 + (number[at] - '0'), int64_t{1} << 40);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

}  // namespace

int hexDigitValue(char c)
{
    if (isAsciiDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int32_t parseInteger(std::string_view text)
{
    bool negative = false;
    size_t at = afterSign(text, negative);
    if (at < text.size() && text[at] == '$')
        return readDigits(text, at + 1, negative, 16);
    if (at < text.size() && text[at] == '%')
        return readDigits(text, at + 1, negative, 2);
    return readDigits(text, at, negative, 10);
}

int32_t parseDecimalInteger(std::string_view text)
{
    bool negative = false;
    size_t at = afterSign(text, negative);
    return readDigits(text, at, negative, 10);
}

double parseReal(std::string_view text)
{
    const std::string word = trimBlanks(text);
    if (equalsIgnoreCaseAscii(word, "+Infinity"))
        return std::numeric_limits<double>::infinity();
    if (equalsIgnoreCaseAscii(word, "-Infinity"))
        return -std::numeric_limits<double>::infinity();
    if (equalsIgnoreCaseAscii(word, "NaN"))
        return std::numeric_limits<double>::quiet_NaN();

    bool negative = false;
    size_t at = afterSign(word, negative);
    // from_chars would also take "inf", "nan" and a second sign; only digits
    // or a decimal point may start the number here.
    if (at >= word.size() || !(isAsciiDigit(word[at]) || word[at] == '.'))
        return 0.0;
    const char* first = word.data() + at;
    const char* last = word.data() + word.size();
    double value = 0.0;
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        const bool tiny = decimalMagnitude(std::string_view(first, static_cast<size_t>(end - first))) < 0;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

float realToFloat(double value)
{
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX)
        return value > 0 ? INFINITY : -INFINITY;
    return static_cast<float>(value);
}

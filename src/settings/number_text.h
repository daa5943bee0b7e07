#pragma once

#include <cstdint>
#include <string_view>

// Numbers as users write them in options, profiles and config.ini. None of
// these fails: text that is not a number reads as 0.

// The value of one hexadecimal digit in either case; -1 for any other character.
int hexDigitValue(char c);

// Leading blanks, an optional sign, then "$" and hexadecimal digits, "%" and
// binary digits, or decimal digits, up to the first other character. Larger
// numbers keep their low 32 bits.
int32_t parseInteger(std::string_view text);

// The same with decimal digits only.
int32_t parseDecimalInteger(std::string_view text);

// A decimal number with "." as the decimal point whatever the locale, or one
// of "+Infinity", "-Infinity" and "NaN" in any case.
double parseReal(std::string_view text);

// The real as a float; one outside the float range becomes an infinity of its
// sign, where a plain conversion would be undefined.
float realToFloat(double value);

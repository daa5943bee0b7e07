// Numbers as users write them. Besides surviving any text, a plain decimal
// integer reads as its low 32 bits and a short plain decimal real as the C
// library reads it.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "settings/number_text.h"

namespace {

bool isPlainDecimal(std::string_view text, bool allowPoint)
{
    size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        if (text[at] >= '0' && text[at] <= '9')
            digits = true;
        else if (allowPoint && text[at] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text = inputText(data, size);
    parseInteger(text);
    const int32_t decimal = parseDecimalInteger(text);
    const double real = parseReal(text);

    if (isPlainDecimal(text, false)) {
        uint32_t expected = 0;
        for (char c : text.substr(text[0] == '-' ? 1 : 0))
            expected = expected * 10 + static_cast<uint32_t>(c - '0');
        if (text[0] == '-')
            expected = 0u - expected;
        if (decimal != static_cast<int32_t>(expected) || parseInteger(text) != decimal)
            std::abort();
    }
    if (text.size() < 16 && isPlainDecimal(text, true) && text.back() != '.') {
        const std::string copy(text);
        if (real != std::strtod(copy.c_str(), nullptr))
            std::abort();
    }
    return 0;
}

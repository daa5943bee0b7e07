#include "engine/ppm_header.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Past the blanks and "#" comments before a header field.
std::optional<size_t> skipToField(std::string_view bytes, size_t at)
{
    while (at < bytes.size()) {
        if (bytes[at] == '#') {
            at = bytes.find_first_of("\r\n", at);
            if (at == std::string_view::npos)
                return std::nullopt;
        } else if (!isBlank(bytes[at])) {
            return at;
        }
        ++at;
    }
    return std::nullopt;
}

}  // namespace

std::optional<size_t> ppmPixelOffset(std::string_view bytes)
{
    if (bytes.substr(0, 2) != "P6")
        return std::nullopt;
    size_t at = 2;
    for (int field = 0; field < 3; ++field) {
        // Each field must be separated from what precedes it.
        if (at >= bytes.size() || !(isBlank(bytes[at]) || bytes[at] == '#'))
            return std::nullopt;
        std::optional<size_t> start = skipToField(bytes, at);
        if (!start || !isDigit(bytes[*start]))
            return std::nullopt;
        at = *start;
        while (at < bytes.size() && isDigit(bytes[at]))
            ++at;
    }
    if (at >= bytes.size() || !isBlank(bytes[at]))
        return std::nullopt;
    return at + 1;
}

#include "engine/ppm_header.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/text.h"

namespace {

// Past the whitespace and "#" comments before a header field; nullopt when
// the bytes end first.
std::optional<size_t> skipToField(std::string_view bytes, size_t at, bool& hasComments)
{
    while (at < bytes.size()) {
        if (bytes[at] == '#') {
            hasComments = true;
            at = bytes.find_first_of("\r\n", at);
            if (at == std::string_view::npos)
                return std::nullopt;
        } else if (!isAsciiWhitespace(bytes[at])) {
            return at;
        }
        ++at;
    }
    return std::nullopt;
}

int readNumber(std::string_view bytes, size_t& at)
{
    int64_t value = 0;
    for (; at < bytes.size() && isAsciiDigit(bytes[at]); ++at)
        value = std::min<int64_t>(value * 10 + (bytes[at] - '0'), INT_MAX);
    return static_cast<int>(value);
}

}  // namespace

std::optional<PpmHeader> parsePpmHeader(std::string_view bytes)
{
    if (bytes.substr(0, 2) != "P6")
        return std::nullopt;
    PpmHeader header;
    int* const fields[] = {&header.width, &header.height, &header.maximum};
    size_t at = 2;
    for (int* field : fields) {
        // Each field must be separated from what precedes it.
        if (at >= bytes.size() || !(isAsciiWhitespace(bytes[at]) || bytes[at] == '#'))
            return std::nullopt;
        std::optional<size_t> start = skipToField(bytes, at, header.hasComments);
        if (!start || !isAsciiDigit(bytes[*start]))
            return std::nullopt;
        at = *start;
        *field = readNumber(bytes, at);
    }
    if (at >= bytes.size() || !isAsciiWhitespace(bytes[at]))
        return std::nullopt;
    header.pixelOffset = at + 1;
    return header;
}

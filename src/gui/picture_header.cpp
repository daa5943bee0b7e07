#include "gui/picture_header.h"

#include <cstdint>

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

uint32_t bigEndian32(std::string_view bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

std::optional<PictureSize> pngPictureSize(std::string_view bytes)
{
    // Signature, then the IHDR chunk: length 13, type, width, height.
    constexpr size_t kHeaderEnd = 8 + 4 + 4 + 8;
    if (bytes.size() < kHeaderEnd || !bytes.starts_with(kPngSignature) || bigEndian32(bytes, 8) != 13 ||
        bytes.substr(12, 4) != "IHDR")
        return std::nullopt;
    const uint32_t width = bigEndian32(bytes, 16);
    const uint32_t height = bigEndian32(bytes, 20);
    // PNG itself allows no more than 2^31 - 1 per side.
    if (width > INT32_MAX || height > INT32_MAX)
        return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

bool isUsableInterfacePicture(std::string_view bytes)
{
    std::optional<PictureSize> size = pngPictureSize(bytes);
    return size && size->width >= 1 && size->height >= 1 && size->width <= kLargestInterfacePicture &&
           size->height <= kLargestInterfacePicture;
}

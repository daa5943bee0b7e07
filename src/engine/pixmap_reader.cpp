#include "engine/pixmap_reader.h"

#include <FreeImage.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <utility>

#include "picture/picture_size.h"

namespace {

// Far beyond any PhotoCD resolution; larger headers are left to FreeImage.
constexpr int kLargestSide = 1 << 20;
constexpr int kLongestNumber = 7;
constexpr int kEightBitMaximum = 255;

bool isBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The next header number after at least one blank; nullopt on anything else.
std::optional<int> readNumber(std::istream& in)
{
    if (!isBlank(in.get()))
        return std::nullopt;
    while (isBlank(in.peek()))
        in.get();
    int value = 0;
    int digits = 0;
    while (in.peek() >= '0' && in.peek() <= '9') {
        if (++digits > kLongestNumber)
            return std::nullopt;
        value = value * 10 + (in.get() - '0');
    }
    return digits > 0 ? std::optional<int>(value) : std::nullopt;
}

struct Header {
    int width = 0;
    int height = 0;
};

// "P6", width, height, 255, and the single blank after which the pixels begin.
std::optional<Header> readHeader(std::istream& in)
{
    if (in.get() != 'P' || in.get() != '6')
        return std::nullopt;
    const std::optional<int> width = readNumber(in);
    const std::optional<int> height = width ? readNumber(in) : std::nullopt;
    const std::optional<int> maximum = height ? readNumber(in) : std::nullopt;
    if (!maximum || *maximum != kEightBitMaximum || !isBlank(in.get()))
        return std::nullopt;
    if (*width <= 0 || *height <= 0 || *width > kLargestSide || *height > kLargestSide ||
        int64_t{*width} * *height > kLargestPicturePixels)
        return std::nullopt;
    return Header{*width, *height};
}

// The file holds red, green, blue; FreeImage's byte order may differ.
void toFreeImageOrder(BYTE* row, int width)
{
    if constexpr (FI_RGBA_RED != 0) {
        for (int x = 0; x < width; ++x, row += 3)
            std::swap(row[0], row[FI_RGBA_RED]);
    }
}

}  // namespace

FIBITMAP* readEightBitPixmap(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    const std::optional<Header> header = readHeader(in);
    if (!header)
        return nullptr;
    FIBITMAP* picture = FreeImage_Allocate(header->width, header->height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                                           FI_RGBA_BLUE_MASK);
    if (!picture)
        return nullptr;
    const std::streamsize rowBytes = std::streamsize{header->width} * 3;
    // The file's first row is the top one; FreeImage keeps the bottom row first.
    for (int y = 0; y < header->height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture, header->height - 1 - y);
        if (!in.read(reinterpret_cast<char*>(row), rowBytes)) {
            FreeImage_Unload(picture);
            return nullptr;
        }
        toFreeImageOrder(row, header->width);
    }
    return picture;
}

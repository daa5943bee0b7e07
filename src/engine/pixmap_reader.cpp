#include "engine/pixmap_reader.h"

#include <FreeImage.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <utility>

#include "engine/ppm_header.h"
#include "picture/picture_handle.h"
#include "picture/picture_size.h"

namespace {

// Far beyond any PhotoCD resolution; larger headers are left to FreeImage.
constexpr int kLargestSide = 1 << 20;
constexpr int kEightBitMaximum = 255;

// "P6", width, height and 255 separated by whitespace only, for a picture of
// sane size.
bool isPlainEightBitHeader(const PpmHeader& header)
{
    return !header.hasComments && header.maximum == kEightBitMaximum && header.width > 0 && header.height > 0 &&
           header.width <= kLargestSide && header.height <= kLargestSide &&
           int64_t{header.width} * header.height <= kLargestPicturePixels;
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
    std::string start(kLongestPpmHeader, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<size_t>(in.gcount()));
    const std::optional<PpmHeader> header = parsePpmHeader(start);
    if (!header || !isPlainEightBitHeader(*header))
        return nullptr;
    in.clear();
    if (!in.seekg(static_cast<std::streamoff>(header->pixelOffset)))
        return nullptr;

    BitmapHandle picture(
        FreeImage_Allocate(header->width, header->height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
    if (!picture)
        return nullptr;
    const std::streamsize rowBytes = std::streamsize{header->width} * 3;
    // The file's first row is the top one; FreeImage keeps the bottom row first.
    for (int y = 0; y < header->height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture.get(), header->height - 1 - y);
        if (!in.read(reinterpret_cast<char*>(row), rowBytes))
            return nullptr;
        toFreeImageOrder(row, header->width);
    }
    return picture.release();
}

#include "engine/photocd_pictures.h"

#include <FreeImage.h>

#include <cmath>

#include "engine/pixmap_reader.h"
#include "platform/process.h"
#include "test_support.h"

namespace {

std::optional<RgbPicture> fromBitmap(FIBITMAP* bitmap)
{
    if (!bitmap)
        return std::nullopt;
    FIBITMAP* rgb = FreeImage_ConvertTo24Bits(bitmap);
    FreeImage_Unload(bitmap);
    if (!rgb)
        return std::nullopt;
    RgbPicture picture{static_cast<int>(FreeImage_GetWidth(rgb)), static_cast<int>(FreeImage_GetHeight(rgb)), {}};
    picture.pixels.reserve(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3);
    for (int y = 0; y < picture.height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(rgb, picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x, row += 3)
            picture.pixels.insert(picture.pixels.end(), {row[FI_RGBA_RED], row[FI_RGBA_GREEN], row[FI_RGBA_BLUE]});
    }
    FreeImage_Unload(rgb);
    return picture;
}

bool sameSize(const RgbPicture& a, const RgbPicture& b)
{
    return a.width == b.width && a.height == b.height && !a.pixels.empty() && a.pixels.size() == b.pixels.size();
}

// A channel at 0 or 255, or as near as a JPEG encoder moves such a value.
bool clips(const uint8_t* pixel)
{
    constexpr int kMargin = 4;
    for (int c = 0; c < 3; ++c) {
        if (pixel[c] <= kMargin || pixel[c] >= 255 - kMargin)
            return true;
    }
    return false;
}

double decibels(double squares, double count)
{
    if (count == 0)
        return 0;
    return squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * count / squares);
}

}  // namespace

std::optional<RgbPicture> decodedByConvert(const std::string& source)
{
    ScratchFolder folder;
    const std::string ppm = folder.path + "decoded.ppm";
    runProgram({"convert", "-quiet", "-colorspace", "sRGB", source, "ppm:" + ppm}, 120, "");
    return fromBitmap(readEightBitPixmap(ppm));
}

std::optional<RgbPicture> loadedPicture(const std::string& path)
{
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    return format == FIF_UNKNOWN ? std::nullopt : fromBitmap(FreeImage_Load(format, path.c_str(), 0));
}

double rgbPsnr(const RgbPicture& a, const RgbPicture& b)
{
    if (!sameSize(a, b))
        return 0;
    double squares = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        squares += (a.pixels[i] - b.pixels[i]) * (a.pixels[i] - b.pixels[i]);
    return decibels(squares, static_cast<double>(a.pixels.size()));
}

double lumaPsnr(const RgbPicture& a, const RgbPicture& b, bool clippedToo)
{
    if (!sameSize(a, b))
        return 0;
    double squares = 0;
    double count = 0;
    for (size_t i = 0; i < a.pixels.size(); i += 3) {
        const uint8_t* p = &a.pixels[i];
        const uint8_t* q = &b.pixels[i];
        if (!clippedToo && (clips(p) || clips(q)))
            continue;
        const double difference = 0.299 * (p[0] - q[0]) + 0.587 * (p[1] - q[1]) + 0.114 * (p[2] - q[2]);
        squares += difference * difference;
        ++count;
    }
    return decibels(squares, count);
}

double unclippedShare(const RgbPicture& a, const RgbPicture& b)
{
    if (!sameSize(a, b))
        return 0;
    size_t unclipped = 0;
    for (size_t i = 0; i < a.pixels.size(); i += 3)
        unclipped += !clips(&a.pixels[i]) && !clips(&b.pixels[i]);
    return static_cast<double>(unclipped) * 3 / static_cast<double>(a.pixels.size());
}

RgbPicture halfTurned(const RgbPicture& picture)
{
    RgbPicture turned = picture;
    const size_t pixels = picture.pixels.size() / 3;
    for (size_t i = 0; i < pixels; ++i) {
        for (int c = 0; c < 3; ++c)
            turned.pixels[3 * i + c] = picture.pixels[3 * (pixels - 1 - i) + c];
    }
    return turned;
}

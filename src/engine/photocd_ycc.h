#pragma once

// PhotoYCC planes as an image pac holds them, the doubling by which each
// resolution grows from the one below it, and the colours and turn of the
// finished picture.
//
// Doubling. A plane twice as wide and high keeps every sample on an even
// pixel of an even row; the pixel between two samples of a row takes their
// mean, the pixel between two rows the mean of the samples above and below,
// and the pixel between four samples their mean, each rounded half up. The
// last column and the last row repeat the one before. This is how
// ImageMagick grows the planes, both under the residuals of 4Base and 16Base
// and for the chroma of the finished picture, and the residuals of the
// sample pacs were made against it: another rounding would show.
//
// The colours. Kodak's PhotoYCC inverse, with luma scaled by 1.3584 and the
// chroma zeros at 156 (C1) and 137 (C2):
//     L = 1.3584 Y,  R = L + 1.8215 (C2 - 137),  B = L + 2.2179 (C1 - 156),
//     G = L - 0.194 * 2.2179 (C1 - 156) - 0.509 * 1.8215 (C2 - 137).
// The result spans 0 to 1.3584 * 255; ImageMagick's `-colorspace sRGB`
// brings that range down to 0..255 linearly, by 1024 / 1388, with no gamma
// step, and so does this decoder: its picture looks like what convert gives.
//
// Rotation. A picture is stored as scanned; bits 0-1 of the attributes byte
// say how far to turn it to stand upright: 0 not, 1 a quarter turn
// counter-clockwise, 2 a half turn, 3 a quarter turn clockwise.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// Leaves the bytes of a new plane unset: every plane is written whole before
// it is read (a section that leaves a row unwritten fails), and a plane of
// 16Base is paged in by the threads that fill it, not first by one thread
// that clears it.
template <class T>
struct UnsetOnGrowth : std::allocator<T> {
    // The name the standard allocator interface asks for.
    template <class U>
    struct rebind {  // NOLINT(readability-identifier-naming)
        using other = UnsetOnGrowth<U>;
    };
    template <class U>
    void construct(U* place)
    {
        ::new (static_cast<void*>(place)) U;
    }
    template <class U, class... Arguments>
    void construct(U* place, Arguments&&... arguments)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Arguments>(arguments)...);
    }
};

struct YccPlane {
    int width = 0;
    int height = 0;
    // Rows top first, one byte a sample, no padding.
    std::vector<uint8_t, UnsetOnGrowth<uint8_t>> samples;

    uint8_t* row(int y) { return samples.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
    const uint8_t* row(int y) const { return samples.data() + static_cast<size_t>(y) * static_cast<size_t>(width); }
};

// A plane of that size whose samples are still to be written.
YccPlane blankPlane(int width, int height);

// One resolution of a pac: luma at full size, both chroma planes at half the
// width and half the height.
struct YccPicture {
    YccPlane luma;
    YccPlane c1;
    YccPlane c2;

    int width() const { return luma.width; }
    int height() const { return luma.height; }
};

// Row y (0 to 2 * plane.height - 1) of the plane doubled; out takes
// 2 * plane.width samples.
void doubledRow(const YccPlane& plane, int y, uint8_t* out);
YccPlane doubled(const YccPlane& plane);
// Each plane doubled: the next resolution before its residuals.
YccPicture doubled(const YccPicture& picture);

enum class PacTurn { None, QuarterCounterClockwise, Half, QuarterClockwise };

// The turn that bits 0-1 of the attributes byte name.
PacTurn turnOfAttributes(uint8_t attributes);
// True for the quarter turns, which swap width and height.
bool swapsSides(PacTurn turn);

// Where the upright sRGB picture goes: three bytes a pixel, rows of the
// upright picture's width.
struct RgbTarget {
    uint8_t* topRow = nullptr;  // the first byte of the top row
    ptrdiff_t rowStride = 0;    // from one row to the row below it; negative when rows run bottom first
    int red = 0;                // the byte of each colour within a pixel
    int green = 1;
    int blue = 2;
};

// Converts the picture to sRGB, turns it upright and writes it into target.
// Both halves of the picture are converted at once, on two threads.
void writeUprightRgb(const YccPicture& picture, PacTurn turn, const RgbTarget& target);

struct RgbPicture {
    int width = 0;
    int height = 0;
    // Rows top first, three bytes a pixel: red, green, blue.
    std::vector<uint8_t> pixels;
};

RgbPicture uprightRgb(const YccPicture& picture, PacTurn turn);

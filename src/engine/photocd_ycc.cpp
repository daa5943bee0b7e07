#include "engine/photocd_ycc.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <thread>

#include "platform/memory_advice.h"

namespace {

constexpr double kLumaScale = 1.3584;
constexpr int kC1Zero = 156;
constexpr int kC2Zero = 137;
constexpr double kRedFromC2 = 1.8215;
constexpr double kBlueFromC1 = 2.2179;
constexpr double kGreenFromC1 = -0.194 * kBlueFromC1;
constexpr double kGreenFromC2 = -0.509 * kRedFromC2;
// Brings the 0..1.3584*255 span of the colour equations down to 0..255.
constexpr double kDisplayScale = 1024.0 / 1388.0;

// The colour equations as sums of table entries in 1/65536ths of a display
// step: one table look-up per term instead of floating point per pixel.
constexpr int kFractionBits = 16;

struct ColourTables {
    std::array<int32_t, 256> luma{};
    std::array<int32_t, 256> redFromC2{};
    std::array<int32_t, 256> greenFromC1{};
    std::array<int32_t, 256> greenFromC2{};
    std::array<int32_t, 256> blueFromC1{};
};

int32_t fixedPoint(double displayValue)
{
    return static_cast<int32_t>(std::lround(displayValue * kDisplayScale * (1 << kFractionBits)));
}

ColourTables makeColourTables()
{
    ColourTables tables;
    for (int v = 0; v < 256; ++v) {
        tables.luma[v] = fixedPoint(kLumaScale * v) + (1 << (kFractionBits - 1));  // rounds the sum
        tables.redFromC2[v] = fixedPoint(kRedFromC2 * (v - kC2Zero));
        tables.greenFromC1[v] = fixedPoint(kGreenFromC1 * (v - kC1Zero));
        tables.greenFromC2[v] = fixedPoint(kGreenFromC2 * (v - kC2Zero));
        tables.blueFromC1[v] = fixedPoint(kBlueFromC1 * (v - kC1Zero));
    }
    return tables;
}

const ColourTables& colourTables()
{
    static const ColourTables tables = makeColourTables();
    return tables;
}

uint8_t displayByte(int32_t fixed)
{
    return static_cast<uint8_t>(std::clamp(fixed >> kFractionBits, 0, 255));
}

// The source rows a thread converts at a time before a quarter turn places
// them: enough to write runs of pixels rather than single ones.
constexpr int kBandRows = 16;

// Converts source rows and places them upright in the target.
class RowWriter {
public:
    RowWriter(const YccPicture& picture, PacTurn turn, const RgbTarget& target)
        : picture_(picture), turn_(turn), target_(target), width_(picture.width()), height_(picture.height()),
          c1_(static_cast<size_t>(width_)), c2_(static_cast<size_t>(width_))
    {
        if (swapsSides(turn))
            band_.resize(static_cast<size_t>(width_) * 3 * kBandRows);
    }

    // Source rows [first, end).
    void write(int first, int end)
    {
        if (!swapsSides(turn_)) {
            // Straight into the target, the row reversed for a half turn.
            const bool half = turn_ == PacTurn::Half;
            for (int y = first; y < end; ++y) {
                if (half)
                    convertRow(y, targetPixel(width_ - 1, height_ - 1 - y), -3, target_);
                else
                    convertRow(y, targetPixel(0, y), 3, target_);
            }
            return;
        }
        const RgbTarget band{band_.data(), static_cast<ptrdiff_t>(width_) * 3, 0, 1, 2};
        for (int y = first; y < end; y += kBandRows) {
            const int rows = std::min(kBandRows, end - y);
            for (int i = 0; i < rows; ++i)
                convertRow(y + i, band.topRow + i * band.rowStride, 3, band);
            placeTurned(y, rows);
        }
    }

private:
    // Source row y in sRGB, a pixel every step bytes from out on.
    void convertRow(int y, uint8_t* out, ptrdiff_t step, const RgbTarget& order)
    {
        const ColourTables& tables = colourTables();
        doubledRow(picture_.c1, y, c1_.data());
        doubledRow(picture_.c2, y, c2_.data());
        const uint8_t* luma = picture_.luma.row(y);
        for (int x = 0; x < width_; ++x, out += step) {
            const int32_t l = tables.luma[luma[x]];
            const uint8_t c1 = c1_[static_cast<size_t>(x)];
            const uint8_t c2 = c2_[static_cast<size_t>(x)];
            out[order.red] = displayByte(l + tables.redFromC2[c2]);
            out[order.green] = displayByte(l + tables.greenFromC1[c1] + tables.greenFromC2[c2]);
            out[order.blue] = displayByte(l + tables.blueFromC1[c1]);
        }
    }

    uint8_t* targetPixel(int x, int y) const
    {
        return target_.topRow + static_cast<ptrdiff_t>(y) * target_.rowStride + static_cast<ptrdiff_t>(x) * 3;
    }

    // Source rows [y, y + rows), converted into the band, become columns of
    // the target; each source column one run of pixels in a target row.
    void placeTurned(int y, int rows) const
    {
        const bool counterClockwise = turn_ == PacTurn::QuarterCounterClockwise;
        for (int x = 0; x < width_; ++x) {
            const int targetY = counterClockwise ? width_ - 1 - x : x;
            for (int i = 0; i < rows; ++i) {
                const int targetX = counterClockwise ? y + i : height_ - 1 - (y + i);
                const uint8_t* rgb =
                    &band_[(static_cast<size_t>(i) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 3];
                uint8_t* pixel = targetPixel(targetX, targetY);
                pixel[target_.red] = rgb[0];
                pixel[target_.green] = rgb[1];
                pixel[target_.blue] = rgb[2];
            }
        }
    }

    const YccPicture& picture_;
    PacTurn turn_;
    RgbTarget target_;
    int width_;
    int height_;
    std::vector<uint8_t> c1_;
    std::vector<uint8_t> c2_;
    std::vector<uint8_t> band_;
};

}  // namespace

YccPlane blankPlane(int width, int height)
{
    YccPlane plane{width, height, {}};
    plane.samples.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    adviseHugePages(plane.samples.data(), plane.samples.size());
    return plane;
}

void doubledRow(const YccPlane& plane, int y, uint8_t* out)
{
    const int width = plane.width;
    const int top = std::min(y / 2, plane.height - 1);
    const uint8_t* p = plane.row(top);
    // Even rows, and the last row, which repeats the one before it.
    if (y % 2 == 0 || top == plane.height - 1) {
        for (int x = 0; x + 1 < width; ++x) {
            out[2 * x] = p[x];
            out[2 * x + 1] = static_cast<uint8_t>((p[x] + p[x + 1] + 1) >> 1);
        }
        out[2 * width - 2] = out[2 * width - 1] = p[width - 1];
        return;
    }
    const uint8_t* r = plane.row(top + 1);
    for (int x = 0; x + 1 < width; ++x) {
        out[2 * x] = static_cast<uint8_t>((p[x] + r[x] + 1) >> 1);
        out[2 * x + 1] = static_cast<uint8_t>((p[x] + p[x + 1] + r[x] + r[x + 1] + 2) >> 2);
    }
    out[2 * width - 2] = out[2 * width - 1] = static_cast<uint8_t>((p[width - 1] + r[width - 1] + 1) >> 1);
}

YccPlane doubled(const YccPlane& plane)
{
    YccPlane twice = blankPlane(2 * plane.width, 2 * plane.height);
    for (int y = 0; y < twice.height; ++y)
        doubledRow(plane, y, twice.row(y));
    return twice;
}

YccPicture doubled(const YccPicture& picture)
{
    return {doubled(picture.luma), doubled(picture.c1), doubled(picture.c2)};
}

PacTurn turnOfAttributes(uint8_t attributes)
{
    return static_cast<PacTurn>(attributes & 0x3);
}

bool swapsSides(PacTurn turn)
{
    return turn == PacTurn::QuarterCounterClockwise || turn == PacTurn::QuarterClockwise;
}

void writeUprightRgb(const YccPicture& picture, PacTurn turn, const RgbTarget& target)
{
    const int height = picture.height();
    // The two halves write disjoint pixels; splitting on a band keeps the
    // runs of the quarter turns whole.
    const int middle = (height / 2 + kBandRows - 1) / kBandRows * kBandRows;
    std::thread lower([&] { RowWriter(picture, turn, target).write(std::min(middle, height), height); });
    RowWriter(picture, turn, target).write(0, std::min(middle, height));
    lower.join();
}

RgbPicture uprightRgb(const YccPicture& picture, PacTurn turn)
{
    const bool swapped = swapsSides(turn);
    RgbPicture rgb{swapped ? picture.height() : picture.width(), swapped ? picture.width() : picture.height(), {}};
    rgb.pixels.resize(static_cast<size_t>(rgb.width) * static_cast<size_t>(rgb.height) * 3);
    writeUprightRgb(picture, turn, {rgb.pixels.data(), static_cast<ptrdiff_t>(rgb.width) * 3, 0, 1, 2});
    return rgb;
}

#include "engine/photocd_base.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

constexpr size_t kSignatureOffset = 2048;
constexpr char kSignature[] = "PCD_IPI";
constexpr size_t kBaseStart = 96 * 2048;

constexpr size_t kWidth = 768;
constexpr size_t kHeight = 512;
constexpr size_t kChromaWidth = kWidth / 2;
constexpr size_t kChromaHeight = kHeight / 2;
constexpr size_t kRowPairBytes = 2 * kWidth + 2 * kChromaWidth;
static_assert(kBaseStart + kRowPairBytes * kChromaHeight == kPhotoCdBaseEnd);

constexpr float kLumaScale = 1.3584f;
constexpr float kC1Zero = 156.0f;
constexpr float kC2Zero = 137.0f;
constexpr float kRedFromC2 = 1.8215f;
constexpr float kBlueFromC1 = 2.2179f;
constexpr float kGreenFromC1 = -0.194f * kBlueFromC1;
constexpr float kGreenFromC2 = -0.509f * kRedFromC2;
// Brings the 0..1.3584*255 span of the colour equations down to 0..255.
constexpr float kDisplayScale = 1024.0f / 1388.0f;

enum class Turn { None, QuarterCounterClockwise, Half, QuarterClockwise };

// The Base as stored: full-size luma, half-size chroma planes.
struct YccPlanes {
    std::vector<uint8_t> luma = std::vector<uint8_t>(kWidth * kHeight);
    std::vector<uint8_t> c1 = std::vector<uint8_t>(kChromaWidth * kChromaHeight);
    std::vector<uint8_t> c2 = std::vector<uint8_t>(kChromaWidth * kChromaHeight);
};

YccPlanes readPlanes(std::span<const uint8_t> pac)
{
    YccPlanes planes;
    const uint8_t* pair = pac.data() + kBaseStart;
    for (size_t row = 0; row < kChromaHeight; ++row, pair += kRowPairBytes) {
        std::memcpy(&planes.luma[2 * row * kWidth], pair, 2 * kWidth);
        std::memcpy(&planes.c1[row * kChromaWidth], pair + 2 * kWidth, kChromaWidth);
        std::memcpy(&planes.c2[row * kChromaWidth], pair + 2 * kWidth + kChromaWidth, kChromaWidth);
    }
    return planes;
}

// A chroma plane at full size. Each sample sits on an even pixel; the pixels
// between samples take the mean of their two or four neighbours, and the last
// column and row, which have no neighbour beyond, repeat the one before.
std::vector<float> upsampleChroma(const std::vector<uint8_t>& plane)
{
    std::vector<float> full(kWidth * kHeight);
    for (size_t y = 0; y < kHeight; ++y) {
        const size_t top = y / 2;
        const size_t bottom = std::min(top + y % 2, kChromaHeight - 1);
        const uint8_t* upper = &plane[top * kChromaWidth];
        const uint8_t* lower = &plane[bottom * kChromaWidth];
        float* out = &full[y * kWidth];
        for (size_t x = 0; x < kWidth; ++x) {
            const size_t left = x / 2;
            const size_t right = std::min(left + x % 2, kChromaWidth - 1);
            out[x] = (upper[left] + upper[right] + lower[left] + lower[right]) * 0.25f;
        }
    }
    return full;
}

uint8_t toDisplayByte(float value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value * kDisplayScale), 0L, 255L));
}

// The stored picture in sRGB, rows top first, before any turn.
std::vector<uint8_t> toRgb(const YccPlanes& planes)
{
    const std::vector<float> c1 = upsampleChroma(planes.c1);
    const std::vector<float> c2 = upsampleChroma(planes.c2);
    std::vector<uint8_t> rgb(kWidth * kHeight * 3);
    for (size_t i = 0; i < planes.luma.size(); ++i) {
        const float luma = kLumaScale * planes.luma[i];
        const float chroma1 = c1[i] - kC1Zero;
        const float chroma2 = c2[i] - kC2Zero;
        rgb[3 * i] = toDisplayByte(luma + kRedFromC2 * chroma2);
        rgb[3 * i + 1] = toDisplayByte(luma + kGreenFromC1 * chroma1 + kGreenFromC2 * chroma2);
        rgb[3 * i + 2] = toDisplayByte(luma + kBlueFromC1 * chroma1);
    }
    return rgb;
}

RgbPicture turned(std::vector<uint8_t> rgb, Turn turn)
{
    if (turn == Turn::None)
        return {static_cast<int>(kWidth), static_cast<int>(kHeight), std::move(rgb)};
    const bool quarter = turn != Turn::Half;
    const size_t width = quarter ? kHeight : kWidth;
    std::vector<uint8_t> out(rgb.size());
    for (size_t y = 0; y < kHeight; ++y) {
        for (size_t x = 0; x < kWidth; ++x) {
            size_t toX = kWidth - 1 - x;
            size_t toY = kHeight - 1 - y;
            if (turn == Turn::QuarterCounterClockwise) {
                toX = y;
                toY = kWidth - 1 - x;
            } else if (turn == Turn::QuarterClockwise) {
                toX = kHeight - 1 - y;
                toY = x;
            }
            std::memcpy(&out[(toY * width + toX) * 3], &rgb[(y * kWidth + x) * 3], 3);
        }
    }
    const size_t height = quarter ? kWidth : kHeight;
    return {static_cast<int>(width), static_cast<int>(height), std::move(out)};
}

}  // namespace

bool hasImagePacSignature(std::span<const uint8_t> pac)
{
    const size_t length = sizeof(kSignature) - 1;
    return pac.size() >= kSignatureOffset + length &&
           std::memcmp(pac.data() + kSignatureOffset, kSignature, length) == 0;
}

std::optional<RgbPicture> decodePhotoCdBase(std::span<const uint8_t> pac)
{
    if (pac.size() < kPhotoCdBaseEnd || !hasImagePacSignature(pac))
        return std::nullopt;
    const auto turn = static_cast<Turn>(pac[kImagePacAttributesOffset] & 0x3);
    return turned(toRgb(readPlanes(pac)), turn);
}

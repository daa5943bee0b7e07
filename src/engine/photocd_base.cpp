#include "engine/photocd_base.h"

#include <cstring>

namespace {

constexpr size_t kSignatureOffset = 2048;
constexpr char kSignature[] = "PCD_IPI";
constexpr size_t kBaseStart = 96 * 2048;

constexpr int kWidth = 768;
constexpr int kHeight = 512;
constexpr size_t kRowPairBytes = 3 * kWidth;
static_assert(kBaseStart + kRowPairBytes * (kHeight / 2) == kPhotoCdBaseEnd);

}  // namespace

bool hasImagePacSignature(std::span<const uint8_t> pac)
{
    const size_t length = sizeof(kSignature) - 1;
    return pac.size() >= kSignatureOffset + length &&
           std::memcmp(pac.data() + kSignatureOffset, kSignature, length) == 0;
}

std::optional<YccPicture> readBasePlanes(std::span<const uint8_t> pac)
{
    if (pac.size() < kPhotoCdBaseEnd || !hasImagePacSignature(pac))
        return std::nullopt;
    YccPicture base{blankPlane(kWidth, kHeight), blankPlane(kWidth / 2, kHeight / 2),
                    blankPlane(kWidth / 2, kHeight / 2)};
    const uint8_t* pair = pac.data() + kBaseStart;
    for (int row = 0; row < kHeight / 2; ++row, pair += kRowPairBytes) {
        std::memcpy(base.luma.row(2 * row), pair, 2 * kWidth);
        std::memcpy(base.c1.row(row), pair + 2 * kWidth, kWidth / 2);
        std::memcpy(base.c2.row(row), pair + 2 * kWidth + kWidth / 2, kWidth / 2);
    }
    return base;
}

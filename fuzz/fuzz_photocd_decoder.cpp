// The Huffman-coded residual sections of 4Base and 16Base: tables, sync
// marks, row headers and codes from outside, onto planes of a fixed size.
//
// The first byte picks the rules and the size: bit 0 those of 16Base (three
// tables, chroma rows) rather than 4Base (one table, luma rows only), bit 1
// the resolution's full size (what sections cut from real pacs need) rather
// than a small 64x32 picture (where the fuzzer finds whole sections sooner).
// The rest is the section. The seeds in fuzz/corpus/photocd_decoder/ are the
// beginnings of both sections of testdata/photocd/kodim23-16base.pcd, some
// of them damaged, and a small section that decodes whole.
#include <cstdlib>
#include <span>

#include "engine/photocd_huffman.h"
#include "fuzz_support.h"

namespace {

YccPicture pictureOf(int width, int height)
{
    YccPicture picture{blankPlane(width, height), blankPlane(width / 2, height / 2), blankPlane(width / 2, height / 2)};
    for (YccPlane* plane : {&picture.luma, &picture.c1, &picture.c2}) {
        for (size_t i = 0; i < plane->samples.size(); ++i)
            plane->samples[i] = static_cast<uint8_t>(i * 7);
    }
    return picture;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool sixteenBase = (data[0] & 1) != 0;
    const bool fullSize = (data[0] & 2) != 0;
    const int width = fullSize ? (sixteenBase ? 3072 : 1536) : 64;
    const int height = fullSize ? (sixteenBase ? 2048 : 1024) : 32;
    YccPicture picture = pictureOf(width, height);
    const std::span<const uint8_t> section(data + 1, size - 1);
    const SectionResult result = addResiduals(section, picture, sixteenBase);

    // Only the section's bytes count, and the planes keep their size.
    if (result.bytesRead > section.size())
        std::abort();
    if (picture.luma.samples.size() != static_cast<size_t>(width) * height ||
        picture.c1.samples.size() != static_cast<size_t>(width / 2) * (height / 2))
        std::abort();
    if (result.problem && (result.problem->plane < 0 || result.problem->plane > 2 || result.problem->row < 0))
        std::abort();
    return 0;
}

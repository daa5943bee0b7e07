// The Huffman-coded residual sections of 4Base and 16Base: tables, sync
// marks, row headers and codes from outside, onto planes of a fixed size.
//
// The first byte picks the rules and the size: bit 0 those of 16Base (three
// tables, chroma rows, pieces for two threads from 8 KB on) rather than
// 4Base (one table, luma rows only), bit 1 the resolution's full width with
// 64 rows (what the first rows of sections cut from real pacs need) rather
// than a small 64x32 picture (where the fuzzer finds whole sections sooner).
// The rest is the section. The seeds in fuzz/corpus/photocd_decoder/ are the
// beginnings of both sections of testdata/photocd/kodim23-16base.pcd, some
// of them damaged, and a small section that decodes whole.
#include <cstdlib>
#include <span>

#include "engine/photocd_huffman.h"
#include "fuzz_support.h"

namespace {

// The resolution below, of half the size, with samples that vary.
YccPicture lowerOf(int width, int height)
{
    YccPicture lower{blankPlane(width / 2, height / 2), blankPlane(width / 4, height / 4),
                     blankPlane(width / 4, height / 4)};
    for (YccPlane* plane : {&lower.luma, &lower.c1, &lower.c2}) {
        for (size_t i = 0; i < plane->samples.size(); ++i)
            plane->samples[i] = static_cast<uint8_t>(i * 7);
    }
    return lower;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool sixteenBase = (data[0] & 1) != 0;
    const bool fullWidth = (data[0] & 2) != 0;
    const int width = fullWidth ? (sixteenBase ? 3072 : 1536) : 64;
    const int height = fullWidth ? 64 : 32;
    const YccPicture lower = lowerOf(width, height);
    const std::span<const uint8_t> section(data + 1, size - 1);
    const SectionResult result = decodeSection(section, lower, sixteenBase);

    // Only the section's bytes count; a whole section makes a picture of
    // twice the size, a damaged one none.
    if (result.bytesRead > section.size())
        std::abort();
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (result.problem ? !result.picture.luma.samples.empty()
                       : result.picture.luma.samples.size() != pixels || result.picture.c1.samples.size() != pixels / 4)
        std::abort();
    if (result.problem && (result.problem->plane < 0 || result.problem->plane > 2 || result.problem->row < 0))
        std::abort();
    return 0;
}

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/photocd_decoder.h"
#include "engine/photocd_huffman.h"
#include "engine/photocd_pictures.h"
#include "platform/process.h"
#include "test_support.h"

namespace {

std::vector<uint8_t> pacBytes(const std::string& name)
{
    const std::string bytes = readFile(testDataPath(name));
    return {bytes.begin(), bytes.end()};
}

std::string subimage(const std::string& name, int level)
{
    return "pcd:" + testDataPath(name) + "[" + std::to_string(3 + level) + "]";
}

// Where the stored pixel (x, y) of a picture of that stored size lands once
// the picture stands upright.
std::pair<int, int> upright(int x, int y, int width, int height, PacTurn turn)
{
    switch (turn) {
    case PacTurn::None: return {x, y};
    case PacTurn::QuarterCounterClockwise: return {y, width - 1 - x};
    case PacTurn::Half: return {width - 1 - x, height - 1 - y};
    case PacTurn::QuarterClockwise: return {height - 1 - y, x};
    }
    return {x, y};
}

// How far a recovered plane lies from the one the pac was written from.
struct PlaneDistance {
    double meanDifference = 0;
    double withinTwo = 0;  // the share of samples no more than two apart
};

// The planes the pac was written from, upright: the enlarged picture as
// `-colorspace YCC` gives it, in the raw bytes ImageMagick writes, three a
// pixel. (ImageMagick writes those bytes after turning the values back into
// RGB through its clamped YCC; the pac holds what was written, which is why
// the 16Base colours of these sample pacs look wrong with any decoder that
// reads their chroma.)
std::string writtenPlanes(const std::string& name, int width, int height)
{
    ScratchFolder folder;
    const std::string raw = folder.path + "planes.ycc";
    runProgram({"convert", testDataPath(name + ".png"), "-filter", "Lanczos", "-resize",
                std::to_string(width) + "x" + std::to_string(height) + "!", "-colorspace", "YCC", "-depth", "8",
                "rgb:" + raw},
               120, "");
    return readFile(raw);
}

// Compares candidate (a stored plane of the 16Base picture, luma or chroma)
// with channel of the written planes. Each residual was clamped to
// -128..127 against under, the plane doubled from 4Base, so the target is
// what the written value allows from there. The top 200 rows are left out:
// the fine lines and print were drawn there afterwards.
PlaneDistance distanceOf(const YccPlane& candidate, const YccPlane& under, const std::string& written, int channel,
                         PacTurn turn)
{
    const int scale = channel == 0 ? 1 : 2;  // chroma samples cover 2x2 pixels
    const int storedWidth = candidate.width * scale;
    const int storedHeight = candidate.height * scale;
    const int uprightWidth = swapsSides(turn) ? storedHeight : storedWidth;
    double differences = 0;
    double withinTwo = 0;
    double samples = 0;
    for (int sy = 0; sy < candidate.height; ++sy) {
        for (int sx = 0; sx < candidate.width; ++sx) {
            int sum = 0;
            bool nearTop = false;
            for (int d = 0; d < scale * scale; ++d) {
                const auto [x, y] =
                    upright(scale * sx + d % scale, scale * sy + d / scale, storedWidth, storedHeight, turn);
                nearTop = nearTop || y < 200;
                sum += static_cast<uint8_t>(written[(static_cast<size_t>(y) * uprightWidth + x) * 3 + channel]);
            }
            if (nearTop)
                continue;
            const int below = under.row(sy)[sx];
            const int target = std::clamp((sum + scale * scale / 2) / (scale * scale), below - 128, below + 127);
            const int difference = std::abs(candidate.row(sy)[sx] - target);
            differences += difference;
            withinTwo += difference <= 2;
            ++samples;
        }
    }
    return {differences / samples, withinTwo / samples};
}

}  // namespace

TEST(PhotoCdDecoder, EveryStoredLevelLooksAsConvertDecodesIt)
{
    struct Case {
        const char* pac;
        int level;
        int width, height;  // upright
    };
    for (const Case& c : {Case{"kodim23-16base.pcd", 0, 768, 512}, Case{"kodim23-16base.pcd", 1, 1536, 1024},
                          Case{"kodim23-16base.pcd", 2, 3072, 2048}, Case{"kodim04-16base.pcd", 0, 512, 768},
                          Case{"kodim04-16base.pcd", 1, 1024, 1536}, Case{"kodim04-16base.pcd", 2, 2048, 3072},
                          Case{"kodim15-4base.pcd", 0, 768, 512}, Case{"kodim15-4base.pcd", 1, 1536, 1024}}) {
        const std::string what = std::string(c.pac) + " at " + photoCdLevelName(c.level);
        const std::vector<uint8_t> pac = pacBytes(c.pac);
        const PhotoCdDecode decode = decodePhotoCd(pac, c.level);
        ASSERT_TRUE(decode.picture) << what << ": " << decode.stop;
        EXPECT_EQ(decode.level, c.level) << what;
        EXPECT_EQ(decode.stop, "") << what;
        YccPicture planes = *decode.picture;
        if (c.level == kSixteenBaseLevel) {
            // convert leaves out the 16Base chroma: its colours are the
            // 4Base chroma doubled. Given those, everything else must match.
            const PhotoCdDecode fourBase = decodePhotoCd(pac, kFourBaseLevel);
            planes.c1 = doubled(fourBase.picture->c1);
            planes.c2 = doubled(fourBase.picture->c2);
        }
        const RgbPicture ours = uprightRgb(planes, decode.turn);
        EXPECT_EQ(ours.width, c.width) << what;
        EXPECT_EQ(ours.height, c.height) << what;
        const std::optional<RgbPicture> theirs = decodedByConvert(subimage(c.pac, c.level));
        ASSERT_TRUE(theirs) << what;
        // About 62 dB in every channel, no sample more than 2 apart; without
        // the 16Base luma 37 to 39, a quarter turn the wrong way 11 to 14.
        EXPECT_GE(lumaPsnr(ours, *theirs), 45.0) << what;
        EXPECT_GE(rgbPsnr(ours, *theirs), 45.0) << what;
    }
}

TEST(PhotoCdDecoder, SixteenBaseCarriesTheChromaThePacStores)
{
    for (const char* name : {"kodim23", "kodim04"}) {
        const std::vector<uint8_t> pac = pacBytes(std::string(name) + "-16base.pcd");
        const PhotoCdDecode sixteenBase = decodePhotoCd(pac);
        ASSERT_TRUE(sixteenBase.picture) << name;
        ASSERT_EQ(sixteenBase.level, kSixteenBaseLevel) << name << ": " << sixteenBase.stop;
        const YccPicture& ours = *sixteenBase.picture;
        // What the residuals went onto, which is also ImageMagick's 16Base
        // chroma: it leaves the pac's out.
        const YccPicture under = doubled(*decodePhotoCd(pac, kFourBaseLevel).picture);

        const bool portrait = swapsSides(sixteenBase.turn);
        const std::string written = writtenPlanes(name, portrait ? 2048 : 3072, portrait ? 3072 : 2048);
        ASSERT_EQ(written.size(), size_t{3} * 3072 * 2048) << name;

        const YccPlane* planes[3][2] = {{&ours.luma, &under.luma}, {&ours.c1, &under.c1}, {&ours.c2, &under.c2}};
        for (int channel = 0; channel < 3; ++channel) {
            const std::string what = std::string(name) + (channel == 0 ? " luma" : channel == 1 ? " C1" : " C2");
            const auto [candidate, below] = planes[channel];
            // Measured: a mean of 0.4 to 0.7 (the written bytes and the pac
            // differ by rounding), more than 98 % within two.
            const PlaneDistance distance = distanceOf(*candidate, *below, written, channel, sixteenBase.turn);
            EXPECT_LE(distance.meanDifference, 1.0) << what;
            EXPECT_GE(distance.withinTwo, 0.95) << what;
            if (channel > 0) {
                // ImageMagick's chroma (4Base enlarged) is 56 to 93 apart on
                // average, 1 to 3 % within two: this test tells them apart.
                const PlaneDistance imageMagick = distanceOf(*below, *below, written, channel, sixteenBase.turn);
                EXPECT_GE(imageMagick.meanDifference, 10.0) << what;
                EXPECT_LE(imageMagick.withinTwo, 0.5) << what;
            }
        }
    }
}

TEST(PhotoCdDecoder, APacCutAnywhereGivesTheHighestLevelStillWholeAndNothingElse)
{
    const std::vector<uint8_t> whole = pacBytes("kodim23-16base.pcd");
    std::vector<YccPicture> levels;
    for (int level = kBaseLevel; level <= kSixteenBaseLevel; ++level)
        levels.push_back(*decodePhotoCd(whole, level).picture);

    constexpr size_t kSector = 2048;
    std::vector<size_t> cuts = {0, 2050, 0xE02, 384 * kSector - 1, 384 * kSector, 388 * kSector, 388 * kSector + 5000,
                                // The 16Base section begins at sector 1070 of this pac.
                                1070 * kSector - 1, 1070 * kSector, 1070 * kSector + 4100, whole.size() - 1};
    for (size_t i = 1; i < 24; ++i)
        cuts.push_back(whole.size() * i / 24);
    std::sort(cuts.begin(), cuts.end());
    int lastLevel = -1;
    for (size_t cut : cuts) {
        // A copy of exactly the bytes before the cut, so that the sanitizers
        // would catch a read beyond them.
        const std::vector<uint8_t> pac(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(cut));
        const PhotoCdDecode decode = decodePhotoCd(pac);
        if (cut < 384 * kSector) {
            EXPECT_FALSE(decode.picture) << cut;
            // Without its header the bytes are no pac, and nothing is said.
            EXPECT_EQ(decode.stop, cut < 2048 + 7 ? "" : "no picture: the pac ends inside the Base") << cut;
            continue;
        }
        ASSERT_TRUE(decode.picture) << cut;
        EXPECT_GE(decode.level, lastLevel) << cut;
        lastLevel = decode.level;
        EXPECT_TRUE(decode.picture->luma.samples == levels[decode.level].luma.samples &&
                    decode.picture->c1.samples == levels[decode.level].c1.samples &&
                    decode.picture->c2.samples == levels[decode.level].c2.samples)
            << cut << ": not the picture of the whole pac";
        EXPECT_EQ(decode.stop.empty(), decode.level == kSixteenBaseLevel) << cut << ": " << decode.stop;
        if (cut == 388 * kSector || cut == 1070 * kSector) {
            EXPECT_NE(decode.stop.find("its section would begin past the end of the pac"), std::string::npos)
                << cut << ": " << decode.stop;
        }
        if (cut == 1070 * kSector - 1) {
            EXPECT_EQ(decode.level, kFourBaseLevel);
        }
    }
    EXPECT_EQ(lastLevel, kSixteenBaseLevel);
}

namespace {

// A residual section written bit by bit: three tables of 256 codes of 8
// bits (code i stands for residual i), then the rows.
class SectionWriter {
public:
    SectionWriter()
    {
        for (int table = 0; table < 3; ++table) {
            put(255, 8);
            for (int i = 0; i < 256; ++i) {
                put(7, 8);
                put(static_cast<uint32_t>(i) << 8, 16);
                put(static_cast<uint32_t>(i), 8);
            }
        }
        put(0, 32);  // the reader passes over 32 bits after the tables
    }

    void put(uint32_t value, int bits)
    {
        for (int bit = bits - 1; bit >= 0; --bit) {
            if (used_ % 8 == 0)
                bytes_.push_back(0);
            bytes_.back() = static_cast<uint8_t>(bytes_.back() | ((value >> bit) & 1) << (7 - used_ % 8));
            ++used_;
        }
    }

    void rowHeader(int plane, int number)
    {
        put(0xFFFFFE, 24);
        put(static_cast<uint32_t>(plane), 2);
        put(static_cast<uint32_t>(number), 13);
        put(0, 1);
    }

    std::vector<uint8_t> finished() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    size_t used_ = 0;
};

}  // namespace

TEST(PhotoCdDecoder, ASyncPatternAmongTheCodesNeverCutsTheSixteenBaseSectionWrongly)
{
    // Ending each row, the codes 0x7F 0xFF 0xFF 0xFC hold 23 one bits and a
    // zero that are no sync mark: no code begins at them. Wherever the
    // section is cut into pieces for two threads, the cut finds one of these
    // first; the section must still decode as a single reader decodes it.
    for (const bool falseMarks : {false, true}) {
        YccPicture lower{blankPlane(1536, 1024), blankPlane(768, 512), blankPlane(768, 512)};
        for (YccPlane* plane : {&lower.luma, &lower.c1, &lower.c2})
            std::fill(plane->samples.begin(), plane->samples.end(), 0);
        YccPicture expected{blankPlane(3072, 2048), blankPlane(1536, 1024), blankPlane(1536, 1024)};
        SectionWriter writer;
        const uint8_t fillers[] = {0x01, 0x02, 0x10, 0xF0};
        const uint8_t falseMark[] = {0x7F, 0xFF, 0xFF, 0xFC};
        YccPlane* planes[3] = {&expected.luma, &expected.c1, &expected.c2};
        for (int plane = 0; plane < 3; ++plane) {
            YccPlane& target = *planes[plane];
            for (int row = 0; row < target.height; ++row) {
                writer.rowHeader(plane == 0 ? 0 : plane + 1, plane == 0 ? row : 2 * row);
                for (int x = 0; x < target.width; ++x) {
                    const bool mark = falseMarks && x >= target.width - 4;
                    const uint8_t code = mark ? falseMark[x - (target.width - 4)] : fillers[(x * 7 + row) % 4];
                    writer.put(code, 8);
                    // The lower resolution is all zero, so is its doubling.
                    target.row(row)[x] = static_cast<uint8_t>(std::max(0, static_cast<int>(static_cast<int8_t>(code))));
                }
            }
        }
        writer.rowHeader(0, 2048);
        writer.put(0, 32);
        const std::vector<uint8_t> section = writer.finished();

        const SectionResult result = decodeSection(section, lower, true);
        ASSERT_FALSE(result.problem) << falseMarks << ": fault " << static_cast<int>(result.problem->fault)
                                     << " at plane " << result.problem->plane << " row " << result.problem->row;
        EXPECT_TRUE(result.picture.luma.samples == expected.luma.samples) << falseMarks;
        EXPECT_TRUE(result.picture.c1.samples == expected.c1.samples) << falseMarks;
        EXPECT_TRUE(result.picture.c2.samples == expected.c2.samples) << falseMarks;
        EXPECT_LE(result.bytesRead, section.size());
    }
}

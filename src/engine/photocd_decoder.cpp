#include "engine/photocd_decoder.h"

#include <utility>

#include "engine/photocd_base.h"
#include "engine/photocd_huffman.h"

namespace {

constexpr size_t kSectorBytes = 2048;
constexpr size_t kFourBaseSector = 388;
constexpr size_t kSectorsBeforeSixteenBase = 12;
// The attributes byte's bits 2-3 hold 3 when they name no resolution.
constexpr int kNoSuchLevel = 3;

const char* planeName(int plane)
{
    switch (plane) {
    case 0: return "luma";
    case 1: return "C1";
    default: return "C2";
    }
}

std::string describe(const SectionProblem& problem)
{
    const std::string row = std::string(planeName(problem.plane)) + " row " + std::to_string(problem.row);
    switch (problem.fault) {
    case SectionFault::CutOff: return "the pac ends inside it (at " + row + ")";
    case SectionFault::CodeTooLong: return "a Huffman table holds a code longer than 16 bits";
    case SectionFault::NoSync: return "no sync mark before the end of the pac";
    case SectionFault::NoSuchPlane: return "the header of row " + std::to_string(problem.row) + " names no plane";
    case SectionFault::RowOutOfRange: return "a row header names " + row + ", beyond the picture";
    case SectionFault::RowRepeated: return row + " comes twice";
    case SectionFault::UnknownCode: return "bits in " + row + " begin no code of its table";
    case SectionFault::RowTooLong: return row + " runs past its width (a sync mark is missing)";
    case SectionFault::RowTooShort: return row + " ends before its width";
    case SectionFault::RowMissing: return row + " is missing";
    }
    return "damaged";
}

}  // namespace

const char* photoCdLevelName(int level)
{
    switch (level) {
    case kBaseLevel: return "Base";
    case kFourBaseLevel: return "4Base";
    default: return "16Base";
    }
}

PhotoCdDecode decodePhotoCd(std::span<const uint8_t> pac, int highestLevel)
{
    PhotoCdDecode decode;
    if (!hasImagePacSignature(pac))
        return decode;  // no pac: nothing was left out
    decode.picture = readBasePlanes(pac);
    if (!decode.picture) {
        decode.stop = "no picture: the pac ends inside the Base";
        return decode;
    }
    const uint8_t attributes = pac[kImagePacAttributesOffset];
    decode.turn = turnOfAttributes(attributes);
    const int stored = (attributes >> 2) & 0x3;
    const int highest = std::min(highestLevel, stored == kNoSuchLevel ? kSixteenBaseLevel : stored);

    size_t sector = kFourBaseSector;
    for (int level = kFourBaseLevel; level <= highest; ++level) {
        const char* name = photoCdLevelName(level);
        if (sector * kSectorBytes >= pac.size()) {
            decode.stop = std::string(name) + " left out: its section would begin past the end of the pac";
            break;
        }
        SectionResult section =
            decodeSection(pac.subspan(sector * kSectorBytes), *decode.picture, level == kSixteenBaseLevel);
        if (section.problem) {
            decode.stop = std::string(name) + " left out: " + describe(*section.problem);
            break;
        }
        decode.picture = std::move(section.picture);
        decode.level = level;
        sector += (section.bytesRead + kSectorBytes - 1) / kSectorBytes + kSectorsBeforeSixteenBase;
    }
    return decode;
}

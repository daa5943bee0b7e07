#include "engine/photocd_huffman.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int kLongestCode = 16;

// The section's bits through a 32-bit window, as ImageMagick's reader sees
// them: the window starts on 32 zero bits before the first byte, and bytes
// past the end read as zeros, so that nothing outside the section is ever
// touched. overran() tells when a reader would have needed them.
class SectionBits {
public:
    explicit SectionBits(std::span<const uint8_t> bytes) : bytes_(bytes) { refillByBytes(); }

    uint32_t window() const { return static_cast<uint32_t>(buffer_ >> 32); }

    // Moves the window on by 1 to 32 bits.
    void skip(int count)
    {
        buffer_ <<= count;
        held_ -= count;
        position_ += count;
        if (held_ < 32)
            refill();
    }

    // The top 8 bits of the next byte-sized step, for the tables.
    uint8_t nextByte()
    {
        skip(8);
        return static_cast<uint8_t>(window() & 0xFF);
    }

    // ImageMagick's reader keeps at least 25 bits of the stream loaded
    // beyond its position; true once that takes bytes past the end, and from
    // then on the window holds zeros where a reader would have read data.
    bool overran() const { return position_ + 25 > static_cast<int64_t>(bytes_.size()) * 8; }

    // The bytes such a reader has loaded so far.
    size_t bytesRead() const
    {
        const int64_t loaded = (position_ + 25 + 7) / 8;
        return static_cast<size_t>(std::clamp<int64_t>(loaded, 0, static_cast<int64_t>(bytes_.size())));
    }

private:
    void refill()
    {
        if (next_ + 4 <= bytes_.size()) {
            const uint32_t word = (uint32_t{bytes_[next_]} << 24) | (uint32_t{bytes_[next_ + 1]} << 16) |
                                  (uint32_t{bytes_[next_ + 2]} << 8) | bytes_[next_ + 3];
            buffer_ |= uint64_t{word} << (32 - held_);
            held_ += 32;
            next_ += 4;
            return;
        }
        refillByBytes();
    }

    void refillByBytes()
    {
        while (held_ <= 56) {
            const uint8_t byte = next_ < bytes_.size() ? bytes_[next_] : 0;
            buffer_ |= uint64_t{byte} << (56 - held_);
            held_ += 8;
            ++next_;
        }
    }

    std::span<const uint8_t> bytes_;
    uint64_t buffer_ = 0;     // the bits from the window's start on, at the top
    int held_ = 32;           // how many bits of buffer_ are the stream's (the first 32 are the zeros)
    size_t next_ = 0;         // the next byte to load
    int64_t position_ = -32;  // the window's start in bits from the section's first byte
};

bool isSync(uint32_t window)
{
    return (window & 0xFFFFFF00u) == 0xFFFFFE00u;
}

constexpr int kQuickBits = 12;

// Indexed by the next 16 bits of the stream: the length of the code they
// begin in the high byte, its residual in the low one; 0 where no code fits.
// quick answers from the next 12 bits alone wherever they settle the code,
// which is nearly always: a table that small stays in the fastest cache.
struct HuffmanTable {
    std::vector<uint16_t> lookup;
    std::vector<uint16_t> quick;

    uint16_t codeAt(uint32_t window) const
    {
        const uint16_t code = quick[window >> (32 - kQuickBits)];
        return code != 0 ? code : lookup[window >> (32 - kLongestCode)];
    }
};

std::optional<SectionFault> readTable(SectionBits& bits, HuffmanTable& table)
{
    struct Code {
        int length;
        uint16_t pattern;
        uint8_t residual;
    };
    std::array<Code, 256> codes{};
    const int count = bits.nextByte() + 1;
    for (int i = 0; i < count; ++i) {
        codes[i].length = bits.nextByte() + 1;
        if (codes[i].length > kLongestCode)
            return SectionFault::CodeTooLong;
        codes[i].pattern = static_cast<uint16_t>(bits.nextByte() << 8);
        codes[i].pattern = static_cast<uint16_t>(codes[i].pattern | bits.nextByte());
        codes[i].residual = bits.nextByte();
    }
    if (bits.overran())
        return SectionFault::CutOff;
    // From the last code to the first, so that where codes overlap the
    // first one in the table ends up in the lookup.
    table.lookup.assign(size_t{1} << kLongestCode, 0);
    for (int i = count - 1; i >= 0; --i) {
        const Code& code = codes[i];
        const unsigned span = 1u << (kLongestCode - code.length);
        if ((code.pattern & (span - 1)) != 0)
            continue;  // bits set beyond the code's length: it never matches
        std::fill_n(table.lookup.begin() + code.pattern, span, static_cast<uint16_t>(code.length << 8 | code.residual));
    }
    // A 12-bit prefix settles the code when all 16-bit words that begin with
    // it decode alike to a code no longer than 12 bits.
    constexpr size_t kWordsPerPrefix = size_t{1} << (kLongestCode - kQuickBits);
    table.quick.assign(size_t{1} << kQuickBits, 0);
    for (size_t prefix = 0; prefix < table.quick.size(); ++prefix) {
        const auto words = table.lookup.begin() + static_cast<ptrdiff_t>(prefix * kWordsPerPrefix);
        const uint16_t first = *words;
        if ((first >> 8) <= kQuickBits &&
            std::all_of(words, words + kWordsPerPrefix, [&](uint16_t w) { return w == first; }))
            table.quick[prefix] = first;
    }
    return std::nullopt;
}

// Moves on to the next sync mark the way ImageMagick looks for it: byte by
// byte to twelve one bits, then bit by bit to the mark.
bool skipToSync(SectionBits& bits)
{
    while (!bits.overran() && (bits.window() & 0x00FFF000u) != 0x00FFF000u)
        bits.skip(8);
    while (!bits.overran() && !isSync(bits.window()))
        bits.skip(1);
    return !bits.overran();
}

uint8_t withResidual(uint8_t sample, uint16_t code)
{
    return static_cast<uint8_t>(std::clamp(sample + static_cast<int8_t>(code & 0xFF), 0, 255));
}

class SectionReader {
public:
    SectionReader(std::span<const uint8_t> section, YccPicture& picture, bool withChroma)
        : bits_(section), planes_{&picture.luma, &picture.c1, &picture.c2}, withChroma_(withChroma),
          endMark_(picture.height())
    {
        for (int plane = 0; plane < (withChroma ? 3 : 1); ++plane)
            seen_[plane].assign(static_cast<size_t>(planes_[plane]->height), false);
    }

    SectionResult read()
    {
        std::optional<SectionProblem> problem = readAll();
        return {problem, bits_.bytesRead()};
    }

private:
    std::optional<SectionProblem> readAll()
    {
        for (int plane = 0; plane < (withChroma_ ? 3 : 1); ++plane) {
            if (std::optional<SectionFault> fault = readTable(bits_, tables_[plane]))
                return SectionProblem{*fault, plane, 0};
        }
        bits_.skip(16);
        bits_.skip(16);
        if (!skipToSync(bits_))
            return SectionProblem{SectionFault::NoSync, 0, 0};
        // Each turn starts at a sync mark.
        for (;;) {
            bits_.skip(16);
            if (bits_.overran())
                return SectionProblem{SectionFault::CutOff, plane_, row_};
            const int number = static_cast<int>((bits_.window() >> 9) & 0x1FFF);
            if (number == endMark_)
                return missingRow();
            bits_.skip(8);
            const uint32_t planeBits = bits_.window() >> 30;
            bits_.skip(16);
            if (planeBits == 1)
                return SectionProblem{SectionFault::NoSuchPlane, 0, number};
            plane_ = planeBits == 0 ? 0 : static_cast<int>(planeBits) - 1;
            row_ = plane_ == 0 ? number : number >> 1;
            if (plane_ > 0 && !withChroma_) {
                if (!skipToSync(bits_))
                    return SectionProblem{SectionFault::CutOff, plane_, row_};
                continue;
            }
            if (number > endMark_)
                return SectionProblem{SectionFault::RowOutOfRange, plane_, row_};
            if (seen_[plane_][static_cast<size_t>(row_)])
                return SectionProblem{SectionFault::RowRepeated, plane_, row_};
            seen_[plane_][static_cast<size_t>(row_)] = true;
            if (std::optional<SectionFault> fault = readRow())
                return SectionProblem{*fault, plane_, row_};
        }
    }

    // The residuals of the current row, up to the next sync mark.
    std::optional<SectionFault> readRow()
    {
        YccPlane& plane = *planes_[plane_];
        uint8_t* sample = plane.row(row_);
        int left = plane.width;
        const HuffmanTable& table = tables_[plane_];
        for (;;) {
            const uint32_t window = bits_.window();
            if (isSync(window))
                break;
            const uint16_t code = table.codeAt(window);
            // Past the end the window holds zeros, which may well decode;
            // the row's width bounds them.
            if (code == 0 || left == 0)
                return bits_.overran() ? SectionFault::CutOff
                                       : (code == 0 ? SectionFault::UnknownCode : SectionFault::RowTooLong);
            *sample = withResidual(*sample, code);
            ++sample;
            --left;
            bits_.skip(code >> 8);
        }
        if (bits_.overran())
            return SectionFault::CutOff;
        if (left != 0)
            return SectionFault::RowTooShort;
        return std::nullopt;
    }

    // At the end mark: the first row that never came, if any.
    std::optional<SectionProblem> missingRow() const
    {
        for (int plane = 0; plane < (withChroma_ ? 3 : 1); ++plane) {
            const auto first = std::find(seen_[plane].begin(), seen_[plane].end(), false);
            if (first != seen_[plane].end())
                return SectionProblem{SectionFault::RowMissing, plane, static_cast<int>(first - seen_[plane].begin())};
        }
        return std::nullopt;
    }

    SectionBits bits_;
    std::array<YccPlane*, 3> planes_;
    bool withChroma_;
    int endMark_;
    std::array<HuffmanTable, 3> tables_;
    std::array<std::vector<bool>, 3> seen_;
    int plane_ = 0;
    int row_ = 0;
};

}  // namespace

SectionResult addResiduals(std::span<const uint8_t> section, YccPicture& picture, bool withChroma)
{
    return SectionReader(section, picture, withChroma).read();
}

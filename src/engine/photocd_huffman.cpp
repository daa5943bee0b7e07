#include "engine/photocd_huffman.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>
#include <utility>
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

    // The window on bit startBit of the bytes.
    SectionBits(std::span<const uint8_t> bytes, int64_t startBit)
        : bytes_(bytes), held_(0), next_(static_cast<size_t>(startBit / 8)), position_(startBit - startBit % 8)
    {
        refillByBytes();
        skip(static_cast<int>(startBit % 8));
    }

    // The window's start in bits from the section's first byte.
    int64_t position() const { return position_; }

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

// A code as the tables give it: its length in the high byte, its residual
// in the low one; 0 for none.
using Code = uint16_t;

int lengthOf(Code code)
{
    return code >> 8;
}

// The decoding tables of one Huffman table, each indexed by the next bits of
// the stream. lookup answers from 16 bits. quick answers from 12 wherever
// they settle the code, which is nearly always, and pairs gives two codes at
// once where 12 bits hold both: both tables are small enough to stay in the
// fastest cache.
struct HuffmanTable {
    std::vector<Code> lookup;
    std::vector<Code> quick;
    // The first residual in bits 0-7, the second in 8-15, the length of both
    // in 24-31; 0 where 12 bits do not settle two codes.
    std::vector<uint32_t> pairs;

    Code codeAt(uint32_t window) const
    {
        const Code code = quick[window >> (32 - kQuickBits)];
        return code != 0 ? code : lookup[window >> (32 - kLongestCode)];
    }
};

// settled[k][prefix]: the code that the k bits of prefix settle, whatever
// follows them; 0 where they do not. k runs from 0 to kQuickBits.
using SettledCodes = std::array<std::vector<Code>, kQuickBits + 1>;

SettledCodes settledCodes(const std::vector<Code>& lookup)
{
    SettledCodes settled;
    // 12 bits settle a code when all 16-bit words that begin with them
    // decode alike, to a code no longer than 12 bits.
    constexpr size_t kWordsPerPrefix = size_t{1} << (kLongestCode - kQuickBits);
    settled[kQuickBits].assign(size_t{1} << kQuickBits, 0);
    for (size_t prefix = 0; prefix < settled[kQuickBits].size(); ++prefix) {
        const auto words = lookup.begin() + static_cast<ptrdiff_t>(prefix * kWordsPerPrefix);
        if (lengthOf(*words) <= kQuickBits &&
            std::all_of(words, words + kWordsPerPrefix, [&](Code w) { return w == *words; }))
            settled[kQuickBits][prefix] = *words;
    }
    // Fewer bits settle a code when both ways on settle it, within them.
    for (int bits = kQuickBits - 1; bits >= 0; --bits) {
        const std::vector<Code>& longer = settled[bits + 1];
        settled[bits].assign(size_t{1} << bits, 0);
        for (size_t prefix = 0; prefix < settled[bits].size(); ++prefix) {
            const Code code = longer[2 * prefix];
            if (code != 0 && code == longer[2 * prefix + 1] && lengthOf(code) <= bits)
                settled[bits][prefix] = code;
        }
    }
    return settled;
}

std::vector<uint32_t> pairsOf(const SettledCodes& settled)
{
    std::vector<uint32_t> pairs(size_t{1} << kQuickBits, 0);
    for (size_t prefix = 0; prefix < pairs.size(); ++prefix) {
        const Code first = settled[kQuickBits][prefix];
        if (first == 0)
            continue;
        const int rest = kQuickBits - lengthOf(first);
        const Code second = settled[rest][prefix & ((size_t{1} << rest) - 1)];
        if (second != 0)
            pairs[prefix] = (first & 0xFFu) | (second & 0xFFu) << 8 |
                            static_cast<uint32_t>(lengthOf(first) + lengthOf(second)) << 24;
    }
    return pairs;
}

std::optional<SectionFault> readTable(SectionBits& bits, HuffmanTable& table)
{
    struct Entry {
        int length;
        uint16_t pattern;
        uint8_t residual;
    };
    std::array<Entry, 256> entries{};
    const int count = bits.nextByte() + 1;
    for (int i = 0; i < count; ++i) {
        entries[i].length = bits.nextByte() + 1;
        if (entries[i].length > kLongestCode)
            return SectionFault::CodeTooLong;
        entries[i].pattern = static_cast<uint16_t>(bits.nextByte() << 8);
        entries[i].pattern = static_cast<uint16_t>(entries[i].pattern | bits.nextByte());
        entries[i].residual = bits.nextByte();
    }
    if (bits.overran())
        return SectionFault::CutOff;
    // From the last entry to the first, so that where codes overlap the
    // first one in the table ends up in the lookup.
    table.lookup.assign(size_t{1} << kLongestCode, 0);
    for (int i = count - 1; i >= 0; --i) {
        const Entry& entry = entries[i];
        const unsigned span = 1u << (kLongestCode - entry.length);
        if ((entry.pattern & (span - 1)) != 0)
            continue;  // bits set beyond the code's length: it never matches
        std::fill_n(table.lookup.begin() + entry.pattern, span, static_cast<Code>(entry.length << 8 | entry.residual));
    }
    const SettledCodes settled = settledCodes(table.lookup);
    table.quick = settled[kQuickBits];
    table.pairs = pairsOf(settled);
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

uint8_t withResidual(uint8_t sample, uint32_t residual)
{
    return static_cast<uint8_t>(std::clamp(sample + static_cast<int8_t>(residual & 0xFF), 0, 255));
}

// Which reader took each row of the planes that get residuals: 0 none yet.
// A row is written only by the reader that took it, so two readers never
// write the same row, whatever the bytes say.
class RowClaims {
public:
    RowClaims(const YccPicture& picture, bool withChroma)
    {
        const YccPlane* planes[3] = {&picture.luma, &picture.c1, &picture.c2};
        for (int plane = 0; plane < (withChroma ? 3 : 1); ++plane)
            rows_[plane] = std::vector<std::atomic<uint8_t>>(static_cast<size_t>(planes[plane]->height));
    }

    // True when the row was free and is now the reader's.
    bool claim(int plane, int row, uint8_t reader)
    {
        uint8_t free = 0;
        return rows_[plane][static_cast<size_t>(row)].compare_exchange_strong(free, reader);
    }

    // The first row that no reader up to lastReader took.
    std::optional<std::pair<int, int>> firstNotTaken(uint8_t lastReader = 255) const
    {
        for (int plane = 0; plane < 3; ++plane) {
            for (size_t row = 0; row < rows_[plane].size(); ++row) {
                const uint8_t owner = rows_[plane][row].load();
                if (owner == 0 || owner > lastReader)
                    return std::pair{plane, static_cast<int>(row)};
            }
        }
        return std::nullopt;
    }

    void clear()
    {
        for (auto& plane : rows_) {
            for (auto& row : plane)
                row.store(0);
        }
    }

private:
    std::array<std::vector<std::atomic<uint8_t>>, 3> rows_;
};

using Tables = std::array<HuffmanTable, 3>;

// How a reader's run of rows ended.
enum class RowsEnd {
    EndMark,  // at the sync naming the row past the last
    Problem,  // at a fault
    Reached,  // at the row header where it was to stop
    Passed,   // beyond that point without a row header there
};

struct RowsOutcome {
    RowsEnd end = RowsEnd::EndMark;
    std::optional<SectionProblem> problem;
};

// Reads rows from a sync mark on, making each row it takes from the lower
// resolution doubled, then adding its residuals.
class RowReader {
public:
    RowReader(const SectionBits& bits, const Tables& tables, const YccPicture& lower, YccPicture& picture,
              bool withChroma, RowClaims& claims, uint8_t self)
        : bits_(bits),
          tables_(tables), lower_{&lower.luma, &lower.c1, &lower.c2}, planes_{&picture.luma, &picture.c1, &picture.c2},
          withChroma_(withChroma), endMark_(picture.height()), claims_(claims), self_(self)
    {
    }

    // Up to the end mark, the first fault, or the row header at bit stopAt.
    RowsOutcome read(std::optional<int64_t> stopAt)
    {
        for (;;) {
            if (stopAt && bits_.position() >= *stopAt)
                return {bits_.position() == *stopAt ? RowsEnd::Reached : RowsEnd::Passed, std::nullopt};
            bits_.skip(16);
            if (bits_.overran())
                return problem(SectionFault::CutOff, plane_, row_);
            const int number = static_cast<int>((bits_.window() >> 9) & 0x1FFF);
            if (number == endMark_)
                return {RowsEnd::EndMark, std::nullopt};
            bits_.skip(8);
            const uint32_t planeBits = bits_.window() >> 30;
            bits_.skip(16);
            if (planeBits == 1)
                return problem(SectionFault::NoSuchPlane, 0, number);
            plane_ = planeBits == 0 ? 0 : static_cast<int>(planeBits) - 1;
            row_ = plane_ == 0 ? number : number >> 1;
            if (plane_ > 0 && !withChroma_) {
                if (!skipToSync(bits_))
                    return problem(SectionFault::CutOff, plane_, row_);
                continue;
            }
            if (number > endMark_)
                return problem(SectionFault::RowOutOfRange, plane_, row_);
            if (!claims_.claim(plane_, row_, self_))
                return problem(SectionFault::RowRepeated, plane_, row_);
            doubledRow(*lower_[plane_], row_, planes_[plane_]->row(row_));
            if (std::optional<SectionFault> fault = readRow())
                return problem(*fault, plane_, row_);
        }
    }

    size_t bytesRead() const { return bits_.bytesRead(); }

private:
    static RowsOutcome problem(SectionFault fault, int plane, int row)
    {
        return {RowsEnd::Problem, SectionProblem{fault, plane, row}};
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
            // Two codes at once where they fit. A sync mark can follow only
            // the last code of a row, so none can hide between the two.
            if (left >= 2) {
                if (const uint32_t pair = table.pairs[window >> (32 - kQuickBits)]) {
                    sample[0] = withResidual(sample[0], pair);
                    sample[1] = withResidual(sample[1], pair >> 8);
                    sample += 2;
                    left -= 2;
                    bits_.skip(static_cast<int>(pair >> 24));
                    continue;
                }
            }
            const Code code = table.codeAt(window);
            // Past the end the window holds zeros, which may well decode;
            // the row's width bounds them.
            if (code == 0 || left == 0)
                return bits_.overran() ? SectionFault::CutOff
                                       : (code == 0 ? SectionFault::UnknownCode : SectionFault::RowTooLong);
            *sample = withResidual(*sample, code);
            ++sample;
            --left;
            bits_.skip(lengthOf(code));
        }
        if (bits_.overran())
            return SectionFault::CutOff;
        if (left != 0)
            return SectionFault::RowTooShort;
        return std::nullopt;
    }

    SectionBits bits_;
    const Tables& tables_;
    std::array<const YccPlane*, 3> lower_;
    std::array<YccPlane*, 3> planes_;
    bool withChroma_;
    int endMark_;
    RowClaims& claims_;
    uint8_t self_;
    int plane_ = 0;
    int row_ = 0;
};

// Below this many bytes a second thread costs more than it saves.
constexpr size_t kSmallestSplitSection = 8192;
// The pieces a 16Base section is cut into for two threads: rows cost
// unevenly (luma codes are short, chroma codes long), so more pieces than
// threads keep both busy to the end.
constexpr size_t kPieces = 8;
constexpr int kSyncOnes = 23;

bool bitAt(std::span<const uint8_t> bytes, size_t bit)
{
    return (bytes[bit / 8] >> (7 - bit % 8)) & 1;
}

// A sync mark (23 one bits and a zero) at or after byte from; its bit.
std::optional<int64_t> syncAfter(std::span<const uint8_t> bytes, size_t from)
{
    for (size_t i = from; i + 2 < bytes.size(); ++i) {
        if (bytes[i] != 0xFF || bytes[i + 1] != 0xFF)
            continue;
        // The run of ones through these 16 bits, and the zero after it.
        size_t zero = 8 * (i + 2);
        while (zero < 8 * bytes.size() && bitAt(bytes, zero))
            ++zero;
        if (zero == 8 * bytes.size())
            return std::nullopt;
        size_t begin = 8 * i;
        while (begin > 0 && zero - begin < kSyncOnes && bitAt(bytes, begin - 1))
            --begin;
        if (zero - begin >= kSyncOnes)
            return static_cast<int64_t>(zero - kSyncOnes);
        i = zero / 8;
    }
    return std::nullopt;
}

// The bytes a 16Base section took when its pieces, read by two threads,
// make it whole; nullopt otherwise (also when it is too small to share).
std::optional<size_t> readInPieces(std::span<const uint8_t> section, const SectionBits& first, const Tables& tables,
                                   const YccPicture& lower, YccPicture& picture, RowClaims& claims)
{
    const size_t from = static_cast<size_t>(first.position() / 8);
    if (section.size() - from < kSmallestSplitSection)
        return std::nullopt;
    std::vector<int64_t> starts = {first.position()};
    for (size_t piece = 1; piece < kPieces; ++piece) {
        const std::optional<int64_t> mark = syncAfter(section, from + (section.size() - from) * piece / kPieces);
        if (mark && *mark > starts.back())
            starts.push_back(*mark);
    }
    if (starts.size() < 2)
        return std::nullopt;
    std::vector<RowsOutcome> outcomes(starts.size());
    std::vector<size_t> bytesRead(starts.size());
    std::atomic<size_t> next{0};
    auto readPieces = [&] {
        for (size_t piece; (piece = next++) < starts.size();) {
            RowReader reader(piece == 0 ? first : SectionBits(section, starts[piece]), tables, lower, picture, true,
                             claims, static_cast<uint8_t>(piece + 1));
            outcomes[piece] = reader.read(piece + 1 < starts.size() ? std::optional(starts[piece + 1]) : std::nullopt);
            bytesRead[piece] = reader.bytesRead();
        }
    };
    std::thread helper(readPieces);
    readPieces();
    helper.join();
    for (size_t piece = 0; piece < starts.size(); ++piece) {
        if (outcomes[piece].end == RowsEnd::EndMark) {
            if (claims.firstNotTaken(static_cast<uint8_t>(piece + 1)))
                return std::nullopt;
            return bytesRead[piece];
        }
        if (outcomes[piece].end != RowsEnd::Reached)
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

SectionResult decodeSection(std::span<const uint8_t> section, const YccPicture& lower, bool sixteenBase)
{
    SectionResult result;
    YccPicture picture{blankPlane(2 * lower.luma.width, 2 * lower.luma.height),
                       sixteenBase ? blankPlane(2 * lower.c1.width, 2 * lower.c1.height) : doubled(lower.c1),
                       sixteenBase ? blankPlane(2 * lower.c2.width, 2 * lower.c2.height) : doubled(lower.c2)};
    SectionBits bits(section);
    Tables tables;
    for (int plane = 0; plane < (sixteenBase ? 3 : 1); ++plane) {
        if (std::optional<SectionFault> fault = readTable(bits, tables[plane])) {
            result.problem = SectionProblem{*fault, plane, 0};
            return result;
        }
    }
    bits.skip(16);
    bits.skip(16);
    if (!skipToSync(bits)) {
        result.problem = SectionProblem{SectionFault::NoSync, 0, 0};
        return result;
    }
    RowClaims claims(picture, sixteenBase);
    // 16Base runs to the end of the pac: its bytes are cut into pieces at
    // sync marks found evenly through them, and two threads read the pieces
    // as they come. A mark found that way could lie inside a row's codes;
    // the reading counts only when each piece arrives exactly at the next
    // one's mark, up to the piece that reaches the end of the section, and
    // those pieces took every row. Anything else is read again in one go, as
    // it comes, so that a damaged section says what a single reader says.
    if (sixteenBase) {
        if (std::optional<size_t> bytesRead = readInPieces(section, bits, tables, lower, picture, claims)) {
            result.bytesRead = *bytesRead;
            result.picture = std::move(picture);
            return result;
        }
        claims.clear();
    }
    RowReader reader(bits, tables, lower, picture, sixteenBase, claims, 1);
    const RowsOutcome outcome = reader.read(std::nullopt);
    result.bytesRead = reader.bytesRead();
    if (outcome.problem) {
        result.problem = outcome.problem;
        return result;
    }
    if (const std::optional<std::pair<int, int>> missing = claims.firstNotTaken()) {
        result.problem = SectionProblem{SectionFault::RowMissing, missing->first, missing->second};
        return result;
    }
    result.picture = std::move(picture);
    return result;
}

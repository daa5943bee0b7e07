#pragma once

// The Huffman-coded residual section of 4Base or 16Base, added onto the
// planes doubled from the resolution below.
//
// A section is a bit stream read through a 32-bit window, most significant
// bit first. It opens with its Huffman tables (one at 4Base for luma; three
// at 16Base: luma, C1, C2), byte by byte: the number of codes less one, then
// four bytes a code: its length in bits less one, its bits left-aligned in
// 16, and the residual as a signed byte. Where codes overlap, the first in
// the table wins. Rows follow from the first sync mark on: 23 one bits and
// a zero, the plane (2 bits: 0 luma, 2 C1, 3 C2), the row number (13 bits;
// a chroma row carries the number of the first luma row it covers) and one
// more bit. Then the row's codes, one residual each, added to the sample and
// clamped to 0..255, up to the next sync. A sync naming the row just past the
// last ends the section.
//
// The bytes and bits are read as ImageMagick's reader takes them, so that
// where a section ends in whole 2048-byte sectors (the next section starts 12
// sectors after that) comes out the same. Chroma rows in a 4Base section,
// which has no table for them, are passed over up to the next sync mark, as
// ImageMagick does.
//
// Unlike ImageMagick, nothing is read or written outside the bytes and the
// planes: a section is decoded only when every row of it is sound and there
// once, and says otherwise why not.
//
// Speed. Codes are looked up on the next bits, two at once where 12 bits
// hold both; each row is doubled from the lower resolution when its header
// comes; and a 16Base section is read by two threads, in pieces cut at sync
// marks (src/engine/photocd_huffman.cpp says how a wrong cut is caught).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/photocd_ycc.h"

enum class SectionFault {
    CutOff,         // the bytes end before the section does
    CodeTooLong,    // a table holds a code longer than 16 bits
    NoSync,         // no sync mark between the tables and the end of the bytes
    NoSuchPlane,    // a row header names plane 1
    RowOutOfRange,  // a row number beyond the plane
    RowRepeated,    // a row given twice
    UnknownCode,    // bits that begin no code of the table
    RowTooLong,     // more residuals than the row has samples: a sync mark missing
    RowTooShort,    // fewer residuals than the row has samples
    RowMissing,     // the section ended without this row
};

// Why a section did not decode, and where.
struct SectionProblem {
    SectionFault fault = SectionFault::CutOff;
    int plane = 0;  // 0 luma, 1 C1, 2 C2
    int row = 0;    // in the plane's own rows; for NoSuchPlane the number in the header
};

struct SectionResult {
    std::optional<SectionProblem> problem;  // none when every row of every plane decoded
    // The bytes the section took, counted as ImageMagick's reader counts
    // them: what comes after starts in the sector after the last one touched.
    size_t bytesRead = 0;
    // The resolution the section makes, when it decoded whole.
    YccPicture picture;
};

// The next resolution above lower: its planes doubled, each row with the
// residuals of its row in the section. Three tables and chroma rows for
// 16Base; one table and luma rows only for 4Base, whose chroma is lower's
// doubled.
SectionResult decodeSection(std::span<const uint8_t> section, const YccPicture& lower, bool sixteenBase);

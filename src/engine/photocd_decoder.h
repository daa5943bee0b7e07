#pragma once

// The built-in PhotoCD decoder: every resolution an image pac stores, from
// its bytes in memory, without any outside program.
//
// The Base is read as stored (src/engine/photocd_base.h). 4Base and 16Base
// each double the planes of the resolution below and add the residuals of
// their section (src/engine/photocd_huffman.h): 4Base luma only, its chroma
// stays the doubled Base chroma; 16Base luma and both chroma planes. The
// 4Base section starts at sector 388, four sectors after the Base; the
// 16Base section 12 sectors after the last sector the 4Base section takes.
// The finished picture is converted and turned as src/engine/photocd_ycc.h
// describes, so it looks like what ImageMagick's convert gives, but with the
// 16Base chroma the pac stores, which Debian's convert refuses to read.
//
// A resolution counts only when its section decoded whole; a damaged or cut
// off pac gives the highest one that did.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/photocd_ycc.h"

// PhotoCD levels as the attributes byte counts them.
inline constexpr int kBaseLevel = 0;
inline constexpr int kFourBaseLevel = 1;
inline constexpr int kSixteenBaseLevel = 2;

struct PhotoCdDecode {
    // The highest resolution that decoded whole, as stored (not yet turned);
    // nullopt when the bytes hold no usable Base.
    std::optional<YccPicture> picture;
    int level = kBaseLevel;
    PacTurn turn = PacTurn::None;
    // Why no higher resolution came out although the pac claims one ("16Base
    // left out: ..."), or why a pac gives no picture ("no picture: ...");
    // empty otherwise, also for bytes that are no image pac at all.
    std::string stop;
};

// "Base", "4Base" or "16Base".
const char* photoCdLevelName(int level);

// Decodes the pac up to its highest stored resolution, or up to
// highestLevel when that is lower. An attributes byte that names no
// resolution lets every level be tried. Nothing outside the bytes is read.
PhotoCdDecode decodePhotoCd(std::span<const uint8_t> pac, int highestLevel = kSixteenBaseLevel);

#pragma once

// The Base (768x512) of a Kodak PhotoCD image pac: the resolution every pac
// holds uncompressed, and on which 4Base and 16Base build.
//
// Where it lies. An image pac is a run of 2048-byte sectors. Sector 1 begins
// with the signature "PCD_IPI" (byte 2048); byte 0xE02 is the image pack
// attributes byte: bits 0-1 the rotation, bits 2-3 the highest resolution
// stored. Base/16 and Base/4 follow the header, and the Base fills sectors 96
// to 383 (bytes 0x30000 to 0xC0000); 4Base and 16Base, when there, come
// after it Huffman-coded (src/engine/photocd_huffman.h).
//
// How it is stored. PhotoYCC, one byte a sample, chroma at half the width and
// half the height (4:2:0). The 256 row pairs follow each other without gaps,
// top first, 2304 bytes each: luma of the even row (768 bytes), luma of the
// odd row (768), then C1 (384) and C2 (384) for both rows. A chroma sample
// sits on the even pixel of the even row it covers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/photocd_ycc.h"

// The offset of the image pack attributes byte.
inline constexpr size_t kImagePacAttributesOffset = 0xE02;
// The bytes an image pac must hold for its whole Base picture.
inline constexpr size_t kPhotoCdBaseEnd = 384 * 2048;

// True when the bytes begin with an image pac header.
bool hasImagePacSignature(std::span<const uint8_t> pac);

// The Base planes as stored; nullopt unless the bytes are an image pac
// holding the whole Base. Nothing past the end of the bytes is read.
std::optional<YccPicture> readBasePlanes(std::span<const uint8_t> pac);

#pragma once

// The Base picture (768x512) of a Kodak PhotoCD image pac, decoded without
// any outside program: the picture a conversion still gets when convert is
// missing, hangs, crashes or has nowhere to write.
//
// Where it lies. An image pac is a run of 2048-byte sectors. Sector 1 begins
// with the signature "PCD_IPI" (byte 2048); byte 0xE02 is the image pack
// attributes byte: bits 0-1 the rotation, bits 2-3 the highest resolution
// stored. Base/16 and Base/4 follow the header, and the Base fills sectors 96
// to 383 (bytes 0x30000 to 0xC0000) uncompressed; 4Base and 16Base, when
// there, come after it Huffman-coded and are not needed here.
//
// How it is stored. PhotoYCC, one byte a sample, chroma at half the width and
// half the height (4:2:0). The 256 row pairs follow each other without gaps,
// top first, 2304 bytes each: luma of the even row (768 bytes), luma of the
// odd row (768), then C1 (384) and C2 (384) for both rows. A chroma sample
// sits on the even pixel of the even row it covers.
//
// The colours. Kodak's PhotoYCC inverse, with luma scaled by 1.3584 and the
// chroma zeros at 156 (C1) and 137 (C2):
//     L = 1.3584 Y,  R = L + 1.8215 (C2 - 137),  B = L + 2.2179 (C1 - 156),
//     G = L - 0.194 * 2.2179 (C1 - 156) - 0.509 * 1.8215 (C2 - 137).
// The result spans 0 to 1.3584 * 255; ImageMagick's `-colorspace sRGB`
// brings that range down to 0..255 linearly, by 1024 / 1388, with no gamma
// step, and so does this decoder: the fallback looks like what convert gives.
//
// Rotation. The picture is stored as scanned; bits 0-1 of the attributes
// byte say how far to turn it to stand upright: 0 not, 1 a quarter turn
// counter-clockwise, 2 a half turn, 3 a quarter turn clockwise. A portrait
// comes out upright, as ImageMagick gives it. (ImageMagick 6.9 leaves a pac
// marked for a half turn as stored.)

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The offset of the image pack attributes byte.
inline constexpr size_t kImagePacAttributesOffset = 0xE02;
// The bytes an image pac must hold for its whole Base picture.
inline constexpr size_t kPhotoCdBaseEnd = 384 * 2048;

struct RgbPicture {
    int width = 0;
    int height = 0;
    // Rows top first, three bytes a pixel: red, green, blue.
    std::vector<uint8_t> pixels;
};

// True when the bytes begin with an image pac header.
bool hasImagePacSignature(std::span<const uint8_t> pac);

// The Base picture, upright, in sRGB; nullopt unless the bytes are an image
// pac holding the whole Base. Nothing past the end of the bytes is read.
std::optional<RgbPicture> decodePhotoCdBase(std::span<const uint8_t> pac);

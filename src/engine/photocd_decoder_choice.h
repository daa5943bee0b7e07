#pragma once

// Which decoder makes the picture of a pac: ImageMagick's convert (with the
// built-in decoder when convert gives nothing), or the built-in decoder
// alone (src/engine/photocd_decoder.h), which writes no temporary picture.
enum class PhotoCdDecoder { Convert, BuiltIn };

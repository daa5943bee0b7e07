#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/photocd_ycc.h"
#include "picture/picture_handle.h"
#include "platform/process.h"

// The highest resolution an image pac stores, read from its header: 0 Base,
// 1 4Base, 2 16Base. nullopt when the bytes carry no image pac header.
std::optional<int> photoCdLevelFromHeader(const uint8_t* data, size_t size);
// The same for a file, never more than its size can hold: a pac too short for
// 4Base is Base, also when its attributes byte is damaged.
std::optional<int> storedPhotoCdLevel(const std::string& path);
// The turn that stands the picture of an image pac file upright; nullopt
// when the file carries no image pac header.
std::optional<PacTurn> storedPhotoCdTurn(const std::string& path);

// How long one run of the outside decoder may take before it is killed.
extern int g_decoderTimeoutSeconds;

// Runs ImageMagick's convert for one subimage of inputPath into picturePath,
// a file directly inside workFolder. convert runs in workFolder, and the
// input reaches it through a link there, so that no character of the user's
// file name or of any folder can pick a coder, an option, a glob or a
// placeholder.
//
// The picture is written as binary PPM, not Targa: ImageMagick 6 stores its
// Targa rows top first while the header says bottom first, and FreeImage,
// reading the header as written, would turn every picture upside down. PPM
// has a single row order.
//
// Tells how the run ended: TimedOut when convert was killed at the limit,
// NotStarted with the reason when it could not be started.
ProgramEnd extractSubimage(const std::string& inputPath, int index, const std::string& picturePath,
                           const std::string& workFolder);

// The picture convert left at picturePath when it loads; nullptr when there
// is none or it ends before its last pixel.
FIBITMAP* loadExtractedPicture(const std::string& picturePath);

// ImageMagick 6 turns only the pacs marked for a quarter turn; a picture
// convert made of a pac marked for a half turn is turned here, so that it
// stands as the built-in decoder's does.
void turnAsTheBuiltInDecoderDoes(FIBITMAP* picture, const std::string& inputPath);

struct BuiltInPicture {
    BitmapHandle picture;  // upright, 24 bits a pixel; null when the input holds no usable Base
    int level = 0;         // 0 Base, 1 4Base, 2 16Base
    // Why the decoder stopped below what the pac claims to store, or why
    // there is no picture; empty otherwise.
    std::string stop;
};

// The input's highest stored resolution that decodes whole, by the built-in
// decoder (src/engine/photocd_decoder.h) from the file's bytes in memory: no
// file is written.
BuiltInPicture decodeWithBuiltInDecoder(const std::string& inputPath);

#include "engine/photocd_source.h"

#include <FreeImage.h>

#include "engine/photocd_base.h"
#include "engine/pixmap_reader.h"
#include "engine/ppm_header.h"
#include "picture/picture_handle.h"
#include "picture/picture_size.h"
#include "platform/files.h"
#include "platform/regular_file_read.h"
#include "platform/text.h"

int g_decoderTimeoutSeconds = 120;

namespace {

// The 4Base data start at sector 389, after the Base and its tables.
constexpr int64_t kFirstHigherResolutionByte = 389 * 2048 + 1;

// A picture of sane size whose file holds every pixel: FreeImage fills the
// rows of a cut-off file with black and would pass it on as a whole picture.
bool pictureIsSane(const std::string& path)
{
    const BitmapHandle header(FreeImage_Load(FIF_PPMRAW, path.c_str(), FIF_LOAD_NOPIXELS));
    if (!header)
        return false;
    const uint64_t pixels = uint64_t{FreeImage_GetWidth(header.get())} * FreeImage_GetHeight(header.get());
    const uint64_t pixelBytes = pixels * (FreeImage_GetBPP(header.get()) / 8);
    if (pixels == 0 || pixels > static_cast<uint64_t>(kLargestPicturePixels))
        return false;
    const std::optional<std::string> start = readRegularFile(path, kLongestPpmHeader);
    const std::optional<PpmHeader> ppm = start ? parsePpmHeader(*start) : std::nullopt;
    const std::optional<int64_t> size = regularFileSize(path);
    return ppm && size && static_cast<uint64_t>(*size) >= ppm->pixelOffset + pixelBytes;
}

}  // namespace

std::optional<int> photoCdLevelFromHeader(const uint8_t* data, size_t size)
{
    if (size <= kImagePacAttributesOffset || !hasImagePacSignature({data, size}))
        return std::nullopt;
    int level = (data[kImagePacAttributesOffset] >> 2) & 0x3;
    if (level > 2)
        return std::nullopt;  // no such resolution: the header is damaged
    return level;
}

std::optional<int> storedPhotoCdLevel(const std::string& path)
{
    std::optional<int64_t> size = regularFileSize(path);
    std::optional<std::string> header = readRegularFile(path, kImagePacAttributesOffset + 1);
    if (!size || !header)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uint8_t*>(header->data());
    std::optional<int> level = photoCdLevelFromHeader(bytes, header->size());
    // A header may claim more than the file holds, or name no resolution at
    // all when its attributes byte is damaged: the higher resolutions begin
    // only after the Base picture and its tables.
    if (*size < kFirstHigherResolutionByte && (level || hasImagePacSignature({bytes, header->size()})))
        return 0;
    return level;
}

ProgramEnd extractSubimage(const std::string& inputPath, int index, const std::string& picturePath,
                           const std::string& workFolder)
{
    std::string source = workFolder + "source.pcd";
    removeFile(source);
    if (WriteResult linked = createSymbolicLink(absolutePath(inputPath), source); !linked)
        return {ProgramOutcome::NotStarted, 0, 0, linked.failure};
    // convert runs inside the work folder and sees only names without a
    // folder, so no character of any path ("%d" in TMPDIR, "[" in a folder
    // name) reaches its file-name syntax. Its pixel cache on disk (a large
    // picture, or memory limits) goes there too: a convert that is killed
    // cannot remove those files itself, and the work folder goes with all in it.
    ProgramEnd end = runProgram({"convert", "-quiet", "-colorspace", "sRGB",
                                 "pcd:source.pcd[" + std::to_string(index) + "]", "ppm:" + fileNameOf(picturePath)},
                                g_decoderTimeoutSeconds, workFolder, {"MAGICK_TEMPORARY_PATH=" + workFolder});
    removeFile(source);
    return end;
}

FIBITMAP* loadExtractedPicture(const std::string& picturePath)
{
    std::optional<int64_t> size = regularFileSize(picturePath);
    if (!size || *size == 0 || !pictureIsSane(picturePath))
        return nullptr;
    // convert's kind of PPM is read directly, many times faster than
    // FreeImage's loader, which still takes every other kind.
    if (FIBITMAP* picture = readEightBitPixmap(picturePath))
        return picture;
    return FreeImage_Load(FIF_PPMRAW, picturePath.c_str(), 0);
}

FIBITMAP* decodeBasePicture(const std::string& inputPath)
{
    // Only the Base is read, and one read gives the bytes checked and decoded.
    const std::optional<std::string> pac = readRegularFile(inputPath, kPhotoCdBaseEnd);
    if (!pac)
        return nullptr;
    const std::optional<RgbPicture> base =
        decodePhotoCdBase({reinterpret_cast<const uint8_t*>(pac->data()), pac->size()});
    if (!base)
        return nullptr;
    FIBITMAP* picture =
        FreeImage_Allocate(base->width, base->height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!picture)
        return nullptr;
    const size_t rowBytes = static_cast<size_t>(base->width) * 3;
    for (int y = 0; y < base->height; ++y) {
        // FreeImage keeps the bottom row first, in its own byte order.
        BYTE* row = FreeImage_GetScanLine(picture, base->height - 1 - y);
        const uint8_t* from = &base->pixels[static_cast<size_t>(y) * rowBytes];
        for (size_t x = 0; x < rowBytes; x += 3) {
            row[x + FI_RGBA_RED] = from[x];
            row[x + FI_RGBA_GREEN] = from[x + 1];
            row[x + FI_RGBA_BLUE] = from[x + 2];
        }
    }
    return picture;
}

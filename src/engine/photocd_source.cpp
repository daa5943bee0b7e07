#include "engine/photocd_source.h"

#include <FreeImage.h>

#include "engine/photocd_base.h"
#include "engine/photocd_decoder.h"
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
// Well beyond what a 16Base pac takes (about 4 to 8 MB): a larger file is
// read only this far, and the resolutions whose sections lie beyond do not
// decode.
constexpr size_t kLargestPacBytes = size_t{32} << 20;

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

std::optional<PacTurn> storedPhotoCdTurn(const std::string& path)
{
    std::optional<std::string> header = readRegularFile(path, kImagePacAttributesOffset + 1);
    if (!header || header->size() <= kImagePacAttributesOffset ||
        !hasImagePacSignature({reinterpret_cast<const uint8_t*>(header->data()), header->size()}))
        return std::nullopt;
    return turnOfAttributes(static_cast<uint8_t>((*header)[kImagePacAttributesOffset]));
}

void turnAsTheBuiltInDecoderDoes(FIBITMAP* picture, const std::string& inputPath)
{
    if (storedPhotoCdTurn(inputPath) == PacTurn::Half) {
        FreeImage_FlipVertical(picture);
        FreeImage_FlipHorizontal(picture);
    }
}

BuiltInPicture decodeWithBuiltInDecoder(const std::string& inputPath)
{
    BuiltInPicture result;
    PhotoCdDecode decode;
    {
        // The bytes go as soon as the planes are decoded, before the picture is made.
        const std::optional<std::string> pac = readRegularFile(inputPath, kLargestPacBytes);
        if (!pac) {
            result.stop = "the input cannot be read";
            return result;
        }
        decode = decodePhotoCd({reinterpret_cast<const uint8_t*>(pac->data()), pac->size()});
    }
    result.level = decode.level;
    result.stop = std::move(decode.stop);
    if (!decode.picture)
        return result;
    const bool swapped = swapsSides(decode.turn);
    const int width = swapped ? decode.picture->height() : decode.picture->width();
    const int height = swapped ? decode.picture->width() : decode.picture->height();
    result.picture.reset(
        FreeImage_Allocate(width, height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK));
    if (!result.picture)
        return result;
    // FreeImage keeps the bottom row first, in its own byte order.
    const RgbTarget target{FreeImage_GetScanLine(result.picture.get(), height - 1),
                           -static_cast<ptrdiff_t>(FreeImage_GetPitch(result.picture.get())), FI_RGBA_RED,
                           FI_RGBA_GREEN, FI_RGBA_BLUE};
    writeUprightRgb(*decode.picture, decode.turn, target);
    return result;
}

#include "engine/photocd_source.h"

#include <FreeImage.h>

#include <cstring>

#include "engine/picture_handover.h"
#include "engine/pixmap_reader.h"
#include "engine/ppm_header.h"
#include "platform/files.h"
#include "platform/regular_file_read.h"
#include "platform/text.h"

int g_decoderTimeoutSeconds = 120;

namespace {

constexpr size_t kSignatureOffset = 2048;
constexpr char kSignature[] = "PCD_IPI";
constexpr size_t kAttributesOffset = 0xE02;
// Base fills sectors 96 to 383; the 4Base data start at sector 389.
constexpr int64_t kBaseEndByte = 384 * 2048;
constexpr int64_t kFirstHigherResolutionByte = 389 * 2048 + 1;

constexpr size_t kLongestPpmHeader = 4096;

bool hasPhotoCdSignature(const uint8_t* data, size_t size)
{
    const size_t signatureLength = sizeof(kSignature) - 1;
    return size >= kSignatureOffset + signatureLength &&
           std::memcmp(data + kSignatureOffset, kSignature, signatureLength) == 0;
}

// A picture of sane size whose file holds every pixel: FreeImage fills the
// rows of a cut-off file with black and would pass it on as a whole picture.
bool pictureIsSane(const std::string& path)
{
    FIBITMAP* header = FreeImage_Load(FIF_PPMRAW, path.c_str(), FIF_LOAD_NOPIXELS);
    if (!header)
        return false;
    const uint64_t pixels = uint64_t{FreeImage_GetWidth(header)} * FreeImage_GetHeight(header);
    const uint64_t pixelBytes = pixels * (FreeImage_GetBPP(header) / 8);
    FreeImage_Unload(header);
    if (pixels == 0 || pixels > static_cast<uint64_t>(kLargestPicturePixels))
        return false;
    const std::optional<std::string> start = readRegularFile(path, kLongestPpmHeader);
    const std::optional<size_t> pixelOffset = start ? ppmPixelOffset(*start) : std::nullopt;
    const std::optional<int64_t> size = regularFileSize(path);
    return pixelOffset && size && static_cast<uint64_t>(*size) >= *pixelOffset + pixelBytes;
}

}  // namespace

std::optional<int> photoCdLevelFromHeader(const uint8_t* data, size_t size)
{
    if (size <= kAttributesOffset || !hasPhotoCdSignature(data, size))
        return std::nullopt;
    int level = (data[kAttributesOffset] >> 2) & 0x3;
    if (level > 2)
        return std::nullopt;  // no such resolution: the header is damaged
    return level;
}

std::optional<int> storedPhotoCdLevel(const std::string& path)
{
    std::optional<int64_t> size = regularFileSize(path);
    std::optional<std::string> header = readRegularFile(path, kAttributesOffset + 1);
    if (!size || !header)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uint8_t*>(header->data());
    std::optional<int> level = photoCdLevelFromHeader(bytes, header->size());
    // A header may claim more than the file holds, or name no resolution at
    // all when its attributes byte is damaged: the higher resolutions begin
    // only after the Base picture and its tables.
    if (*size < kFirstHigherResolutionByte && (level || hasPhotoCdSignature(bytes, header->size())))
        return 0;
    return level;
}

ProgramOutcome extractSubimage(const std::string& inputPath, int index, const std::string& picturePath,
                               const std::string& workFolder)
{
    std::string source = workFolder + "source.pcd";
    removeFile(source);
    if (!createSymbolicLink(absolutePath(inputPath), source))
        return ProgramOutcome::NotStarted;
    // convert runs inside the work folder and sees only names without a
    // folder, so no character of any path ("%d" in TMPDIR, "[" in a folder
    // name) reaches its file-name syntax.
    const ProgramOutcome outcome =
        runProgram({"convert", "-quiet", "-colorspace", "sRGB", "pcd:source.pcd[" + std::to_string(index) + "]",
                    "ppm:" + fileNameOf(picturePath)},
                   g_decoderTimeoutSeconds, workFolder);
    removeFile(source);
    return outcome;
}

FIBITMAP* loadExtractedPicture(const std::string& picturePath, const std::string& inputPath)
{
    std::optional<int64_t> size = regularFileSize(picturePath);
    if (size && *size > 0 && pictureIsSane(picturePath)) {
        // convert's kind of PPM is read directly, many times faster than
        // FreeImage's loader, which still takes every other kind.
        if (FIBITMAP* picture = readEightBitPixmap(picturePath))
            return picture;
        if (FIBITMAP* picture = FreeImage_Load(FIF_PPMRAW, picturePath.c_str(), 0))
            return picture;
    }
    // A decoder that left nothing usable still leaves the Base picture. FreeImage
    // decodes any bytes at all as PhotoCD, also past the end of a cut-off file,
    // so only a real image pac that holds the whole Base gets there.
    // The attributes byte may be damaged; the signature says it is a pac.
    const std::optional<int64_t> inputSize = regularFileSize(inputPath);
    const std::optional<std::string> header = readRegularFile(inputPath, kAttributesOffset + 1);
    if (!header || !inputSize || *inputSize < kBaseEndByte ||
        !hasPhotoCdSignature(reinterpret_cast<const uint8_t*>(header->data()), header->size()))
        return nullptr;
    return FreeImage_Load(FIF_PCD, inputPath.c_str(), 0);
}

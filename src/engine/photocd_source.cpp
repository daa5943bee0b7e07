#include "engine/photocd_source.h"

#include <FreeImage.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"

int g_decoderTimeoutSeconds = 120;

namespace {

constexpr size_t kSignatureOffset = 2048;
constexpr char kSignature[] = "PCD_IPI";
constexpr size_t kAttributesOffset = 0xE02;
// Base fills sectors 96 to 383; the 4Base data start at sector 389.
constexpr int64_t kFirstHigherResolutionByte = 389 * 2048 + 1;

// Larger pictures than this are refused rather than risking all memory.
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

bool pictureIsSane(const std::string& path)
{
    FIBITMAP* header = FreeImage_Load(FIF_PPMRAW, path.c_str(), FIF_LOAD_NOPIXELS);
    if (!header)
        return false;
    uint64_t pixels = uint64_t{FreeImage_GetWidth(header)} * FreeImage_GetHeight(header);
    FreeImage_Unload(header);
    return pixels > 0 && pixels <= kMaxPixels;
}

}  // namespace

std::optional<int> photoCdLevelFromHeader(const uint8_t* data, size_t size)
{
    const size_t signatureLength = sizeof(kSignature) - 1;
    if (size <= kAttributesOffset || size < kSignatureOffset + signatureLength)
        return std::nullopt;
    if (std::memcmp(data + kSignatureOffset, kSignature, signatureLength) != 0)
        return std::nullopt;
    int level = (data[kAttributesOffset] >> 2) & 0x3;
    if (level > 2)
        return std::nullopt;  // no such resolution: the header is damaged
    return level;
}

std::optional<int> storedPhotoCdLevel(const std::string& path)
{
    std::optional<int64_t> size = regularFileSize(path);
    if (!size)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::vector<uint8_t> header(kAttributesOffset + 1);
    file.read(reinterpret_cast<char*>(header.data()), static_cast<std::streamsize>(header.size()));
    std::optional<int> level = photoCdLevelFromHeader(header.data(), static_cast<size_t>(file.gcount()));
    // A header may claim more than the file holds: the higher resolutions
    // begin only after the Base picture and its tables.
    if (level && *level > 0 && *size < kFirstHigherResolutionByte)
        return 0;
    return level;
}

void extractSubimage(const std::string& inputPath, int index, const std::string& picturePath,
                     const std::string& workFolder)
{
    std::string source = workFolder + "source.pcd";
    unlink(source.c_str());
    if (symlink(absolutePath(inputPath).c_str(), source.c_str()) != 0)
        return;
    runProgram({"convert", "-quiet", "-colorspace", "sRGB",
                "pcd:" + source + "[" + std::to_string(index) + "]", "ppm:" + picturePath},
               g_decoderTimeoutSeconds);
    unlink(source.c_str());
}

FIBITMAP* loadExtractedPicture(const std::string& picturePath, const std::string& inputPath)
{
    std::optional<int64_t> size = regularFileSize(picturePath);
    if (size && *size > 0 && pictureIsSane(picturePath))
        if (FIBITMAP* picture = FreeImage_Load(FIF_PPMRAW, picturePath.c_str(), 0))
            return picture;
    // A decoder that left nothing usable still leaves the Base picture. FreeImage
    // decodes any bytes at all as PhotoCD, so only a real image pac gets there.
    if (!storedPhotoCdLevel(inputPath))
        return nullptr;
    return FreeImage_Load(FIF_PCD, inputPath.c_str(), 0);
}

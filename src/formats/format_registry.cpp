#include "formats/format_registry.h"

#include <FreeImage.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/text.h"

std::vector<std::string> acceptedInputExtensions;

const std::vector<std::pair<std::string, InputFormatInfo>>& inputExtensionTable()
{
    static const std::vector<std::pair<std::string, InputFormatInfo>> table = {
        {"bmp", {"bmp", "Windows or OS/2 Bitmap"}},
        {"rle", {"bmp", "Windows or OS/2 Bitmap"}},
        {"dib", {"bmp", "Windows or OS/2 Bitmap"}},
        {"dds", {"dds", "DirectDraw Surface File"}},
        {"emf", {"emf", "Enhanced Metafile Format"}},
        {"emz", {"emf", "Enhanced Metafile Format"}},
        {"gif", {"gif", "GIF File"}},
        {"hdr", {"hdr", "High Dynamic Range File"}},
        {"hdri", {"hdr", "High Dynamic Range File"}},
        {"ico", {"ico", "Windows Icon"}},
        {"jpg", {"jpg", "JPEG File"}},
        {"jpeg", {"jpg", "JPEG File"}},
        {"jpe", {"jpg", "JPEG File"}},
        {"jif", {"jpg", "JPEG File"}},
        {"pcd", {"pcd", "Kodak PhotoCD File"}},
        {"pcd1", {"pcd", "Kodak PhotoCD File"}},
        {"pcds", {"pcd", "Kodak PhotoCD File"}},
        {"ppcd", {"pcd", "Kodak PhotoCD File"}},
        {"pcx", {"pcx", "ZSoft Paintbrush File"}},
        {"pic", {"pic", "Macintosh PICT"}},
        {"pict", {"pic", "Macintosh PICT"}},
        {"pct", {"pic", "Macintosh PICT"}},
        {"png", {"png", "Portable Network Graphics"}},
        {"psd", {"psd", "Adobe Photoshop File"}},
        {"tga", {"tga", "Truevision Targa"}},
        {"targa", {"tga", "Truevision Targa"}},
        {"tiff", {"tiff", "Tagged Image File Format"}},
        {"tif", {"tiff", "Tagged Image File Format"}},
        {"wmf", {"wmf", "Windows Metafile Format"}},
        {"wmz", {"wmf", "Windows Metafile Format"}},
        {"apm", {"wmf", "Aldus Placeable Metafile"}},
        {"raw", {"raw", "Camera RAW Image"}},
        {"raw1", {"raw", "Camera RAW Image"}},
        {"raw2", {"raw", "Camera RAW Image"}},
        {"3fr", {"raw", "Hasselblad Camera RAW Image"}},
        {"arw", {"raw", "Sony Camera RAW Image"}},
        {"sr2", {"raw", "Sony Camera RAW Image"}},
        {"srf", {"raw", "Sony Camera RAW Image"}},
        {"bay", {"raw", "Casio Camera RAW Image"}},
        {"bmq", {"raw", "NuCore RAW Image"}},
        {"cap", {"raw", "Phase One Camera RAW Image"}},
        {"iiq", {"raw", "Phase One Camera RAW Image"}},
        {"eip", {"raw", "Phase One Camera RAW Image"}},
        {"cine", {"raw", "Phantom RAW Image"}},
        {"cr2", {"raw", "Canon Camera RAW Image"}},
        {"crw", {"raw", "Canon Camera RAW Image"}},
        {"cs1", {"raw", "Capture Shop RAW Image"}},
        {"dc2", {"raw", "Kodak Camera RAW Image"}},
        {"dcr", {"raw", "Kodak Camera RAW Image"}},
        {"drf", {"raw", "Kodak Camera RAW Image"}},
        {"dsc", {"raw", "Kodak Camera RAW Image"}},
        {"k25", {"raw", "Kodak Camera RAW Image"}},
        {"kc2", {"raw", "Kodak Camera RAW Image"}},
        {"kdc", {"raw", "Kodak Camera RAW Image"}},
        {"dcs", {"raw", "Kodak Camera RAW Image"}},
        {"dng", {"raw", "Adobe Digital Negative Image"}},
        {"erf", {"raw", "Epson Camera RAW Image"}},
        {"fff", {"raw", "Imacon Camera RAW Image"}},
        {"ia", {"raw", "Sinar RAW Image"}},
        {"sti", {"raw", "Sinar RAW Image"}},
        {"mdc", {"raw", "Minolta Camera RAW Image"}},
        {"mrw", {"raw", "Minolta Camera RAW Image"}},
        {"mef", {"raw", "Mamiya Camera RAW Image"}},
        {"mos", {"raw", "Mamiya Camera RAW Image"}},
        {"nef", {"raw", "Nikon Camera RAW Image"}},
        {"nrw", {"raw", "Nikon Camera RAW Image"}},
        {"orf", {"raw", "Olympus Camera RAW Image"}},
        {"pef", {"raw", "Pentax Camera RAW Image"}},
        {"ptx", {"raw", "Pentax Camera RAW Image"}},
        {"pxn", {"raw", "Logitech Camera RAW Image"}},
        {"qtk", {"raw", "Apple Quicktake Camera RAW Image"}},
        {"raf", {"raw", "Fuji Camera RAW Image"}},
        {"rdc", {"raw", "Digital Foto Maker RAW Image"}},
        {"rw2", {"raw", "Panasonic Camera RAW Image"}},
        {"rwz", {"raw", "Rawzor Camera RAW Image"}},
        {"x3f", {"raw", "Sigma Camera RAW Image"}},
        {"ari", {"raw", "ARRI RAW Image"}},
        {"r3d", {"raw", "RED RAW Image"}},
        {"rwl", {"raw", "Leica Camera RAW Image"}},
    };
    return table;
}

// FreeImage format, extension, description, depths, then whether 8 bits are
// grey and 16 bits 5-5-5.
const std::vector<std::pair<std::string, OutputFormatInfo>>& outputFormatTable()
{
    static const std::vector<std::pair<std::string, OutputFormatInfo>> table = {
        {"bmp", {FIF_BMP, "bmp", "Windows or OS/2 Bitmap", "1,4,8,16,24,32"}},
        {"exr", {FIF_EXR, "exr", "ILM OpenEXR", "96"}},
        {"gif", {FIF_GIF, "gif", "Graphics Interchange Format", "8"}},
        {"hdr", {FIF_HDR, "hdr", "High Dynamic Range Image", "96"}},
        {"ico", {FIF_ICO, "ico", "Windows Icon", "1,4,8,16,24,32", false, true}},
        {"j2k", {FIF_J2K, "j2k", "JPEG-2000 Codestream", "8,24,32,48", true}},
        {"jng", {FIF_JNG, "jng", "JPEG Network Graphics", "24,32"}},
        {"jp2", {FIF_JP2, "jp2", "JPEG-2000 File Format", "8,24,32,48", true}},
        {"jpg", {FIF_JPEG, "jpg", "JPEG File Format", "8,24", true}},
        {"jxr", {FIF_JXR, "jxr", "JPEG XR Image Format", "1,8,16,24,32,48,96", true}},
        {"pbm", {FIF_PBM, "pbm", "Portable Bitmap", "1"}},
        {"pfm", {FIF_PFM, "pfm", "Portable Floatmap", "96"}},
        {"pgm", {FIF_PGM, "pgm", "Portable Greymap", "8"}},
        {"png", {FIF_PNG, "png", "Portable Network Graphics", "1,4,8,24,32,48"}},
        {"ppm", {FIF_PPM, "ppm", "Portable Pixelmap", "24,48"}},
        {"tga", {FIF_TARGA, "tga", "Truevision Targa", "8,16,24,32", false, true}},
        {"tiff", {FIF_TIFF, "tiff", "Tagged Image File Format", "1,4,8,24,32,48,96"}},
        {"wbmp", {FIF_WBMP, "wbmp", "Wireless Bitmap", "1"}},
        {"webp", {FIF_WEBP, "webp", "Google WebP Image Format", "24,32"}},
        {"xpm", {FIF_XPM, "xpm", "X11 Pixmap Format", "24"}},
    };
    return table;
}

namespace {

template <typename Info>
Info findInfo(const std::vector<std::pair<std::string, Info>>& table, const std::string& extension)
{
    for (const auto& [key, info] : table)
        if (key == extension)
            return info;
    return Info{};
}

}  // namespace

InputFormatInfo inputFormatInfo(const std::string& extension)
{
    return findInfo(inputExtensionTable(), extension);
}

OutputFormatInfo outputFormatInfo(const std::string& extension)
{
    return findInfo(outputFormatTable(), extension);
}

void buildAcceptedExtensions()
{
    acceptedInputExtensions.clear();
    for (const std::string& group : inputFormats)
        for (const auto& [extension, info] : inputExtensionTable())
            if (info.group == group)
                acceptedInputExtensions.push_back(extension);
}

bool listContains(const std::vector<std::string>& list, const std::string& text)
{
    return std::ranges::find(list, text) != list.end();
}

bool isValidOutputFormat(const std::string& extension)
{
    return listContains(outputFormats, extension);
}

std::string relativeFolderOf(const std::string& path, const std::string& baseFolder)
{
    if (path.empty() || baseFolder.empty())
        return "";
    std::string folder = folderOf(path);
    if (folder.find(baseFolder) == std::string::npos)
        return "";
    std::string result;
    size_t from = 0;
    for (size_t at; (at = folder.find(baseFolder, from)) != std::string::npos; from = at + baseFolder.size())
        result += folder.substr(from, at - from);
    return result + folder.substr(from);
}

bool isAcceptedInputFile(const std::string& path)
{
    std::optional<int64_t> size = regularFileSize(path);
    if (size && *size == 0)
        return false;
    return listContains(acceptedInputExtensions, extensionOf(path));
}

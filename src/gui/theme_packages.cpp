#include "gui/theme_packages.h"

#include <algorithm>
#include <set>

#include "gui/interface_pictures.h"
#include "gui/picture_header.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/unicode_case.h"
#include "platform/zip_archive.h"
#include "settings/conversion_settings.h"

namespace {

constexpr std::string_view kCfgEntry = "theme.cfg";
constexpr std::string_view kPackageExtension = ".zip";
// The display name comes from this much of theme.cfg; packages keep their
// "Theme" section within it.
constexpr size_t kDisplayNameBytes = 255;
// Nothing larger is taken from a package: theme.cfg and pictures are small.
constexpr size_t kLargestEntryBytes = 8 * 1024 * 1024;

size_t findIgnoringCase(std::string_view text, std::string_view wanted, size_t from)
{
    if (from > text.size() || wanted.size() > text.size() - from)
        return std::string_view::npos;
    for (size_t at = from; at + wanted.size() <= text.size(); ++at)
        if (equalsIgnoreCaseAscii(text.substr(at, wanted.size()), wanted))
            return at;
    return std::string_view::npos;
}

std::string packagePath(const std::string& folder, const std::string& key)
{
    return folder + key + std::string(kPackageExtension);
}

}  // namespace

std::string themeFolder(const std::string& programFolder)
{
    const std::string beside = programFolder + "gfx/";
    return isDirectory(beside) ? beside : programFolder + "../share/korvane/gfx/";
}

ThemeList scanThemePackages(const std::string& folder)
{
    ThemeList themes;
    for (const std::string& name : regularFileNames(folder)) {
        if (name.size() <= kPackageExtension.size() || !endsWith(name, kPackageExtension))
            continue;
        std::string key = name.substr(0, name.size() - kPackageExtension.size());
        themes[key] = themeDisplayName(folder, key);
    }
    return themes;
}

std::string themeDisplayName(const std::string& folder, const std::string& key)
{
    const std::string path = packagePath(folder, key);
    std::optional<std::vector<ZipEntry>> entries = listZipEntries(path);
    if (!entries)
        return key;
    std::string cfg = readZipEntryStart(path, std::string(kCfgEntry), kDisplayNameBytes).value_or("");
    cfg = cfg.substr(0, cfg.find('\0'));
    return singleByteTextAsUtf8(readCfgValue(cfg, "Theme", "Name"));
}

std::string readCfgValue(std::string_view text, std::string_view section, std::string_view key)
{
    const size_t sectionAt = findIgnoringCase(text, "[" + std::string(section) + "]", 0);
    if (sectionAt == std::string_view::npos)
        return "";
    const size_t sectionEnd = std::min(text.find('[', sectionAt + 1), text.size());
    const size_t lineAt = findIgnoringCase(text, "\r\n" + std::string(key), sectionAt);
    if (lineAt == std::string_view::npos || lineAt >= sectionEnd)
        return "";
    const size_t lineEnd = text.find("\r\n", lineAt + 2);
    if (lineEnd == std::string_view::npos)
        return "";
    const std::string_view line = text.substr(lineAt, lineEnd - lineAt);

    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return "";
    std::string_view field = line.substr(equals + 1);
    std::string value = trimBlanks(field.substr(0, field.find('=')));
    std::erase_if(value, [](char c) { return c == '\t' || c == '\r' || c == '\n'; });
    return value;
}

std::string themeEntryName(const std::string& value, int size)
{
    if (toLowerAscii(value).find(".png") != std::string::npos)
        return value;
    return value + "_" + std::to_string(size) + ".png";
}

PictureSlots readPackagePictures(const std::string& packagePath, const std::vector<PictureRequest>& requests)
{
    PictureSlots slots;
    std::optional<std::vector<ZipEntry>> entries = listZipEntries(packagePath);
    if (!entries)
        return slots;
    // Entries that hold something, by name as stored.
    std::set<std::string> present;
    for (const ZipEntry& entry : *entries)
        if (entry.size > 0)
            present.insert(entry.name);

    std::string cfg;
    if (present.contains(std::string(kCfgEntry)))
        cfg = readZipEntries(packagePath, {std::string(kCfgEntry)}, kLargestEntryBytes)[std::string(kCfgEntry)];

    std::vector<std::pair<int, std::string>> wanted;  // slot, entry
    for (const PictureRequest& request : requests)
        for (const ImageTableEntry& control : *request.table) {
            std::string entry = themeEntryName(readCfgValue(cfg, request.section, control.name), request.size);
            if (present.contains(entry))
                wanted.emplace_back(control.slot, std::move(entry));
        }

    std::set<std::string> names;
    for (const auto& [slot, entry] : wanted)
        names.insert(entry);
    std::map<std::string, std::string> pictures = readZipEntries(packagePath, names, kLargestEntryBytes);
    for (const auto& [slot, entry] : wanted) {
        auto picture = pictures.find(entry);
        if (picture != pictures.end() && isUsableInterfacePicture(picture->second))
            slots[slot].assign(picture->second.begin(), picture->second.end());
    }
    return slots;
}

void loadTheme(ConversionSettings& settings, const std::string& folder, const ThemeList& themes, PictureTables tables,
               PictureSlots& slots)
{
    if (!themes.contains(settings.uiTheme)) {
        if (themes.empty())
            return;
        settings.uiTheme = themes.rbegin()->first;
    }
    std::vector<PictureRequest> requests;
    if (tables.buttons)
        requests.push_back({&buttonImageTable, "Buttons", 16});
    if (tables.smallIcons)
        requests.push_back({&smallIconTable, "Icons", 16});
    if (tables.sizedIcons)
        requests.push_back({&sizedIconTable, "Icons", iconPixelSize(settings.uiSize)});
    for (auto& [slot, picture] : readPackagePictures(packagePath(folder, settings.uiTheme), requests))
        slots[slot] = std::move(picture);
}

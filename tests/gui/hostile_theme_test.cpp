#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <zlib.h>

#include <gtest/gtest.h>

#include "gui/theme_packages.h"
#include "gui/theme_test_files.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

// Whatever lies in the theme folder, the program shows no message, does not
// crash and takes no picture that a window could not safely decode.

namespace {

// Functions, not constants: the tables are globals of another file.
int newSlot()
{
    return imageSlot(smallIconTable, "New");
}
int addSlot()
{
    return imageSlot(smallIconTable, "Add");
}

const std::string kCfg = "[Theme]\r\nName=Hostile\r\n[Icons]\r\nNew=new\r\nAdd=add\r\n";

void putBigEndian32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// A PNG header claiming width x height, with valid chunk checksums, and no
// picture data.
std::string pngHeaderOnly(uint32_t width, uint32_t height)
{
    std::string chunk("IHDR\0\0\0\0\0\0\0\0\x08\x06\0\0\0", 17);
    putBigEndian32(chunk, 4, width);
    putBigEndian32(chunk, 8, height);
    std::string crc(4, '\0');
    putBigEndian32(
        crc, 0,
        static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(chunk.data()), static_cast<uInt>(chunk.size()))));
    return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12) + chunk + crc +
           std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
}

uint32_t littleEndian32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putLittleEndian32(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Makes every header of the named entry (local and central) claim size
// uncompressed bytes; returns how many headers were changed.
int claimSize(std::string& zip, const std::string& name, uint32_t size)
{
    int changed = 0;
    for (size_t at = 0; (at = zip.find("PK", at)) != std::string::npos; ++at) {
        const bool local = zip.compare(at, 4, "PK\x03\x04") == 0;
        const bool central = zip.compare(at, 4, "PK\x01\x02") == 0;
        if (!local && !central)
            continue;
        const size_t nameAt = at + (local ? 30 : 46);
        const size_t nameLength = littleEndian32(zip, at + (local ? 26 : 28)) & 0xFFFF;
        if (nameLength == name.size() && zip.compare(nameAt, nameLength, name) == 0) {
            putLittleEndian32(zip, at + (local ? 22 : 24), size);
            ++changed;
        }
    }
    return changed;
}

void putLittleEndian16(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// The headers of one stored entry, written by hand so that they can lie.
std::string localHeader(const std::string& name, uint32_t size, uint16_t flags)
{
    std::string header("PK\x03\x04", 4);
    header.resize(30, '\0');
    putLittleEndian16(header, 4, 10);
    putLittleEndian16(header, 6, flags);
    putLittleEndian32(header, 18, size);
    putLittleEndian32(header, 22, size);
    putLittleEndian16(header, 26, static_cast<uint16_t>(name.size()));
    return header + name;
}

std::string centralHeader(const std::string& name, uint32_t size, uint32_t crc, uint32_t offset)
{
    std::string header("PK\x01\x02", 4);
    header.resize(46, '\0');
    putLittleEndian16(header, 4, 20);
    putLittleEndian16(header, 6, 10);
    putLittleEndian32(header, 16, crc);
    putLittleEndian32(header, 20, size);
    putLittleEndian32(header, 24, size);
    putLittleEndian16(header, 28, static_cast<uint16_t>(name.size()));
    putLittleEndian32(header, 42, offset);
    return header + name;
}

uint32_t crcOf(const std::string& bytes)
{
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// A sound package of stored entries whose last entry holds holeBytes zeros
// that take no room on disk.
void writePackageWithHole(const std::string& path, const ZipContent& entries, uint32_t holeBytes)
{
    std::string front;
    std::string directory;
    for (const auto& [name, bytes] : entries) {
        directory +=
            centralHeader(name, static_cast<uint32_t>(bytes.size()), crcOf(bytes), static_cast<uint32_t>(front.size()));
        front += localHeader(name, static_cast<uint32_t>(bytes.size()), 0) + bytes;
    }
    directory += centralHeader("padding", holeBytes, 0, static_cast<uint32_t>(front.size()));
    front += localHeader("padding", holeBytes, 0);
    const uint64_t directoryAt = front.size() + uint64_t{holeBytes};
    std::string end("PK\x05\x06", 4);
    end.resize(22, '\0');
    putLittleEndian16(end, 8, static_cast<uint16_t>(entries.size() + 1));
    putLittleEndian16(end, 10, static_cast<uint16_t>(entries.size() + 1));
    putLittleEndian32(end, 12, static_cast<uint32_t>(directory.size()));
    putLittleEndian32(end, 16, static_cast<uint32_t>(directoryAt));
    writeFile(path, front);
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(directoryAt)), 0);
    std::ofstream(path, std::ios::binary | std::ios::app) << directory << end;
}

struct HostileScene {
    ScratchFolder folder;
    std::string gfx = folder.path + "gfx/";
    ConversionSettings settings;
    PictureSlots slots{{newSlot(), {'o', 'l', 'd'}}};
    HostileScene()
    {
        mkdir(gfx.c_str(), 0755);
        // The packages hold 16-pixel pictures only; the sized icons take them too.
        settings.uiSize = 0;
    }

    // Loads the package key; the scan must list it.
    void load(const std::string& key)
    {
        ThemeList themes = scanThemePackages(gfx);
        ASSERT_TRUE(themes.contains(key)) << key;
        settings.uiTheme = key;
        loadTheme(settings, gfx, themes, kEveryPictureTable, slots);
        EXPECT_EQ(settings.uiTheme, key);
    }
};

}  // namespace

TEST(HostileThemes, BrokenPackagesLeaveThePicturesAsTheyWere)
{
    HostileScene scene;
    writeZip(scene.gfx + "whole.zip", {{"theme.cfg", kCfg}, {"new_16.png", pngPicture(16, 16, 0x123456)}});
    const std::string whole = readFile(scene.gfx + "whole.zip");
    writeFile(scene.gfx + "cut.zip", whole.substr(0, whole.size() / 2));
    writeFile(scene.gfx + "empty.zip", "");
    writeFile(scene.gfx + "text.zip", "PK\x03\x04 this is no archive, only its first four bytes are");
    mkdir((scene.gfx + "folder.zip").c_str(), 0755);
    remove((scene.gfx + "whole.zip").c_str());

    const ThemeList themes = scanThemePackages(scene.gfx);
    EXPECT_EQ(themes, (ThemeList{{"cut", "cut"}, {"empty", "empty"}, {"text", "text"}}));
    for (const std::string key : {"cut", "empty", "text"}) {
        scene.load(key);
        EXPECT_EQ(scene.slots.size(), 1u) << key;
        EXPECT_EQ(slotText(scene.slots, newSlot()), "old") << key;
    }
}

TEST(HostileThemes, HugePackagesAreRefusedUnreadAndTheWindowStartsAtOnce)
{
    HostileScene scene;
    // An entry whose size only a data descriptor after it would tell, and
    // nothing after it but 16 GB of zeros: no end record, no central directory.
    writeFile(scene.gfx + "endless.zip", localHeader("theme.cfg", 0, 0x0008) + kCfg);
    ASSERT_EQ(truncate((scene.gfx + "endless.zip").c_str(), off_t{16} << 30), 0);
    // A sound package, but beyond any theme's size.
    writePackageWithHole(scene.gfx + "large.zip", {{"theme.cfg", kCfg}, {"new_16.png", pngPicture(16, 16, 0x123456)}},
                         64u << 20);
    writePackageWithHole(scene.gfx + "small.zip", {{"theme.cfg", kCfg}, {"add_16.png", pngPicture(16, 16, 0xABCDEF)}},
                         1u << 20);

    const auto start = std::chrono::steady_clock::now();
    const ThemeList themes = scanThemePackages(scene.gfx);
    EXPECT_EQ(themes, (ThemeList{{"endless", "endless"}, {"large", "large"}, {"small", "Hostile"}}));
    scene.load("endless");
    scene.load("large");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(scene.slots.size(), 1u);
    EXPECT_EQ(slotText(scene.slots, newSlot()), "old");
    // Below the bound the same layout loads: the refusals are for size alone.
    scene.load("small");
    EXPECT_EQ(slotText(scene.slots, addSlot()), pngPicture(16, 16, 0xABCDEF));
}

TEST(HostileThemes, HugeAbsurdAndFalsePicturesAreRefused)
{
    HostileScene scene;
    std::string zip;
    const std::string good = pngPicture(16, 16, 0x00FF00);
    writeZip(scene.gfx + "p.zip", {{"theme.cfg", kCfg + "Copy=wide\r\nDelete=fake\r\nExit=giant\r\n"},
                                   {"new_16.png", pngPicture(16, 16, 0xFF0000)},
                                   {"wide_16.png", pngHeaderOnly(100000, 16)},
                                   {"fake_16.png", "\x89PNG but nothing else"},
                                   {"giant_16.png", pngHeaderOnly(1025, 1025)},
                                   {"add_16.png", good}});
    zip = readFile(scene.gfx + "p.zip");
    // The first entry claims four gigabytes; it must be refused, not read.
    ASSERT_EQ(claimSize(zip, "new_16.png", 0xF0000000u), 2);
    writeFile(scene.gfx + "p.zip", zip);

#ifndef __SANITIZE_ADDRESS__  // the sanitizer's shadow memory needs more address space than the limit
    // Taken into memory as claimed, the entry would not fit below this limit.
    pid_t child = fork();
    if (child == 0) {
        const rlimit limit{1UL << 30, 1UL << 30};
        setrlimit(RLIMIT_AS, &limit);
        try {
            scene.load("p");
            _exit(scene.slots.size() == 3 ? 0 : 1);
        } catch (...) {
            _exit(2);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
#endif

    const auto start = std::chrono::steady_clock::now();
    scene.load("p");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(slotText(scene.slots, newSlot()), "old");
    EXPECT_EQ(slotText(scene.slots, addSlot()), good);  // the entries after it still load
    for (const char* control : {"Copy", "Delete", "Exit"})
        EXPECT_FALSE(scene.slots.contains(imageSlot(smallIconTable, control))) << control;
}

TEST(HostileThemes, GarbageAndOversizedThemeCfg)
{
    HostileScene scene;
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    // Its name comes from the first 255 bytes; the rest is far too long to load.
    std::string big = "[Theme]\r\nName=Big\r\n[Icons]\r\nNew=new\r\n" + std::string(10 * 1024 * 1024, ';') + "\r\n";
    writeZip(scene.gfx + "garbage.zip", {{"theme.cfg", garbage}, {"new_16.png", pngPicture(16, 16, 1)}});
    writeZip(scene.gfx + "big.zip", {{"theme.cfg", big}, {"new_16.png", pngPicture(16, 16, 2)}});

    EXPECT_EQ(themeDisplayName(scene.gfx, "big"), "Big");
    scene.load("garbage");
    scene.load("big");
    EXPECT_EQ(slotText(scene.slots, newSlot()), "old");
}

TEST(HostileThemes, FiveHundredPackagesAreListedAndTheLastStandsIn)
{
    HostileScene scene;
    for (int i = 0; i < 500; ++i) {
        char key[8];
        std::snprintf(key, sizeof(key), "t%03d", i);
        writeZip(scene.gfx + key + ".zip", {{"theme.cfg", "[Theme]\r\nName=Theme " + std::to_string(i) + "\r\n"}});
    }
    const auto start = std::chrono::steady_clock::now();
    const ThemeList themes = scanThemePackages(scene.gfx);
    ASSERT_EQ(themes.size(), 500u);
    EXPECT_EQ(themes.at("t123"), "Theme 123");
    scene.settings.uiTheme = "../../etc/passwd";
    loadTheme(scene.settings, scene.gfx, themes, kEveryPictureTable, scene.slots);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(scene.settings.uiTheme, "t499");
    EXPECT_EQ(slotText(scene.slots, newSlot()), "old");
}

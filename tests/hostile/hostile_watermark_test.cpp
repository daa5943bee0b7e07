#include <gtest/gtest.h>

#include <cstdint>

#include "hostile/hostile_support.h"

namespace {

uint32_t crc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string bigEndian(uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

std::string pngChunk(const std::string& type, const std::string& data)
{
    return bigEndian(static_cast<uint32_t>(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A PNG whose header is valid and claims width by height RGB pixels; the
// pixel data are a few bytes.
std::string pngClaiming(uint32_t width, uint32_t height)
{
    const std::string header = bigEndian(width) + bigEndian(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", std::string("\x78\x9C\x03\x00\x00\x00\x00\x01", 8)) + pngChunk("IEND", "");
}

}  // namespace

TEST(HostileWatermark, AnUnusablePictureLeavesTheOutputAsWithoutAWatermark)
{
    HostileScene scene;
    const std::string input = scene.copySample("kodim23.pcd", "kodim23.pcd");
    ASSERT_EQ(scene.run({"-q", "-i", input, "-o", scene.out}).output, "");
    const std::string plain = readFile(scene.out + "kodim23.jpg");
    ASSERT_FALSE(plain.empty());

    const std::string png = readFile(testDataPath("kodim23.png"));
    const std::vector<std::pair<std::string, std::string>> pictures = {
        {"corrupt", png.substr(0, 33) + std::string(4000, '\x5A')},
        {"truncated", png.substr(0, png.size() / 2)},
        {"enormous", pngClaiming(100000, 100000)},
        {"over-the-limit", pngClaiming(20000, 20000)},
    };
    for (const auto& [name, bytes] : pictures) {
        writeFile(scene.in + name + ".png", bytes);
        ProgramRun run = scene.run({"-q", "-i", input, "-o", scene.out, "--filename-mask=" + name + ".%ext%",
                                    "--wm-image=" + scene.in + name + ".png"});
        EXPECT_EQ(run.output, "") << name;
        EXPECT_EQ(readFile(scene.out + name + ".jpg"), plain) << name << ": not the plain conversion";
    }

    // The same run with a whole picture does stamp it.
    ProgramRun stamped = scene.run({"-q", "-i", input, "-o", scene.out, "--filename-mask=stamped.%ext%",
                                    "--wm-image=" + testDataPath("kodim23.png"), "--wm-image-opacity=128"});
    EXPECT_EQ(stamped.output, "");
    EXPECT_TRUE(jpegFacts(scene.out + "stamped.jpg").loads);
    EXPECT_NE(readFile(scene.out + "stamped.jpg"), plain);
    expectNoLeftovers(scene);
}

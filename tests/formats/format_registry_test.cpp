#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "formats/format_registry.h"
#include "platform/text.h"
#include "settings/setting_table.h"
#include "test_support.h"

namespace {

// Restores the program's own conversion pair after a test widened it.
class FormatRegistry : public testing::Test {
protected:
    void TearDown() override
    {
        inputFormats = {"pcd"};
        outputFormats = {"jpg"};
        buildAcceptedExtensions();
    }
};

}  // namespace

TEST_F(FormatRegistry, InputTableHoldsEveryExtensionOnceInSixteenGroups)
{
    std::set<std::string> extensions;
    std::map<std::string, int> perGroup;
    for (const auto& [extension, info] : inputExtensionTable()) {
        EXPECT_TRUE(extensions.insert(extension).second) << extension;
        EXPECT_EQ(extension, toLowerAscii(extension));
        ++perGroup[info.group];
    }
    EXPECT_EQ(extensions.size(), 79u);
    const std::map<std::string, int> expected = {
        {"bmp", 3}, {"dds", 1}, {"emf", 2}, {"gif", 1}, {"hdr", 2}, {"ico", 1},  {"jpg", 4}, {"pcd", 4},
        {"pcx", 1}, {"pic", 3}, {"png", 1}, {"psd", 1}, {"tga", 2}, {"tiff", 2}, {"wmf", 3}, {"raw", 48},
    };
    EXPECT_EQ(perGroup, expected);
    EXPECT_EQ(inputFormatInfo("ppcd").description, "Kodak PhotoCD File");
    EXPECT_EQ(inputFormatInfo("apm").group, "wmf");
    EXPECT_EQ(inputFormatInfo("apm").description, "Aldus Placeable Metafile");
    EXPECT_EQ(inputFormatInfo("qtk").description, "Apple Quicktake Camera RAW Image");
    EXPECT_EQ(inputFormatInfo("PCD").group, "");
}

TEST_F(FormatRegistry, OutputTableMapsOntoFreeImage)
{
    EXPECT_EQ(outputFormatTable().size(), 20u);
    for (const auto& [extension, info] : outputFormatTable()) {
        EXPECT_EQ(info.extension, extension);
        // Without its bit-depth setting a format would skip its listing and checks.
        EXPECT_NE(bitDepthRowOf(extension), nullptr) << extension;
    }
    const OutputFormatInfo jpg = outputFormatInfo("jpg");
    EXPECT_EQ(jpg.fif, 2);
    EXPECT_EQ(jpg.description, "JPEG File Format");
    EXPECT_EQ(jpg.allowedBpp, "8,24");
    EXPECT_EQ(outputFormatInfo("tga").fif, 17);
    EXPECT_EQ(outputFormatInfo("tga").allowedBpp, "8,16,24,32");
    EXPECT_EQ(outputFormatInfo("webp").fif, 35);
    EXPECT_EQ(outputFormatInfo("jxr").allowedBpp, "1,8,16,24,32,48,96");

    const OutputFormatInfo psd = outputFormatInfo("psd");
    EXPECT_EQ(psd.fif, 0);
    EXPECT_EQ(psd.extension, "");
    EXPECT_EQ(psd.description, "");
    EXPECT_EQ(psd.allowedBpp, "");
}

TEST_F(FormatRegistry, AcceptedExtensionsFollowTheInputGroups)
{
    buildAcceptedExtensions();
    EXPECT_EQ(acceptedInputExtensions, (std::vector<std::string>{"pcd", "pcd1", "pcds", "ppcd"}));
    inputFormats.push_back("raw");
    buildAcceptedExtensions();
    EXPECT_EQ(acceptedInputExtensions.size(), 52u);
    EXPECT_TRUE(listContains(acceptedInputExtensions, "x3f"));
    EXPECT_FALSE(listContains(acceptedInputExtensions, "jpg"));
}

TEST_F(FormatRegistry, OutputFormatsAreComparedExactly)
{
    EXPECT_TRUE(isValidOutputFormat("jpg"));
    EXPECT_FALSE(isValidOutputFormat("JPG"));
    EXPECT_FALSE(isValidOutputFormat("png"));
    EXPECT_FALSE(isValidOutputFormat(""));
    outputFormats.push_back("png");
    EXPECT_TRUE(isValidOutputFormat("png"));
    EXPECT_FALSE(listContains({}, ""));
}

TEST_F(FormatRegistry, RelativeFolderRemovesTheBaseFolder)
{
    EXPECT_EQ(relativeFolderOf("/photos/2001/roll1/img1.pcd", "/photos/"), "2001/roll1/");
    EXPECT_EQ(relativeFolderOf("/photos/img1.pcd", "/photos/"), "");
    EXPECT_EQ(relativeFolderOf("/other/img1.pcd", "/photos/"), "");
    EXPECT_EQ(relativeFolderOf("/photos/img1.pcd", ""), "");
    EXPECT_EQ(relativeFolderOf("", "/photos/"), "");
    // Every occurrence goes, not just the leading one.
    EXPECT_EQ(relativeFolderOf("/a/x/a/img.pcd", "a/"), "/x/");
}

TEST_F(FormatRegistry, InputFilesAreAcceptedByExtensionAndSize)
{
    ScratchFolder folder;
    buildAcceptedExtensions();
    writeFile(folder.path + "UPPER.PCD", "x");
    writeFile(folder.path + "photo.jpg", "x");
    writeFile(folder.path + "empty.pcd", "");
    writeFile(folder.path + "noextension", "x");
    EXPECT_TRUE(isAcceptedInputFile(folder.path + "UPPER.PCD"));
    EXPECT_FALSE(isAcceptedInputFile(folder.path + "photo.jpg"));
    EXPECT_FALSE(isAcceptedInputFile(folder.path + "empty.pcd"));
    EXPECT_FALSE(isAcceptedInputFile(folder.path + "noextension"));
    // Only a reported size of 0 refuses; a missing file is left to the worker.
    EXPECT_TRUE(isAcceptedInputFile(folder.path + "missing.pcd"));
}

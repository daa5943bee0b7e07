#include <FreeImage.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/program_identity.h"
#include "engine/batch_driver.h"
#include "formats/format_registry.h"
#include "platform/text.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kBanner = {"Tessaly PCD to JPG 3.0", "Converted with Tessaly PCD to JPG", makerWebAddress, " "};

// The folders of a run, written as <out>/ and <data>/ so that the expected
// lines do not depend on where the test runs.
struct RunFolders {
    ScratchFolder out;
    std::string data = folderOf(testDataPath("kodim23.pcd"));
};

std::string withoutSlash(const std::string& folder)
{
    return folder.substr(0, folder.size() - 1);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

Lines normalisedLines(const std::string& output, const RunFolders& folders)
{
    std::string text = replaceAll(output, withoutSlash(folders.out.path), "<out>");
    text = replaceAll(text, withoutSlash(folders.data), "<data>");
    return linesOf(text);
}

Lines withBanner(Lines lines)
{
    lines.insert(lines.begin(), kBanner.begin(), kBanner.end());
    return lines;
}

Lines filesIn(const std::string& folder)
{
    Lines names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

TEST(ConsoleRun, DebugRunListsEverySettingInOrder)
{
    RunFolders folders;
    ProgramRun run = runKorvane({
        "-i",
        testDataPath("kodim23.pcd"),
        "-o",
        withoutSlash(folders.out.path),
        "-d",
        "--jpg-quality=90",
        "--jpg-chroma=medium",
        "--jpg-save-as=progressive",
        "--rotation=90",
        "--rotation-type=advanced",
        "--rotation-back-color=102030",
        "--width=50",
        "--width-unit=percent",
        "--height=50",
        "--height-unit=percent",
        "--keep-aspect-ratio",
        "--resize-algorithm=lanczos",
        "--flip-vertical",
        "--brightness=10",
        "--contrast=-5",
        "--gamma=1.5",
        "--fr-solid-left=4",
        "--fr-solid-left-color=FF0000",
        "--fr-solid-opacity=200",
        "--wm-text=Kodak sample",
        "--wm-font-size=20",
        "--wm-font-style=bold",
        "--wm-text-position=topleft",
        "--filename-mask=%filename%-small.%ext%",
        "--file-timestamp=custom",
        "--file-timestamp-custom=1000000000",
        "--no-subfolders",
    });
    EXPECT_EQ(run.exitCode, 0);
    const Lines expected = withBanner({
        "Preparing...",
        "Input: <data>/kodim23.pcd",
        "Output: <out>",
        "Conversion: jpg",
        "JPG BPP: 0",
        "JPG Quality: 90",
        "JPG Chroma Subsampling: MEDIUM",
        "JPG Save As: PROGRESSIVE",
        "Image Rotation Type: ADVANCED",
        "Image Rotation: 90",
        "Image Rotation Back Color: 102030",
        "Width: 50 PERCENT",
        "Height: 50 PERCENT",
        "Keep Aspect Ratio: 1",
        "Image Resize Type: ALLIMAGES",
        "Image Resize Algorithm: LANCZOS",
        "Flip Horizontal: 0",
        "Flip Vertical: 1",
        "Brightness: 10",
        "Contrast: -5",
        "Gamma: 1.50",
        "Invert: 0",
        "Greyscale: 0",
        "Frame: SOLID",
        "Frame left: 4",
        "Frame right: 0",
        "Frame top: 0",
        "Frame bottom: 0",
        "Frame left color: FF0000",
        "Frame right color: 000000",
        "Frame top color: 000000",
        "Frame bottom color: 000000",
        "Frame opacity: 200",
        "Watermark: TEXT",
        "Watermark text: Kodak sample",
        "Watermark font: Arial",
        "Watermark font size: 20",
        "Watermark font leading: 0",
        "Watermark font color: FFFFFF",
        "Watermark font style: BOLD",
        "Watermark font effect: NONE",
        "Watermark text antialiasing: 0",
        "Watermark text alignment: LEFT",
        "Watermark text padding: 0",
        "Watermark text opacity: 255",
        "Watermark background color: 000000",
        "Watermark background opacity: 1",
        "Watermark boundary: IMAGE",
        "Watermark position: TOPLEFT",
        "Watermark offset (x/y): 10/10",
        "Watermark rotation: 0",
        "Watermark size/mode: FIXED",
        "Filename Mask: %filename%-small.%ext%",
        "File Timestamp: CUSTOM",
        "Custom Timestamp: 1000000000",
        "Keep Subfolders: 0",
        "PhotoCD Decoder: CONVERT",
        "Importing...",
        "Import complete, new files added: 1",
        "Converting...",
        "Processing: <data>/kodim23.pcd",
        "File Format: [ERROR] UNRECOGNIZED",
        "[OK] Saving As: <out>/kodim23-small.jpg",
        "Conversion complete",
        "Files converted: 1 of 1",
    });
    EXPECT_EQ(normalisedLines(run.output, folders), expected);

    // The advanced rotation keeps the size, so 768 by 512 is halved, and the
    // left frame is drawn over the picture.
    FIBITMAP* saved = FreeImage_Load(FIF_JPEG, (folders.out.path + "kodim23-small.jpg").c_str(), 0);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(saved), 384u);
    EXPECT_EQ(FreeImage_GetHeight(saved), 256u);
    FreeImage_Unload(saved);
    EXPECT_EQ(filesIn(folders.out.path), Lines{"kodim23-small.jpg"});
}

TEST(ConsoleRun, DebugRunWithDefaultsAndQuietStatus)
{
    RunFolders folders;
    const Lines listing = {
        "Input: <data>/kodim23.pcd",
        "Output: <out>/",
        "Conversion: jpg",
        "JPG BPP: 0",
        "JPG Quality: 95",
        "JPG Chroma Subsampling: NONE",
        "JPG Save As: STANDARD",
        "Flip Horizontal: 0",
        "Flip Vertical: 0",
        "Greyscale: 0",
        "Frame: NONE",
        "Watermark: NONE",
        "Filename Mask: %filename%.%ext%",
        "File Timestamp: CURRENT",
        "Keep Subfolders: 1",
        "PhotoCD Decoder: CONVERT",
        "Processing: <data>/kodim23.pcd",
        "File Format: [ERROR] UNRECOGNIZED",
        "[OK] Saving As: <out>/kodim23.jpg",
    };
    // Debug lines are printed in quiet mode too; the status lines are not.
    ProgramRun run = runKorvane({"-q", "-d", "-i", testDataPath("kodim23.pcd"), "-o", folders.out.path});
    EXPECT_EQ(normalisedLines(run.output, folders), listing);
    EXPECT_TRUE(fileExists(folders.out.path + "kodim23.jpg"));
}

TEST(ConsoleRun, QuietSuccessPrintsNothing)
{
    RunFolders folders;
    ProgramRun run = runKorvane({"-i", testDataPath("kodim23.pcd"), "-q", "-o", folders.out.path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(filesIn(folders.out.path), Lines{"kodim23.jpg"});
}

TEST(ConsoleRun, StatusLinesOfAPlainRun)
{
    RunFolders folders;
    ProgramRun run = runKorvane({"-i", testDataPath("kodim23.pcd"), "-o", folders.out.path});
    EXPECT_EQ(normalisedLines(run.output, folders),
              withBanner({"Preparing...", "Importing...", "Import complete, new files added: 1", "Converting...",
                          "Conversion complete", "Files converted: 1 of 1"}));
}

TEST(ConsoleRun, WithoutOutputFolderTheInputsOwnFolderIsUsed)
{
    RunFolders folders;
    std::filesystem::copy_file(testDataPath("kodim23.pcd"), folders.out.path + "kodim23.pcd");
    // A relative input is found in the current folder, and so is its output.
    ProgramRun run = runKorvane({"-q", "-d", "-i", "kodim23.pcd"}, {}, folders.out.path);
    Lines lines = normalisedLines(run.output, folders);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Input: kodim23.pcd");
    EXPECT_EQ(lines[1], "Output: <out>/");
    EXPECT_EQ(lines.back(), "[OK] Saving As: <out>/kodim23.jpg");
    EXPECT_TRUE(fileExists(folders.out.path + "kodim23.jpg"));
}

TEST(ConsoleRun, RelativeOutputFoldersLieBelowTheProgramsFolder)
{
    RunFolders folders;
    const std::string name = "console-test-out-" + std::to_string(getpid());
    const std::string below = folderOf(KORVANE_BINARY) + name + "/";
    std::filesystem::create_directory(below);
    for (const std::string& given : {name, "./" + name, name + "/"}) {
        // Run from elsewhere: the current folder must not matter.
        ProgramRun run = runKorvane({"-q", "-d", "-i", testDataPath("kodim23.pcd"), "-o", given}, {}, folders.out.path);
        Lines lines = normalisedLines(run.output, folders);
        ASSERT_GE(lines.size(), 2u) << run.output;
        EXPECT_EQ(lines[1], "Output: " + given);
        EXPECT_EQ(lines.back(), "[OK] Saving As: " + below + "kodim23.jpg");
        EXPECT_TRUE(fileExists(below + "kodim23.jpg"));
        std::filesystem::remove(below + "kodim23.jpg");
    }
    std::filesystem::remove_all(below);
    EXPECT_TRUE(filesIn(folders.out.path).empty());
}

TEST(ConsoleRun, EachInvalidSettingStopsWithItsErrorLine)
{
    RunFolders folders;
    const std::string input = testDataPath("kodim23.pcd");
    writeFile(folders.out.path + "empty.pcd", "");
    writeFile(folders.out.path + "noextension", "data");
    writeFile(folders.out.path + "a-file", "data");
    std::filesystem::create_directory(folders.out.path + "folder.pcd");
    std::filesystem::create_directory(folders.out.path + "target");
    const std::string target = folders.out.path + "target";

    struct Case {
        std::vector<std::string> options;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"-i", folders.out.path + "noextension"}, "Invalid input file"},
        {{"-i", folders.out.path + "missing.pcd"}, "Invalid input file"},
        {{"-i", folders.out.path + "empty.pcd"}, "Invalid input file"},
        {{"-i", folders.out.path + "folder.pcd"}, "Invalid input file"},
        {{"-i", input, "-o", "../target"}, "Incorrect output folder"},
        {{"-i", input, "-o", folders.out.path + "missing"}, "Invalid output folder"},
        {{"-i", input, "-o", folders.out.path + "a-file"}, "Invalid output folder"},
        {{"-i", input, "-o", target, "-c", "png"}, "Invalid conversion type"},
        {{"-i", input, "-o", target, "-c", "JPG"}, "Invalid conversion type"},
        {{"-i", input, "-o", target, "--jpg-bpp=16"}, "Invalid jpg-bpp value"},
        {{"-i", input, "-o", target, "--jpg-quality=0"}, "Invalid jpg-quality value"},
        {{"-i", input, "-o", target, "--jpg-quality=101"}, "Invalid jpg-quality value"},
        {{"-i", input, "-o", target, "--width=0", "--keep-aspect-ratio"}, "Invalid width value"},
        {{"-i", input, "-o", target, "--width=10", "--height=0"}, "Invalid height value"},
        {{"-i", input, "-o", target, "--brightness=101"}, "Invalid brightness value"},
        {{"-i", input, "-o", target, "--contrast=-101"}, "Invalid contrast value"},
        {{"-i", input, "-o", target, "--gamma=10"}, "Invalid gamma value"},
        {{"-i", input, "-o", target, "--gamma=0.009"}, "Invalid gamma value"},
        {{"-i", input, "-o", target, "--gamma=NaN"}, "Invalid gamma value"},
        {{"-i", input, "-o", target, "--wm-text=x", "--wm-font=NoSuchFont"}, "Invalid watermark font"},
        {{"-i", input, "-o", target, "--wm-image=" + folders.out.path + "missing.png"}, "Invalid watermark image"},
        {{"-i", input, "-o", target, "--wm-image=" + folders.out.path + "empty.pcd"}, "Invalid watermark image"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.push_back("-q");
        ProgramRun run = runKorvane(arguments);
        EXPECT_EQ(run.lines(), Lines{"Error: " + c.error}) << arguments[1] << " " << arguments.back();
    }
    // Without -q the error follows the status line, and nothing else comes.
    ProgramRun loud = runKorvane({"-i", input, "-o", target, "--brightness=-101"});
    EXPECT_EQ(loud.lines(), withBanner({"Preparing...", "Error: Invalid brightness value"}));
    EXPECT_TRUE(filesIn(target).empty());
}

TEST(ConsoleRun, ValuesInRangeAtTheirLimitsAreAccepted)
{
    RunFolders folders;
    ProgramRun run = runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folders.out.path, "--gamma=0.01",
                                 "--brightness=-100", "--contrast=100", "--jpg-bpp=8", "--jpg-quality=1"});
    EXPECT_EQ(run.output, "");
    ProgramRun high = runKorvane({"-q", "-i", testDataPath("kodim23.pcd"), "-o", folders.out.path, "--gamma=9.99",
                                  "--filename-mask=high.%ext%"});
    EXPECT_EQ(high.output, "");
    EXPECT_TRUE(fileExists(folders.out.path + "kodim23.jpg"));
    EXPECT_TRUE(fileExists(folders.out.path + "high.jpg"));
}

TEST(ConsoleRun, DebugValuesComeBeforeTheirErrorLine)
{
    RunFolders folders;
    const std::string input = testDataPath("kodim23.pcd");
    ProgramRun quality = runKorvane({"-q", "-d", "-i", input, "-o", folders.out.path, "--jpg-quality=0"});
    EXPECT_EQ(normalisedLines(quality.output, folders),
              (Lines{"Input: <data>/kodim23.pcd", "Output: <out>/", "Conversion: jpg", "JPG BPP: 0", "JPG Quality: 0",
                     "JPG Chroma Subsampling: NONE", "JPG Save As: STANDARD", "Error: Invalid jpg-quality value"}));

    ProgramRun width = runKorvane({"-q", "-d", "-i", input, "-o", folders.out.path, "--width=0"});
    Lines lines = normalisedLines(width.output, folders);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Width: 0 PIXELS");
    EXPECT_EQ(lines.back(), "Error: Invalid width value");

    ProgramRun conversion = runKorvane({"-q", "-d", "-i", input, "-o", folders.out.path, "-c", "png"});
    EXPECT_EQ(
        normalisedLines(conversion.output, folders),
        (Lines{"Input: <data>/kodim23.pcd", "Output: <out>/", "Conversion: png", "Error: Invalid conversion type"}));

    ProgramRun noExtension = runKorvane({"-q", "-d", "-i", folders.out.path + "photo"});
    EXPECT_EQ(normalisedLines(noExtension.output, folders), (Lines{"Input: <out>/photo", "Error: Invalid input file"}));
    EXPECT_TRUE(filesIn(folders.out.path).empty());
}

TEST(ConsoleRun, InputsThatAreNotAcceptedEndWithoutConversion)
{
    RunFolders folders;
    writeFile(folders.out.path + "list.txt", testDataPath("kodim23.pcd") + "\n");
    writeFile(folders.out.path + "photo.jpg", readFile(testDataPath("kodim23.pcd")));
    const Lines refused = {"Preparing...", "Importing...", "Import complete, new files added: 0", "Conversion stopped",
                           "No input file(s) found. Please, add valid file(s) and try again!"};
    for (const std::string name : {"list.txt", "photo.jpg"}) {
        ProgramRun run = runKorvane({"-i", folders.out.path + name});
        EXPECT_EQ(run.lines(), withBanner(refused)) << name;
        ProgramRun quiet = runKorvane({"-q", "-i", folders.out.path + name});
        EXPECT_EQ(quiet.lines(), Lines(refused.end() - 2, refused.end())) << name;
    }
    EXPECT_EQ(filesIn(folders.out.path).size(), 2u);
}

TEST(ConsoleRun, AFileThatFailsLeavesNothingBehind)
{
    RunFolders folders;
    ScratchFolder input;
    writeFile(input.path + "broken.pcd", std::string(4096, 'x'));
    const std::string path = stubConvertPath(folders.out, "exit 1");
    ProgramRun quiet = runKorvane({"-q", "-i", input.path + "broken.pcd", "-o", input.path}, {{"PATH", path}});
    EXPECT_EQ(quiet.lines(), Lines{"Conversion stopped"});

    ProgramRun debug = runKorvane({"-d", "-i", input.path + "broken.pcd", "-o", input.path}, {{"PATH", path}});
    Lines lines = debug.lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[lines.size() - 4], "File Format: [ERROR] UNRECOGNIZED");
    EXPECT_EQ(lines[lines.size() - 3], "[ERROR] Unable to convert the file!");
    EXPECT_EQ(lines[lines.size() - 2], "Reason: the decoder failed with exit status 1");
    EXPECT_EQ(lines.back(), "Conversion stopped");
    EXPECT_EQ(filesIn(input.path), Lines{"broken.pcd"});
}

// In-process runs for what the program's own format pair cannot reach from
// the command line: the listings of the other formats.
class BatchDriver : public testing::Test {
protected:
    void SetUp() override
    {
        resetSettings(true);
        settings = g_settings;
        buildCatalogue();
        startJob();
    }
    void TearDown() override
    {
        outputFormats = {"jpg"};
        buildAcceptedExtensions();
    }

    // A debug job of the console for the sample picture.
    void startJob()
    {
        job = newJob();
        job.consoleMode = 1;
        job.runMode = "DEBUG";
        job.cliInput = testDataPath("kodim23.pcd");
        job.outputFolder = folders.out.path;
    }

    Lines run(bool quiet)
    {
        testing::internal::CaptureStdout();
        runCommandLineBatch(settings, job, quiet);
        return normalisedLines(testing::internal::GetCapturedStdout(), folders);
    }

    RunFolders folders;
    ConversionSettings settings;
    JobState job;
};

TEST_F(BatchDriver, OtherOutputFormatsListTheirOwnOptions)
{
    outputFormats = {"jpg", "png", "tiff", "psd"};
    job.outputExt = "png";
    settings.pngBpp = 16;
    settings.pngCompression = 3;
    settings.pngInterlaced = 1;
    EXPECT_EQ(run(true), (Lines{"Input: <data>/kodim23.pcd", "Output: <out>/", "Conversion: png", "PNG BPP: 16",
                                "PNG Compression: PXR24", "PNG Interlaced: 1", "Error: Invalid png-bpp value"}));

    startJob();
    job.outputExt = "psd";
    settings.psdBpp = 24;
    Lines psd = run(true);
    EXPECT_EQ(Lines(psd.end() - 2, psd.end()), (Lines{"PSD BPP: 24", "Error: Invalid psd-bpp value"}));
}

TEST_F(BatchDriver, OtherInputGroupsListTheirOptions)
{
    job.jobInputGroup = "raw";
    settings.jpgQuality = 0;
    settings.rawLoadAs = 4;
    settings.rawWidth = 640;
    EXPECT_EQ(run(true), (Lines{"Input: <data>/kodim23.pcd", "Output: <out>/", "Conversion: jpg", "RAW Load As: 48HS",
                                "RAW Header Size: 0", "RAW Image Width: 640", "RAW Image Height: 0",
                                "RAW Tone Mapping: AL", "JPG BPP: 0", "JPG Quality: 0", "JPG Chroma Subsampling: NONE",
                                "JPG Save As: STANDARD", "Error: Invalid jpg-quality value"}));
}

TEST_F(BatchDriver, OnlyAnAcceptedInputMakesTheFileSet)
{
    writeFile(folders.out.path + "a.pcd", "x");
    writeFile(folders.out.path + "b.PCD", "x");
    writeFile(folders.out.path + "empty.pcd", "");
    EXPECT_EQ(acceptedInputFiles(folders.out.path + "a.pcd", job).size(), 1u);
    EXPECT_TRUE(acceptedInputFiles(folders.out.path + "empty.pcd", job).empty());
    EXPECT_TRUE(acceptedInputFiles(folders.out.path + "c.jpg", job).empty());
    const FileSet files = acceptedInputFiles(folders.out.path + "b.PCD", job);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, folders.out.path + "b.PCD");
    EXPECT_EQ(files.begin()->second.relativeFolder, "");
}

TEST_F(BatchDriver, UnreadableInputIsInvalid)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string locked = folders.out.path + "locked.pcd";
    writeFile(locked, "data");
    chmod(locked.c_str(), 0);
    job.cliInput = locked;
    EXPECT_EQ(run(true).back(), "Error: Invalid input file");
}

#include "engine/batch_driver.h"

#include <charconv>
#include <thread>

#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "engine/worker.h"
#include "formats/format_registry.h"
#include "overlay/watermark_font.h"
#include "platform/console.h"
#include "platform/file_access.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/bit_depth_settings.h"
#include "settings/catalogue.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// The lines of the settings listing, printed only on a debug run.
struct Listing {
    bool on = false;
    void line(const std::string& label, const std::string& value) const
    {
        if (on)
            printLine(label + value);
    }
};

std::string number(int64_t value) { return std::to_string(value); }
std::string flag(int value) { return value ? "1" : "0"; }
std::string word(Vocabulary vocabulary, int value) { return settingNameFromValue(vocabulary, value); }

// Always with a decimal point, whatever the user's locale says.
std::string twoDecimals(float value)
{
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
}

// Prints the error line; always false, so that a check can end with it.
bool fail(const std::string& message)
{
    printLine("Error: " + message);
    return false;
}

bool inRange(int value, int lowest, int highest) { return value >= lowest && value <= highest; }

bool checkInput(const Listing& listing)
{
    listing.line("Input: ", g_job.cliInput);
    if (extensionOf(g_job.cliInput).empty()) {
        g_job.cliInput.clear();
        return fail("Invalid input file");
    }
    g_job.inputPath = g_job.cliInput;
    g_job.cliInput.clear();
    std::optional<int64_t> size = regularFileSize(g_job.inputPath);
    if (!size || *size <= 0 || !isReadableFile(g_job.inputPath))
        return fail("Invalid input file");
    return true;
}

// Relative folders are taken from the program's own folder, not from the
// current one, so a script's "-o out" means the same wherever it runs.
bool checkOutputFolder(const Listing& listing)
{
    // The input's own folder, made absolute against the current folder in
    // which the input was found.
    if (g_job.outputFolder.empty())
        g_job.outputFolder = folderOf(absolutePath(g_job.inputPath));
    listing.line("Output: ", g_job.outputFolder);
    if (startsWith(g_job.outputFolder, ".."))
        return fail("Incorrect output folder");
    if (!startsWith(g_job.outputFolder, "/")) {
        if (startsWith(g_job.outputFolder, "./"))
            g_job.outputFolder.erase(0, 2);
        g_job.outputFolder = g_job.programFolder + g_job.outputFolder;
    }
    if (!endsWith(g_job.outputFolder, "/"))
        g_job.outputFolder += "/";
    if (!isDirectory(g_job.outputFolder))
        return fail("Invalid output folder");
    return true;
}

bool checkConversionType(const Listing& listing)
{
    if (g_job.jobInputGroup.empty())
        g_job.jobInputGroup = inputFormats.front();
    if (g_job.outputExt.empty())
        g_job.outputExt = outputFormats.front();
    listing.line("Conversion: ", g_job.outputExt);
    if (!isValidOutputFormat(g_job.outputExt))
        return fail("Invalid conversion type");
    return true;
}

void listInputOptions(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    const std::string& group = g_job.jobInputGroup;
    if (group == "dds") {
        listing.line("DDS Load As: ", word(kDdsLoadAs, s.ddsLoadAs));
    } else if (group == "gif") {
        listing.line("GIF Frame Loading: ", word(kFrameLoading, s.gifFrameLoading));
    } else if (group == "ico") {
        listing.line("ICO Frame Loading: ", word(kFrameLoading, s.icoFrameLoading));
    } else if (group == "psd") {
        listing.line("PSD Color Mode: ", word(kColorMode, s.psdColorMode));
    } else if (group == "raw") {
        listing.line("RAW Load As: ", word(kRawLoadAs, s.rawLoadAs));
        listing.line("RAW Header Size: ", number(s.rawHeaderSize));
        listing.line("RAW Image Width: ", number(s.rawWidth));
        listing.line("RAW Image Height: ", number(s.rawHeight));
        listing.line("RAW Tone Mapping: ", word(kRawToneMapping, s.rawToneMapping));
    } else if (group == "tiff") {
        listing.line("TIFF Frame Loading: ", word(kFrameLoading, s.tiffFrameLoading));
    }
}

void listOutputOptions(const Listing& listing, const std::string& extension)
{
    const ConversionSettings& s = g_settings;
    listing.line(toUpperAscii(extension) + " BPP: ", number(bitDepthSettingFor(s, extension)));
    if (extension == "bmp") {
        listing.line("BMP Compression: ", word(kCompressionCode, s.bmpCompression));
        listing.line("BMP Color Table: ", word(kColorTableMode, s.bmpColorTable));
    } else if (extension == "exr") {
        listing.line("EXR Compression: ", word(kCompressionCode, s.exrCompression));
    } else if (extension == "jpg") {
        listing.line("JPG Quality: ", number(s.jpgQuality));
        listing.line("JPG Chroma Subsampling: ", word(kJpegChroma, s.jpgChroma));
        listing.line("JPG Save As: ", word(kJpegSaveAs, s.jpgSaveAs));
    } else if (extension == "png") {
        listing.line("PNG Compression: ", word(kCompressionCode, s.pngCompression));
        listing.line("PNG Interlaced: ", flag(s.pngInterlaced));
    } else if (extension == "tga") {
        listing.line("TGA Compression: ", word(kCompressionCode, s.tgaCompression));
    } else if (extension == "tiff") {
        listing.line("TIFF Compression: ", word(kCompressionCode, s.tiffCompression));
        listing.line("TIFF Color Mode: ", word(kColorMode, s.tiffColorMode));
    } else if (extension == "webp") {
        listing.line("WEBP Quality: ", number(s.webpQuality));
    }
}

bool isAllowedBpp(const std::string& extension, int bpp)
{
    return bpp == 0 || (bpp > 0 && nearestAllowedBpp(extension, bpp) == bpp);
}

bool checkOutputOptions(const Listing& listing)
{
    const std::string& extension = g_job.outputExt;
    if (!bitDepthSettingOf(extension))
        return true;
    listOutputOptions(listing, extension);
    if (!isAllowedBpp(extension, bitDepthSettingFor(g_settings, extension)))
        return fail("Invalid " + extension + "-bpp value");
    if (extension == "jpg" && !inRange(g_settings.jpgQuality, 1, 100))
        return fail("Invalid jpg-quality value");
    if (extension == "webp" && !inRange(g_settings.webpQuality, 1, 100))
        return fail("Invalid webp-quality value");
    return true;
}

bool checkTransformations(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    if (s.rotateEnabled) {
        listing.line("Image Rotation Type: ", word(kRotationType, s.rotationType));
        listing.line("Image Rotation: ", number(s.rotationAngle));
        listing.line("Image Rotation Back Color: ", s.rotationBackColor);
    }
    if (s.resizeEnabled) {
        listing.line("Width: ", number(s.resizeWidth) + " " + word(kSizeUnit, s.resizeWidthUnit));
        if (s.resizeWidth == 0)
            return fail("Invalid width value");
        listing.line("Height: ", number(s.resizeHeight) + " " + word(kSizeUnit, s.resizeHeightUnit));
        if (s.resizeHeight == 0)
            return fail("Invalid height value");
        listing.line("Keep Aspect Ratio: ", flag(s.keepAspectRatio));
        listing.line("Image Resize Type: ", word(kResizeType, s.resizeType));
        listing.line("Image Resize Algorithm: ", word(kResizeAlgorithm, s.resizeAlgorithm));
    }
    listing.line("Flip Horizontal: ", flag(s.flipHorizontal));
    listing.line("Flip Vertical: ", flag(s.flipVertical));
    if (s.adjustEnabled) {
        listing.line("Brightness: ", number(s.brightness));
        if (!inRange(s.brightness, -100, 100))
            return fail("Invalid brightness value");
        listing.line("Contrast: ", number(s.contrast));
        if (!inRange(s.contrast, -100, 100))
            return fail("Invalid contrast value");
        listing.line("Gamma: ", twoDecimals(s.gamma));
        // Written so that a gamma that is not a number fails too.
        if (!(s.gamma >= 0.01f && s.gamma <= 9.99f))
            return fail("Invalid gamma value");
        listing.line("Invert: ", flag(s.invert));
    }
    listing.line("Greyscale: ", flag(s.greyscale));
    if (s.thresholdEnabled)
        listing.line("Image Threshold: ", number(s.threshold));
    if (s.ditherEnabled)
        listing.line("Image Dithering Algorithm: ", word(kDitherAlgorithm, s.ditherAlgorithm));
    return true;
}

void listFrame(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    listing.line("Frame: ", word(kFrameType, s.frameType));
    if (s.frameType != kSolidFrame)
        return;
    listing.line("Frame left: ", number(s.frameLeft));
    listing.line("Frame right: ", number(s.frameRight));
    listing.line("Frame top: ", number(s.frameTop));
    listing.line("Frame bottom: ", number(s.frameBottom));
    listing.line("Frame left color: ", s.frameLeftColor);
    listing.line("Frame right color: ", s.frameRightColor);
    listing.line("Frame top color: ", s.frameTopColor);
    listing.line("Frame bottom color: ", s.frameBottomColor);
    listing.line("Frame opacity: ", number(s.frameOpacity));
}

// The placement lines, the same for both kinds of watermark.
void listPlacement(const Listing& listing, int boundary, int position, int xOffset, int yOffset, int rotation,
                   int size)
{
    listing.line("Watermark boundary: ", word(kPlacementBoundary, boundary));
    listing.line("Watermark position: ", word(kPlacementPosition, position));
    listing.line("Watermark offset (x/y): ", number(xOffset) + "/" + number(yOffset));
    listing.line("Watermark rotation: ", number(rotation));
    listing.line("Watermark size/mode: ", word(kWatermarkSize, size));
}

bool checkTextWatermark(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    listing.line("Watermark text: ", s.wmText);
    listing.line("Watermark font: ", s.wmFont);
    listing.line("Watermark font size: ", number(s.wmFontSize));
    listing.line("Watermark font leading: ", number(s.wmFontLeading));
    listing.line("Watermark font color: ", s.wmFontColor);
    listing.line("Watermark font style: ", word(kFontStyle, s.wmFontStyle));
    listing.line("Watermark font effect: ", word(kFontEffect, s.wmFontEffect));
    listing.line("Watermark text antialiasing: ", flag(s.wmTextAntialiasing));
    listing.line("Watermark text alignment: ", word(kTextAlignment, s.wmTextAlignment));
    listing.line("Watermark text padding: ", number(s.wmTextPadding));
    listing.line("Watermark text opacity: ", number(s.wmTextOpacity));
    listing.line("Watermark background color: ", s.wmBackColor);
    listing.line("Watermark background opacity: ", number(s.wmBackOpacity));
    listPlacement(listing, s.wmTextBoundary, s.wmTextPosition, s.wmTextXOffset, s.wmTextYOffset, s.wmTextRotation,
                  s.wmTextSize);
    if (!loadWatermarkFont(s.wmFont, s.wmFontSize, s.wmFontStyle, s.wmFontEffect))
        return fail("Invalid watermark font");
    return true;
}

bool checkImageWatermark(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    listing.line("Watermark image: ", s.wmImage);
    listing.line("Watermark greyscale: ", flag(s.wmImageGreyscale));
    listing.line("Watermark opacity: ", number(s.wmImageOpacity));
    listPlacement(listing, s.wmImageBoundary, s.wmImagePosition, s.wmImageXOffset, s.wmImageYOffset,
                  s.wmImageRotation, s.wmImageSize);
    std::optional<int64_t> size = regularFileSize(s.wmImage);
    if (!size || *size <= 0)
        return fail("Invalid watermark image");
    return true;
}

bool checkWatermark(const Listing& listing)
{
    listing.line("Watermark: ", word(kWatermarkType, g_settings.watermarkType));
    if (g_settings.watermarkType == kTextWatermark)
        return checkTextWatermark(listing);
    if (g_settings.watermarkType == kPictureWatermark)
        return checkImageWatermark(listing);
    return true;
}

void listNaming(const Listing& listing)
{
    const ConversionSettings& s = g_settings;
    listing.line("Filename Mask: ", s.filenameMask);
    listing.line("File Timestamp: ", word(kFileTimestampMode, s.fileTimestamp));
    if (s.fileTimestamp == kCustomTimestamp)
        listing.line("Custom Timestamp: ", number(s.customTimestamp));
    listing.line("Keep Subfolders: ", flag(s.keepSubfolders));
}

// Every check in the order the listing shows them; stops at the first error.
bool prepareJob(const Listing& listing)
{
    if (!checkInput(listing) || !checkOutputFolder(listing) || !checkConversionType(listing))
        return false;
    listInputOptions(listing);
    if (!checkOutputOptions(listing) || !checkTransformations(listing))
        return false;
    listFrame(listing);
    if (!checkWatermark(listing))
        return false;
    listNaming(listing);
    g_job.outputFif = outputFormatInfo(g_job.outputExt).fif;
    chooseOutputEncoding(g_settings, g_job);
    return true;
}

void importAndConvert(bool quiet)
{
    if (!quiet)
        printLine(lookupText("General", "Importing"));
    const std::string extension = extensionOf(g_job.inputPath);
    const int files = extension == "txt" || extension == "lst" ? 0 : addInputFile(g_job.inputPath);
    if (!quiet)
        printLine(fillPlaceholders(lookupText("Msg", "Import complete"), number(files), "", "", ""));
    if (files == 0) {
        printLine(lookupText("Msg", "Conversion is not complete"));
        printLine(lookupText("Msg", "Empty input files"));
        return;
    }

    if (!quiet)
        printLine(lookupText("General", "Converting"));
    {
        std::lock_guard<std::mutex> lock(progressMutex);
        g_progress.filesStarted = 0;
        g_progress.currentFile.clear();
        g_progress.filesConverted = 0;
        g_progress.running = 1;
    }
    std::thread worker(ConversionWorker, nullptr);
    worker.join();

    int32_t converted = 0;
    {
        std::lock_guard<std::mutex> lock(progressMutex);
        converted = g_progress.filesConverted;
    }
    if (converted == 0) {
        printLine(lookupText("Msg", "Conversion is not complete"));
    } else if (!quiet) {
        printLine(lookupText("Msg", "Conversion complete"));
        printLine(fillPlaceholders(lookupText("Msg", "Files converted"), number(converted), number(files), "", ""));
    }
}

}  // namespace

int addInputFile(const std::string& path)
{
    if (!isAcceptedInputFile(path))
        return 0;
    g_fileSet.clear();
    g_fileSet[path] = FileEntry{relativeFolderOf(path, g_job.cliInput)};
    return 1;
}

int runCommandLineBatch(bool quiet)
{
    const Listing listing{g_job.runMode == "DEBUG"};
    if (!quiet)
        printLine(lookupText("General", "Preparing"));
    if (prepareJob(listing))
        importAndConvert(quiet);
    // On every path, also when a check or the import stopped the job.
    if (g_settings.watermarkType == kTextWatermark)
        releaseWatermarkFont();
    return 0;
}

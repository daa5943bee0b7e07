#include "engine/job_listing.h"

#include <charconv>

#include "platform/text.h"
#include "settings/bit_depth_settings.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

using Listing = std::vector<ListingLine>;

std::string number(int64_t value)
{
    return std::to_string(value);
}
std::string flag(int value)
{
    return value ? "1" : "0";
}
std::string word(Vocabulary vocabulary, int value)
{
    return settingNameFromValue(vocabulary, value);
}

// Always with a decimal point, whatever the user's locale says.
std::string twoDecimals(float value)
{
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
}

void add(Listing& listing, const std::string& label, const std::string& value,
         std::vector<std::string> problemsAfter = {})
{
    listing.push_back({label + value, std::move(problemsAfter)});
}

// Everything the lines since `from` are checked for is reported after the last of them.
void reportAfterLast(Listing& listing, size_t from, std::vector<std::string> problems)
{
    if (listing.size() > from)
        listing.back().problemsAfter = std::move(problems);
}

void listInputOptions(Listing& listing, const ConversionSettings& s, const std::string& group)
{
    if (group == "dds") {
        add(listing, "DDS Load As: ", word(kDdsLoadAs, s.ddsLoadAs));
    } else if (group == "gif") {
        add(listing, "GIF Frame Loading: ", word(kFrameLoading, s.gifFrameLoading));
    } else if (group == "ico") {
        add(listing, "ICO Frame Loading: ", word(kFrameLoading, s.icoFrameLoading));
    } else if (group == "psd") {
        add(listing, "PSD Color Mode: ", word(kColorMode, s.psdColorMode));
    } else if (group == "raw") {
        add(listing, "RAW Load As: ", word(kRawLoadAs, s.rawLoadAs));
        add(listing, "RAW Header Size: ", number(s.rawHeaderSize));
        add(listing, "RAW Image Width: ", number(s.rawWidth));
        add(listing, "RAW Image Height: ", number(s.rawHeight));
        add(listing, "RAW Tone Mapping: ", word(kRawToneMapping, s.rawToneMapping));
    } else if (group == "tiff") {
        add(listing, "TIFF Frame Loading: ", word(kFrameLoading, s.tiffFrameLoading));
    }
}

void listOutputOptions(Listing& listing, const ConversionSettings& s, const std::string& extension)
{
    if (!bitDepthSettingOf(extension))
        return;
    const size_t from = listing.size();
    add(listing, toUpperAscii(extension) + " BPP: ", number(bitDepthSettingFor(s, extension)));
    if (extension == "bmp") {
        add(listing, "BMP Compression: ", word(kCompressionCode, s.bmpCompression));
        add(listing, "BMP Color Table: ", word(kColorTableMode, s.bmpColorTable));
    } else if (extension == "exr") {
        add(listing, "EXR Compression: ", word(kCompressionCode, s.exrCompression));
    } else if (extension == "jpg") {
        add(listing, "JPG Quality: ", number(s.jpgQuality));
        add(listing, "JPG Chroma Subsampling: ", word(kJpegChroma, s.jpgChroma));
        add(listing, "JPG Save As: ", word(kJpegSaveAs, s.jpgSaveAs));
    } else if (extension == "png") {
        add(listing, "PNG Compression: ", word(kCompressionCode, s.pngCompression));
        add(listing, "PNG Interlaced: ", flag(s.pngInterlaced));
    } else if (extension == "tga") {
        add(listing, "TGA Compression: ", word(kCompressionCode, s.tgaCompression));
    } else if (extension == "tiff") {
        add(listing, "TIFF Compression: ", word(kCompressionCode, s.tiffCompression));
        add(listing, "TIFF Color Mode: ", word(kColorMode, s.tiffColorMode));
    } else if (extension == "webp") {
        add(listing, "WEBP Quality: ", number(s.webpQuality));
    }
    reportAfterLast(listing, from, {"Invalid bit depth", "Invalid quality"});
}

void listTransformations(Listing& listing, const ConversionSettings& s)
{
    if (s.rotateEnabled) {
        add(listing, "Image Rotation Type: ", word(kRotationType, s.rotationType));
        add(listing, "Image Rotation: ", number(s.rotationAngle));
        add(listing, "Image Rotation Back Color: ", s.rotationBackColor);
    }
    if (s.resizeEnabled) {
        add(listing, "Width: ", number(s.resizeWidth) + " " + word(kSizeUnit, s.resizeWidthUnit), {"Invalid width"});
        add(listing, "Height: ", number(s.resizeHeight) + " " + word(kSizeUnit, s.resizeHeightUnit),
            {"Invalid height"});
        add(listing, "Keep Aspect Ratio: ", flag(s.keepAspectRatio));
        add(listing, "Image Resize Type: ", word(kResizeType, s.resizeType));
        add(listing, "Image Resize Algorithm: ", word(kResizeAlgorithm, s.resizeAlgorithm));
    }
    add(listing, "Flip Horizontal: ", flag(s.flipHorizontal));
    add(listing, "Flip Vertical: ", flag(s.flipVertical));
    if (s.adjustEnabled) {
        add(listing, "Brightness: ", number(s.brightness), {"Invalid brightness"});
        add(listing, "Contrast: ", number(s.contrast), {"Invalid contrast"});
        add(listing, "Gamma: ", twoDecimals(s.gamma), {"Invalid gamma"});
        add(listing, "Invert: ", flag(s.invert));
    }
    add(listing, "Greyscale: ", flag(s.greyscale));
    if (s.thresholdEnabled)
        add(listing, "Image Threshold: ", number(s.threshold));
    if (s.ditherEnabled)
        add(listing, "Image Dithering Algorithm: ", word(kDitherAlgorithm, s.ditherAlgorithm));
}

void listFrame(Listing& listing, const ConversionSettings& s)
{
    add(listing, "Frame: ", word(kFrameType, s.frameType));
    if (s.frameType != kSolidFrame)
        return;
    add(listing, "Frame left: ", number(s.frameLeft));
    add(listing, "Frame right: ", number(s.frameRight));
    add(listing, "Frame top: ", number(s.frameTop));
    add(listing, "Frame bottom: ", number(s.frameBottom));
    add(listing, "Frame left color: ", s.frameLeftColor);
    add(listing, "Frame right color: ", s.frameRightColor);
    add(listing, "Frame top color: ", s.frameTopColor);
    add(listing, "Frame bottom color: ", s.frameBottomColor);
    add(listing, "Frame opacity: ", number(s.frameOpacity));
}

// The placement lines, the same for both kinds of watermark.
void listPlacement(Listing& listing, int boundary, int position, int xOffset, int yOffset, int rotation, int size)
{
    add(listing, "Watermark boundary: ", word(kPlacementBoundary, boundary));
    add(listing, "Watermark position: ", word(kPlacementPosition, position));
    add(listing, "Watermark offset (x/y): ", number(xOffset) + "/" + number(yOffset));
    add(listing, "Watermark rotation: ", number(rotation));
    add(listing, "Watermark size/mode: ", word(kWatermarkSize, size));
}

void listTextWatermark(Listing& listing, const ConversionSettings& s)
{
    const size_t from = listing.size();
    add(listing, "Watermark text: ", s.wmText);
    add(listing, "Watermark font: ", s.wmFont);
    add(listing, "Watermark font size: ", number(s.wmFontSize));
    add(listing, "Watermark font leading: ", number(s.wmFontLeading));
    add(listing, "Watermark font color: ", s.wmFontColor);
    add(listing, "Watermark font style: ", word(kFontStyle, s.wmFontStyle));
    add(listing, "Watermark font effect: ", word(kFontEffect, s.wmFontEffect));
    add(listing, "Watermark text antialiasing: ", flag(s.wmTextAntialiasing));
    add(listing, "Watermark text alignment: ", word(kTextAlignment, s.wmTextAlignment));
    add(listing, "Watermark text padding: ", number(s.wmTextPadding));
    add(listing, "Watermark text opacity: ", number(s.wmTextOpacity));
    add(listing, "Watermark background color: ", s.wmBackColor);
    add(listing, "Watermark background opacity: ", number(s.wmBackOpacity));
    listPlacement(listing, s.wmTextBoundary, s.wmTextPosition, s.wmTextXOffset, s.wmTextYOffset, s.wmTextRotation,
                  s.wmTextSize);
    reportAfterLast(listing, from, {"Invalid watermark font"});
}

void listPictureWatermark(Listing& listing, const ConversionSettings& s)
{
    const size_t from = listing.size();
    add(listing, "Watermark image: ", s.wmImage);
    add(listing, "Watermark greyscale: ", flag(s.wmImageGreyscale));
    add(listing, "Watermark opacity: ", number(s.wmImageOpacity));
    listPlacement(listing, s.wmImageBoundary, s.wmImagePosition, s.wmImageXOffset, s.wmImageYOffset, s.wmImageRotation,
                  s.wmImageSize);
    reportAfterLast(listing, from, {"Empty watermark image", "Invalid watermark image"});
}

void listWatermark(Listing& listing, const ConversionSettings& s)
{
    add(listing, "Watermark: ", word(kWatermarkType, s.watermarkType));
    if (s.watermarkType == kTextWatermark)
        listTextWatermark(listing, s);
    else if (s.watermarkType == kPictureWatermark)
        listPictureWatermark(listing, s);
}

void listNaming(Listing& listing, const ConversionSettings& s)
{
    add(listing, "Filename Mask: ", s.filenameMask);
    add(listing, "File Timestamp: ", word(kFileTimestampMode, s.fileTimestamp));
    if (s.fileTimestamp == kCustomTimestamp)
        add(listing, "Custom Timestamp: ", number(s.customTimestamp));
    add(listing, "Keep Subfolders: ", flag(s.keepSubfolders));
}

}  // namespace

std::vector<ListingLine> consoleJobListing(const ConversionSettings& settings, const JobState& job)
{
    Listing listing;
    add(listing, "Input: ", job.inputPath, {"Invalid input file"});
    add(listing, "Output: ", job.outputFolder, {"Incorrect output folder", "Invalid output folder"});
    add(listing, "Conversion: ", job.outputExt, {"Invalid conversion type"});
    listInputOptions(listing, settings, job.jobInputGroup);
    listOutputOptions(listing, settings, job.outputExt);
    listTransformations(listing, settings);
    listFrame(listing, settings);
    listWatermark(listing, settings);
    listNaming(listing, settings);
    return listing;
}

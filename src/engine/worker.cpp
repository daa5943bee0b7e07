#include "engine/worker.h"

#include <FreeImage.h>

#include <algorithm>

#include "engine/geometry.h"
#include "engine/output_encoding.h"
#include "engine/output_file.h"
#include "engine/photocd_decoder.h"
#include "engine/photocd_source.h"
#include "engine/resize.h"
#include "engine/tone.h"
#include "overlay/frame.h"
#include "overlay/naming.h"
#include "overlay/watermark.h"
#include "picture/picture_handle.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "settings/conversion_settings.h"
#include "settings/vocabularies.h"

namespace {

// convert's subimage indexes: 3 is the Base, and each index above it doubles
// the sides. A PhotoCD level (0 Base, 1 4Base, 2 16Base) is kBaseSubimage below its index.
constexpr int kHighestSubimage = 6;
constexpr int kBaseSubimage = 3;
constexpr int kPauseAfterDecoderMs = 30;

// The private folder that holds the temporary picture of one file and
// disappears with everything in it, whichever way the file ends.
struct WorkFolder {
    PrivateFolder folder = createPrivateTempFolder();
    ~WorkFolder() { removeTempFolder(folder.path); }
};

// The lowest subimage index above which the input cannot hold a picture.
int highestUsefulSubimage(const std::string& inputPath)
{
    std::optional<int> level = storedPhotoCdLevel(inputPath);
    return level ? kBaseSubimage + *level : kHighestSubimage;
}

// Tries the subimages from the largest down until the decoder leaves a file.
// A decoder stopped at the time limit ends the ladder, so that a hanging
// convert costs one time limit per file, not seven; so does one that cannot
// be started, which no other index would change. Returns how its last run
// ended.
ProgramEnd extractLargestSubimage(const std::string& inputPath, const std::string& picturePath,
                                  const std::string& workFolder)
{
    const int highest = highestUsefulSubimage(inputPath);
    ProgramEnd last;
    for (int index = kHighestSubimage; index >= 0 && !pathExists(picturePath); --index) {
        if (index > highest)
            continue;
        last = extractSubimage(inputPath, index, picturePath, workFolder);
        if (last.outcome != ProgramOutcome::Finished)
            break;
        // The pause gives a late file time to appear before the next index
        // is tried; a file already there has nothing to wait for.
        if (!pathExists(picturePath))
            sleepMilliseconds(kPauseAfterDecoderMs);
    }
    return last;
}

bool debugListing(const JobState& job)
{
    return job.consoleMode && job.runMode == "DEBUG";
}

// The picture of the built-in decoder. It may be smaller than what convert
// would have given and replace a larger earlier output, so the debug listing
// says when it was used, at which resolution, and why it stopped below the
// highest one the pac claims.
BuiltInPicture builtInPicture(const std::string& inputPath, bool debug)
{
    BuiltInPicture decoded = decodeWithBuiltInDecoder(inputPath);
    if (debug) {
        if (!decoded.stop.empty())
            printLine("Built-in decoder: " + decoded.stop);
        if (decoded.picture)
            printLine("Built-in decoder: the picture was decoded at " +
                      std::to_string(FreeImage_GetWidth(decoded.picture.get())) + "x" +
                      std::to_string(FreeImage_GetHeight(decoded.picture.get())) + " (" +
                      photoCdLevelName(decoded.level) + ") without convert");
    }
    return decoded;
}

// The largest picture convert leaves in the work folder, extracted once more
// at the size its shape suggests and turned as the pac says; null when
// convert gives none, and then decoder tells how its last run ended and
// pictureLeft whether it left a file that could not be read.
BitmapHandle pictureByConvert(const std::string& inputPath, const std::string& workFolder, ProgramEnd& decoder,
                              bool& pictureLeft)
{
    // A fixed name: the folder is private, and no character of the user's
    // file name reaches convert's command line.
    const std::string picturePath = workFolder + "picture.ppm";
    decoder = extractLargestSubimage(inputPath, picturePath, workFolder);
    BitmapHandle picture(loadExtractedPicture(picturePath));
    if (picture) {
        if (int subimage = subimageWorthExtracting(static_cast<int>(FreeImage_GetWidth(picture.get())),
                                                   static_cast<int>(FreeImage_GetHeight(picture.get())))) {
            picture.reset();
            removeFile(picturePath);
            sleepMilliseconds(kPauseAfterDecoderMs);
            decoder = extractSubimage(inputPath, subimage, picturePath, workFolder);
            picture.reset(loadExtractedPicture(picturePath));
        }
    }
    pictureLeft = !picture && pathExists(picturePath);
    if (picture)
        turnAsTheBuiltInDecoderDoes(picture.get(), inputPath);
    return picture;
}

// Why a file has no picture: convert's last run, the built-in decoder having
// failed as well.
FileOutcome withoutPicture(const ProgramEnd& decoder, bool pictureLeft)
{
    FileOutcome outcome;
    switch (decoder.outcome) {
    case ProgramOutcome::NotStarted:
        outcome.failure = FileFailure::DecoderNotStarted;
        outcome.detail = decoder.failure;
        break;
    case ProgramOutcome::TimedOut:
        outcome.failure = FileFailure::DecoderTimedOut;
        outcome.timeoutSeconds = g_decoderTimeoutSeconds;
        break;
    case ProgramOutcome::Finished:
        outcome.failure = pictureLeft ? FileFailure::UnreadablePicture : FileFailure::DecoderFailed;
        outcome.exitStatus = decoder.exitStatus;
        outcome.signal = decoder.signal;
        break;
    }
    return outcome;
}

// The decoded input: convert's picture, else the built-in decoder's, which
// also serves when convert is missing, fails, hangs or has nowhere to write;
// or the built-in decoder's alone, which writes no temporary picture. Without
// a picture, why not.
BitmapHandle decodedPicture(const std::string& inputPath, int32_t decoderChoice, bool debug, FileOutcome& failure)
{
    if (decoderChoice != kBuiltInDecoder) {
        WorkFolder work;
        ProgramEnd decoder{ProgramOutcome::NotStarted, 0, 0, "no work folder (" + work.folder.failure + ")"};
        bool pictureLeft = false;
        if (!work.folder.path.empty()) {
            if (BitmapHandle picture = pictureByConvert(inputPath, work.folder.path, decoder, pictureLeft))
                return picture;
        }
        BuiltInPicture builtIn = builtInPicture(inputPath, debug);
        if (!builtIn.picture)
            failure = withoutPicture(decoder, pictureLeft);
        return std::move(builtIn.picture);
    }
    BuiltInPicture builtIn = builtInPicture(inputPath, debug);
    if (!builtIn.picture) {
        failure.failure = FileFailure::BuiltInDecoderFailed;
        failure.detail = builtIn.stop;
    }
    return std::move(builtIn.picture);
}

FileOutcome refusedBy(const char* step)
{
    FileOutcome outcome;
    outcome.failure = FileFailure::StepRefused;
    outcome.step = step;
    return outcome;
}

NamingFacts namingFactsOf(const JobState& job, const FileJob& file)
{
    return {file.inputPath,    job.outputExt,     file.outputBpp,  file.outputWidth,
            file.outputHeight, file.randomNumber, file.fileCounter};
}

int widthOf(const BitmapHandle& picture)
{
    return static_cast<int>(FreeImage_GetWidth(picture.get()));
}
int heightOf(const BitmapHandle& picture)
{
    return static_cast<int>(FreeImage_GetHeight(picture.get()));
}

// The fixed chain from the loaded picture to the one saved; the file's size
// and depth follow the picture. Every step either hands on a picture or
// fails the file, naming itself.
FileOutcome runTransformations(BitmapHandle& picture, const ConversionSettings& settings, const JobState& job,
                               const std::optional<WatermarkFont>& font, FileJob& file)
{
    picture = rotatePicture(std::move(picture), settings);
    if (!picture)
        return refusedBy("rotation");
    picture = resizePicture(std::move(picture), widthOf(picture), heightOf(picture), settings);
    if (!picture)
        return refusedBy("resize");
    const int width = widthOf(picture);
    const int height = heightOf(picture);
    picture = flipPicture(std::move(picture), settings);
    picture = adjustPicture(std::move(picture), settings);
    if (!picture)
        return refusedBy("adjustment");
    picture = greyscalePicture(std::move(picture), settings);
    if (!picture)
        return refusedBy("greyscale");
    picture = thresholdPicture(std::move(picture), settings);
    if (!picture)
        return refusedBy("threshold");
    picture = ditherPicture(std::move(picture), settings);
    if (!picture)
        return refusedBy("dither");
    picture = applyFrame(std::move(picture), width, height, settings);
    if (!picture)
        return refusedBy("frame");
    // The output depth is settled from here on, and a watermark text may name it.
    file.outputBpp = outputBppFor(job, file.sourceBpp);
    picture = applyWatermark(std::move(picture), width, height, settings, namingFactsOf(job, file), font);
    if (!picture)
        return refusedBy("watermark");
    picture = convertToOutputBpp(std::move(picture), file.outputBpp, job.outputExt);
    if (!picture)
        return refusedBy("bit-depth conversion");
    file.outputWidth = width;
    file.outputHeight = height;
    return {};
}

}  // namespace

int subimageWorthExtracting(int width, int height)
{
    const int longSide = std::max(width, height);
    const int shortSide = std::min(width, height);
    if (shortSide <= 0)
        return 0;
    const float ratio = static_cast<float>(longSide) / static_cast<float>(shortSide);
    if (!(ratio > 1.6f))
        return 0;
    switch (shortSide) {
    case 2048: return kBaseSubimage + 2;
    case 1024: return kBaseSubimage + 1;
    case 512: return kBaseSubimage;
    default: return 0;
    }
}

FileOutcome convertFile(const ConversionSettings& settings, const JobState& job,
                        const std::optional<WatermarkFont>& font, FileJob& file)
{
    FileOutcome noPicture;
    BitmapHandle picture = decodedPicture(file.inputPath, settings.photoCdDecoder, debugListing(job), noPicture);
    if (!picture)
        return noPicture;
    file.sourceBpp = static_cast<int32_t>(FreeImage_GetBPP(picture.get()));

    if (FileOutcome transformed = runTransformations(picture, settings, job, font, file); !transformed.converted())
        return transformed;
    file.outputPath = buildOutputPath(settings, job.outputFolder, file.relativeFolder, namingFactsOf(job, file));
    FileOutcome outcome;
    outcome.outputPath = file.outputPath;
    if (file.settleOutputPath) {
        const SettledOutput settled = file.settleOutputPath(file.outputPath);
        file.outputPath = outcome.outputPath = settled.path;
        if (settled.leaveAlone) {
            outcome.failure = FileFailure::OutputExists;
            return outcome;
        }
    }
    // A mask that names the input itself (or a link to it) must not replace it.
    if (isSameFile(file.outputPath, file.inputPath)) {
        outcome.failure = FileFailure::NameClash;
        return outcome;
    }
    if (WriteResult saved = saveOutputFile(picture, job.outputFif, job.outputFolder, file.outputPath, job.saveFlags);
        !saved) {
        outcome.failure = FileFailure::SaveFailed;
        outcome.detail = saved.failure;
    }
    return outcome;
}

void setOutputFileDate(const ConversionSettings& settings, const FileJob& file)
{
    switch (settings.fileTimestamp) {
    case kOriginalTimestamp:
        if (std::optional<int64_t> original = lastWriteTime(file.inputPath))
            setLastWriteTime(file.outputPath, *original);
        break;
    case kCustomTimestamp: setLastWriteTime(file.outputPath, localTimeToFileTime(settings.customTimestamp)); break;
    default: break;
    }
}

#include "engine/worker.h"

#include <FreeImage.h>

#include <algorithm>

#include "engine/file_gate.h"
#include "engine/geometry.h"
#include "engine/output_encoding.h"
#include "engine/output_file.h"
#include "engine/photocd_decoder.h"
#include "engine/photocd_source.h"
#include "engine/resize.h"
#include "engine/tone.h"
#include "formats/signatures.h"
#include "overlay/frame.h"
#include "overlay/naming.h"
#include "overlay/watermark.h"
#include "picture/picture_handle.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/text.h"
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
    std::string path = createPrivateTempFolder();
    ~WorkFolder() { removeTempFolder(path); }
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
// be started, which no other index would change.
void extractLargestSubimage(const std::string& inputPath, const std::string& picturePath, const std::string& workFolder)
{
    const int highest = highestUsefulSubimage(inputPath);
    for (int index = kHighestSubimage; index >= 0 && !pathExists(picturePath); --index) {
        if (index > highest)
            continue;
        if (extractSubimage(inputPath, index, picturePath, workFolder) != ProgramOutcome::Finished)
            break;
        // The pause gives a late file time to appear before the next index
        // is tried; a file already there has nothing to wait for.
        if (!pathExists(picturePath))
            sleepMilliseconds(kPauseAfterDecoderMs);
    }
}

bool debugListing(const JobState& job)
{
    return job.consoleMode && job.runMode == "DEBUG";
}

// The picture of the built-in decoder. It may be smaller than what convert
// would have given and replace a larger earlier output, so the debug listing
// says when it was used, at which resolution, and why it stopped below the
// highest one the pac claims.
BitmapHandle builtInPicture(const JobState& job)
{
    BuiltInPicture decoded = decodeWithBuiltInDecoder(job.inputPath);
    if (debugListing(job)) {
        if (!decoded.stop.empty())
            printLine("Built-in decoder: " + decoded.stop);
        if (decoded.picture)
            printLine("Built-in decoder: the picture was decoded at " +
                      std::to_string(FreeImage_GetWidth(decoded.picture.get())) + "x" +
                      std::to_string(FreeImage_GetHeight(decoded.picture.get())) + " (" +
                      photoCdLevelName(decoded.level) + ") without convert");
    }
    return std::move(decoded.picture);
}

// The largest picture convert leaves in the work folder, extracted once more
// at the size its shape suggests; null when convert gives none.
BitmapHandle pictureByConvert(const std::string& inputPath, const std::string& workFolder)
{
    // A fixed name: the folder is private, and no character of the user's
    // file name reaches convert's command line.
    const std::string picturePath = workFolder + "picture.ppm";
    extractLargestSubimage(inputPath, picturePath, workFolder);
    BitmapHandle picture(loadExtractedPicture(picturePath));
    if (!picture)
        return picture;
    if (int subimage = subimageWorthExtracting(static_cast<int>(FreeImage_GetWidth(picture.get())),
                                               static_cast<int>(FreeImage_GetHeight(picture.get())))) {
        picture.reset();
        removeFile(picturePath);
        sleepMilliseconds(kPauseAfterDecoderMs);
        extractSubimage(inputPath, subimage, picturePath, workFolder);
        picture.reset(loadExtractedPicture(picturePath));
    }
    if (picture)
        turnAsTheBuiltInDecoderDoes(picture.get(), inputPath);
    return picture;
}

// The decoded input: convert's picture, else the built-in decoder's, which
// also serves when convert is missing, fails, hangs or has nowhere to write.
BitmapHandle decodedPicture(const JobState& job, PhotoCdDecoder decoder)
{
    if (decoder == PhotoCdDecoder::Convert) {
        WorkFolder work;
        if (!work.path.empty()) {
            if (BitmapHandle picture = pictureByConvert(job.inputPath, work.path))
                return picture;
        }
    }
    return builtInPicture(job);
}

NamingFacts namingFactsOf(const JobState& job)
{
    return {job.inputPath,    job.outputExt,    job.outputBpp,  job.outputWidth,
            job.outputHeight, job.randomNumber, job.fileCounter};
}

int widthOf(const BitmapHandle& picture)
{
    return static_cast<int>(FreeImage_GetWidth(picture.get()));
}
int heightOf(const BitmapHandle& picture)
{
    return static_cast<int>(FreeImage_GetHeight(picture.get()));
}

// The fixed chain from the loaded picture to the one saved; width and height
// follow the picture's size. nullptr when a step fails.
BitmapHandle runTransformations(BitmapHandle loaded, int& width, int& height, const ConversionSettings& settings,
                                JobState& job)
{
    FIBITMAP* picture = rotatePicture(loaded.release(), settings);
    if (picture) {
        width = static_cast<int>(FreeImage_GetWidth(picture));
        height = static_cast<int>(FreeImage_GetHeight(picture));
    }
    picture = resizePicture(picture, width, height, settings);
    if (picture) {
        width = static_cast<int>(FreeImage_GetWidth(picture));
        height = static_cast<int>(FreeImage_GetHeight(picture));
        flipPicture(picture, settings);
    }
    picture = adjustPicture(picture, settings);
    picture = greyscalePicture(picture, settings);
    picture = thresholdPicture(picture, settings);
    picture = ditherPicture(picture, settings);
    picture = applyFrame(picture, width, height, settings);
    // The output depth is settled from here on, and a watermark text may name it.
    resolveAutomaticOutputBpp(job);
    picture = applyWatermark(picture, width, height, settings, namingFactsOf(job));
    return BitmapHandle(convertToOutputBpp(picture, job));
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

bool convertFile(const ConversionSettings& settings, JobState& job, PhotoCdDecoder decoder)
{
    BitmapHandle picture = decodedPicture(job, decoder);
    int width = picture ? widthOf(picture) : 0;
    int height = picture ? heightOf(picture) : 0;
    job.sourceBpp = picture ? static_cast<int32_t>(FreeImage_GetBPP(picture.get())) : 0;
    if (width == 0 || height == 0)
        return false;

    picture = runTransformations(std::move(picture), width, height, settings, job);
    job.outputWidth = width;
    job.outputHeight = height;
    job.outputPath = buildOutputPath(settings, job.outputFolder, job.relativeFolder, namingFactsOf(job));
    // A mask that names the input itself (or a link to it) must not replace it.
    return !isSameFile(job.outputPath, job.inputPath) &&
           saveOutputFile(picture.get(), job.outputFif, job.outputFolder, job.outputPath, job.saveFlags);
}

void setOutputFileDate(const ConversionSettings& settings, const JobState& job)
{
    switch (settings.fileTimestamp) {
    case kOriginalTimestamp:
        if (std::optional<int64_t> original = lastWriteTime(job.inputPath))
            setLastWriteTime(job.outputPath, *original);
        break;
    case kCustomTimestamp: setLastWriteTime(job.outputPath, localTimeToFileTime(settings.customTimestamp)); break;
    default: break;
    }
}

int ConversionWorker(void*)
{
    // Read once: the interface thread does not change the settings while a
    // job runs, and the job state is this thread's until it ends.
    const ConversionSettings settings = g_settings;
    JobState& job = g_job;
    const bool debug = debugListing(job);
    int32_t started = 0;
    int32_t converted = 0;
    int64_t lastDuration = 0;
    for (const auto& [path, entry] : g_fileSet) {
        passFileGate();
        if (!g_progress.running)
            break;
        job.inputPath = path;
        job.relativeFolder = entry.relativeFolder;
        {
            std::lock_guard<std::mutex> lock(progressMutex);
            g_progress.filesStarted = ++started;
            g_progress.currentFile = path;
            g_progress.lastDurationMs = lastDuration;
        }
        if (debug) {
            printLine("Processing: " + path);
            printLine("File Format: " + identifyFileSignature(path));
        }
        const int64_t begin = monotonicMilliseconds();
        if (convertFile(settings, job)) {
            if (debug)
                printLine("[OK] Saving As: " + job.outputPath);
            ++converted;
            lastDuration = std::max<int64_t>(monotonicMilliseconds() - begin, 1000);
            job.randomNumber = randomInRange(1, 99999);
            job.fileCounter += 1;
            setOutputFileDate(settings, job);
        } else {
            lastDuration = 0;
            if (debug)
                printLine("[ERROR] Unable to convert the file!");
        }
    }
    std::lock_guard<std::mutex> lock(progressMutex);
    g_progress.filesConverted = converted;
    return 0;
}

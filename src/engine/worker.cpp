#include "engine/worker.h"

#include <FreeImage.h>

#include <algorithm>

#include "engine/file_gate.h"
#include "engine/geometry.h"
#include "engine/output_encoding.h"
#include "engine/output_file.h"
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
// convert costs one time limit per file, not seven.
void extractLargestSubimage(const std::string& inputPath, const std::string& picturePath, const std::string& workFolder)
{
    const int highest = highestUsefulSubimage(inputPath);
    for (int index = kHighestSubimage; index >= 0 && !pathExists(picturePath); --index) {
        if (index > highest)
            continue;
        if (extractSubimage(inputPath, index, picturePath, workFolder) == ProgramOutcome::TimedOut)
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

// The picture convert left, else the Base decoded here from the pac. The
// Base may be smaller than what convert would have given and replace a
// larger earlier output, so the debug listing says when it was used.
BitmapHandle loadPicture(const std::string& picturePath, const JobState& job)
{
    if (FIBITMAP* picture = loadExtractedPicture(picturePath))
        return BitmapHandle(picture);
    BitmapHandle base(decodeBasePicture(job.inputPath));
    if (base && debugListing(job))
        printLine("Base fallback: the picture was decoded at " + std::to_string(FreeImage_GetWidth(base.get())) + "x" +
                  std::to_string(FreeImage_GetHeight(base.get())) + " without convert");
    return base;
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

bool convertFile(const ConversionSettings& settings, JobState& job)
{
    WorkFolder work;
    // A fixed name: the folder is private, and no character of the user's
    // file name reaches convert's command line. Without a work folder convert
    // has nowhere to write, and the Base is still decoded from the pac.
    const std::string picturePath = work.path.empty() ? std::string() : work.path + "picture.ppm";

    if (!work.path.empty())
        extractLargestSubimage(job.inputPath, picturePath, work.path);
    BitmapHandle picture = loadPicture(picturePath, job);
    int width = picture ? widthOf(picture) : 0;
    int height = picture ? heightOf(picture) : 0;
    job.sourceBpp = picture ? static_cast<int32_t>(FreeImage_GetBPP(picture.get())) : 0;
    if (width == 0 || height == 0)
        return false;

    if (int subimage = work.path.empty() ? 0 : subimageWorthExtracting(width, height)) {
        picture.reset();
        removeFile(picturePath);
        sleepMilliseconds(kPauseAfterDecoderMs);
        extractSubimage(job.inputPath, subimage, picturePath, work.path);
        picture = loadPicture(picturePath, job);
        if (!picture)
            return false;
        width = widthOf(picture);
        height = heightOf(picture);
    }

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

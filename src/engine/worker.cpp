#include "engine/worker.h"

#include <FreeImage.h>

#include <algorithm>

#include "engine/file_gate.h"
#include "engine/geometry.h"
#include "engine/job_state.h"
#include "engine/output_encoding.h"
#include "engine/output_file.h"
#include "engine/photocd_source.h"
#include "engine/tone.h"
#include "formats/signatures.h"
#include "overlay/frame.h"
#include "overlay/naming.h"
#include "overlay/watermark.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"

namespace {

constexpr int kHighestSubimage = 6;
constexpr int kBaseSubimage = 3;
constexpr int kPauseAfterDecoderMs = 30;

enum FileTimestampMode { kCurrent = 0, kOriginal = 1, kCustom = 2 };

// The private folder that holds the temporary picture of one file and
// disappears with everything in it, whichever way the file ends.
struct WorkFolder {
    std::string path = createPrivateTempFolder();
    ~WorkFolder() { removeTempFolder(path); }
};

// The lowest subimage index above which the input cannot hold a picture.
int highestUsefulSubimage(const std::string& inputPath)
{
    std::optional<int> stored = storedPhotoCdLevel(inputPath);
    return stored ? kBaseSubimage + *stored : kHighestSubimage;
}

// Step 3 of the pipeline: tries the subimages from the largest down until
// the decoder leaves a file. A decoder stopped at the time limit ends the
// ladder, so that a hanging convert costs one time limit per file, not seven.
void extractLargestSubimage(const std::string& picturePath, const std::string& workFolder)
{
    const int highest = highestUsefulSubimage(g_job.inputPath);
    for (int index = kHighestSubimage; index >= 0 && !pathExists(picturePath); --index) {
        if (index > highest)
            continue;
        if (extractSubimage(g_job.inputPath, index, picturePath, workFolder) == ProgramOutcome::TimedOut)
            break;
        // The pause gives a late file time to appear before the next index
        // is tried; a file already there has nothing to wait for.
        if (!pathExists(picturePath))
            sleepMilliseconds(kPauseAfterDecoderMs);
    }
}

FIBITMAP* runTransformations(FIBITMAP* picture, int& width, int& height)
{
    picture = rotatePicture(picture);
    if (picture) {
        width = static_cast<int>(FreeImage_GetWidth(picture));
        height = static_cast<int>(FreeImage_GetHeight(picture));
    }
    picture = resizePicture(picture, width, height);
    if (picture) {
        width = static_cast<int>(FreeImage_GetWidth(picture));
        height = static_cast<int>(FreeImage_GetHeight(picture));
        flipPicture(picture);
    }
    picture = adjustPicture(picture);
    picture = greyscalePicture(picture);
    picture = thresholdPicture(picture);
    picture = ditherPicture(picture);
    picture = applyFrame(picture, width, height);
    picture = applyWatermark(picture, width, height);
    return convertToOutputBpp(picture);
}

}  // namespace

int photoCdLevelForSize(int width, int height)
{
    const int longSide = std::max(width, height);
    const int shortSide = std::min(width, height);
    if (shortSide <= 0)
        return 0;
    const float ratio = static_cast<float>(longSide) / static_cast<float>(shortSide);
    if (!(ratio > 1.6f))
        return 0;
    switch (shortSide) {
    case 2048: return 5;
    case 1024: return 4;
    case 512: return 3;
    default: return 0;
    }
}

bool convertFile()
{
    WorkFolder work;
    // A fixed name: the folder is private, and no character of the user's
    // file name reaches convert's command line. Without a work folder convert
    // has nowhere to write, and FreeImage's own decoder still gives the Base.
    const std::string picturePath = work.path.empty() ? std::string() : work.path + "picture.ppm";

    if (!work.path.empty())
        extractLargestSubimage(picturePath, work.path);
    FIBITMAP* picture = loadExtractedPicture(picturePath, g_job.inputPath);
    int width = picture ? static_cast<int>(FreeImage_GetWidth(picture)) : 0;
    int height = picture ? static_cast<int>(FreeImage_GetHeight(picture)) : 0;
    g_job.sourceBpp = picture ? static_cast<int32_t>(FreeImage_GetBPP(picture)) : 0;
    if (width == 0 || height == 0) {
        if (picture)
            FreeImage_Unload(picture);
        return false;
    }

    if (int level = work.path.empty() ? 0 : photoCdLevelForSize(width, height)) {
        FreeImage_Unload(picture);
        removeFile(picturePath);
        sleepMilliseconds(kPauseAfterDecoderMs);
        extractSubimage(g_job.inputPath, level, picturePath, work.path);
        picture = loadExtractedPicture(picturePath, g_job.inputPath);
        if (!picture)
            return false;
        width = static_cast<int>(FreeImage_GetWidth(picture));
        height = static_cast<int>(FreeImage_GetHeight(picture));
    }

    picture = runTransformations(picture, width, height);
    g_job.outputWidth = width;
    g_job.outputHeight = height;
    g_job.outputPath = buildOutputPath();
    // A mask that names the input itself (or a link to it) must not replace it.
    const bool saved = !isSameFile(g_job.outputPath, g_job.inputPath) &&
                       saveOutputFile(picture, g_job.outputFif, g_job.outputPath, g_job.saveFlags);
    if (picture)
        FreeImage_Unload(picture);
    return saved;
}

void setOutputFileDate()
{
    switch (g_settings.fileTimestamp) {
    case kOriginal:
        if (std::optional<int64_t> original = lastWriteTime(g_job.inputPath))
            setLastWriteTime(g_job.outputPath, *original);
        break;
    case kCustom:
        setLastWriteTime(g_job.outputPath, localTimeToFileTime(g_settings.customTimestamp));
        break;
    default:
        break;
    }
}

int ConversionWorker(void*)
{
    const bool debug = g_job.consoleMode && g_job.runMode == "DEBUG";
    int32_t started = 0;
    int32_t converted = 0;
    int64_t lastDuration = 0;
    for (const auto& [path, entry] : g_fileSet) {
        passFileGate();
        if (!g_progress.running)
            break;
        g_job.inputPath = path;
        g_job.relativeFolder = entry.relativeFolder;
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
        if (convertFile()) {
            if (debug)
                printLine("[OK] Saving As: " + g_job.outputPath);
            ++converted;
            lastDuration = std::max<int64_t>(monotonicMilliseconds() - begin, 1000);
            g_job.randomNumber = randomInRange(1, 99999);
            g_job.fileCounter += 1;
            setOutputFileDate();
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

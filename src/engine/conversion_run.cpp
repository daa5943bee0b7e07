#include "engine/conversion_run.h"

#include <algorithm>

#include "engine/listed_file.h"
#include "platform/clock.h"
#include "settings/vocabularies.h"

namespace {

std::optional<WatermarkFont> runFont(const ConversionSettings& settings)
{
    if (settings.watermarkType != kTextWatermark)
        return std::nullopt;
    return loadWatermarkFont(settings.wmFont, settings.wmFontSize, settings.wmFontStyle, settings.wmFontEffect);
}

}  // namespace

ConversionRun::ConversionRun(ConversionSettings settings, JobState job, FileSet files)
    : settings_(std::move(settings)), job_(std::move(job)), files_(std::move(files)),
      font_(runFont(settings_)), numbering_{job_.fileCounter, job_.randomNumber}
{
}

ConversionRun::~ConversionRun()
{
    stop();
    if (worker_.joinable())
        worker_.join();
}

void ConversionRun::start()
{
    if (started_)
        return;
    started_ = true;
    worker_ = std::thread(&ConversionRun::work, this);
}

RunProgress ConversionRun::snapshot() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return progress_;
}

void ConversionRun::pause()
{
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = true;
}

void ConversionRun::resume()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        paused_ = false;
    }
    gateOpened_.notify_all();
}

void ConversionRun::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    gateOpened_.notify_all();
}

RunResult ConversionRun::finish()
{
    if (worker_.joinable())
        worker_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return {progress_.filesConverted, progress_.outcomes, numbering_};
}

bool ConversionRun::mayStartAnotherFile()
{
    std::unique_lock<std::mutex> lock(mutex_);
    gateOpened_.wait(lock, [this] { return !paused_ || stopped_; });
    return !stopped_;
}

void ConversionRun::work()
{
    int64_t lastDuration = 0;
    for (const auto& [path, entry] : files_) {
        if (!mayStartAnotherFile())
            break;
        convertOne(path, entry, lastDuration);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.ended = true;
}

// lastDuration is the previous file's on the way in and this one's on the way out.
void ConversionRun::convertOne(const std::string& path, const FileEntry& entry, int64_t& lastDuration)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        progress_.filesStarted += 1;
        progress_.currentFile = path;
        progress_.lastDurationMs = lastDuration;
    }
    FileJob file;
    file.inputPath = path;
    file.relativeFolder = entry.relativeFolder;
    file.randomNumber = numbering_.randomNumber;
    file.fileCounter = numbering_.fileCounter;
    file.outputBpp = job_.outputBpp;

    const int64_t begin = monotonicMilliseconds();
    const FileOutcome outcome = convertListedFile(settings_, job_, font_, file);
    if (outcome.converted()) {
        lastDuration = std::max<int64_t>(monotonicMilliseconds() - begin, 1000);
        numbering_.randomNumber = randomInRange(1, 99999);
        numbering_.fileCounter += 1;
    } else {
        lastDuration = 0;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    progress_.outcomes.push_back(outcome);
    if (outcome.converted())
        progress_.filesConverted += 1;
}

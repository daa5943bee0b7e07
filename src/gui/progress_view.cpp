#include "gui/progress_view.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/unicode_case.h"
#include "settings/catalogue.h"

namespace {

constexpr int kUnmeasuredCharWidth = 7;

// A pulsing bar counts in tenths; its block is a fifth of it wide and takes
// eight steps from one end to the other.
constexpr int kPulseRange = 10;
constexpr int kPulseBlock = 2;
constexpr int kPulseCrossing = kPulseRange - kPulseBlock;

// Puts the block where its step brings it: the steps of a round trip take it
// to the right end and back.
void placePulseBlock(ProgressView& view)
{
    view.barStart = view.pulseStep <= kPulseCrossing ? view.pulseStep : 2 * kPulseCrossing - view.pulseStep;
    view.barValue = view.barStart + kPulseBlock;
}

std::string twoDigits(int64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

// The byte offsets at which the characters of text begin.
std::vector<size_t> characterStarts(const std::string& text)
{
    std::vector<size_t> starts;
    for (size_t at = 0; at < text.size(); at += firstCharacterLength(std::string_view(text).substr(at)))
        starts.push_back(at);
    return starts;
}

std::string progressCount(int shown, int total)
{
    return fillPlaceholders(lookupText("Msg", "Progress"), std::to_string(shown), std::to_string(total), "", "");
}

std::string timeRemaining(const std::string& duration)
{
    return fillPlaceholders(lookupText("Dialog", "Time Remaining"), duration, "", "", "");
}

// The reason of the first file that failed, as a sentence; "" when none did.
std::string firstFailure(const std::vector<FileOutcome>& outcomes)
{
    const auto failed = std::ranges::find_if(outcomes, [](const FileOutcome& o) { return !o.converted(); });
    if (failed == outcomes.end())
        return "";
    std::string reason = failureReason(*failed);
    if (!reason.empty() && reason.front() >= 'a' && reason.front() <= 'z')
        reason.front() = static_cast<char>(reason.front() - 'a' + 'A');
    return reason;
}

}  // namespace

std::string formatDuration(int64_t milliseconds)
{
    // Below one second the time shows as 00:00:00.
    const int64_t totalSeconds = milliseconds >= 1000 ? milliseconds / 1000 : 0;
    const int64_t seconds = totalSeconds % 60;
    const int64_t minutes = totalSeconds / 60 % 60;
    const int64_t hours = totalSeconds / 3600 % 24;
    const int64_t days = totalSeconds / 86400;
    std::string text = twoDigits(hours) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds);
    return days >= 1 ? std::to_string(days) + "d:" + text : text;
}

std::string shortenMiddle(const std::string& text, int maxChars)
{
    const std::vector<size_t> starts = characterStarts(text);
    const int length = static_cast<int>(starts.size());
    if (text.empty() || length <= maxChars)
        return text;
    const int kept = maxChars > 3 ? (maxChars - 3) / 2 : 0;
    const size_t tail = kept == 0 ? text.size() : starts[length - kept];
    return text.substr(0, starts[kept]) + "..." + text.substr(tail);
}

ProgressView startProgressView(int total, int charWidth)
{
    ProgressView view;
    view.total = total;
    view.showTime = total >= 5;
    view.charWidth = charWidth > 0 ? charWidth : kUnmeasuredCharWidth;
    view.maxChars = kProgressLineWidth / view.charWidth;
    view.title = lookupText("Dialog", "Convert Progress");
    view.timeLine = timeRemaining(lookupText("Dialog", "Time Unknown"));
    view.barPulsing = total == 1;
    view.barRange = view.barPulsing ? kPulseRange : total + 1;
    if (view.barPulsing)
        placePulseBlock(view);
    return view;
}

bool updateProgressView(ProgressView& view, const ProgressSnapshot& snapshot)
{
    if (view.finished || snapshot.filesStarted <= view.shown)
        return false;
    view.shown = snapshot.filesStarted;
    view.title = lookupText("Dialog", "Convert Progress") + " " + progressCount(view.shown, view.total);
    const int length = static_cast<int>(characterStarts(snapshot.currentFile).size());
    view.fileLine = length * view.charWidth > kProgressLineWidth ? shortenMiddle(snapshot.currentFile, view.maxChars)
                                                                 : snapshot.currentFile;
    // A failed file reports no duration; the last estimate stays until the next success.
    if (view.showTime && snapshot.lastDurationMs != 0)
        view.timeLine = timeRemaining(formatDuration(snapshot.lastDurationMs * (view.total - view.shown + 1)));
    if (!view.barPulsing)
        view.barValue = view.shown;
    return true;
}

bool pulseProgressView(ProgressView& view)
{
    if (!view.barPulsing)
        return false;
    view.pulseStep = (view.pulseStep + 1) % (2 * kPulseCrossing);
    placePulseBlock(view);
    return true;
}

std::string finishProgressView(ProgressView& view, const RunResult& result, bool cancelled)
{
    view.finished = true;
    view.barPulsing = false;
    view.barStart = 0;
    view.reasonLine = firstFailure(result.outcomes);
    const std::string ending =
        lookupText("Msg", cancelled || !view.reasonLine.empty() ? "Conversion is not complete" : "Conversion complete");
    view.title = ending + " " + progressCount(view.shown, view.total);
    if (cancelled) {
        // Every file started has ended; the bar shows their share.
        view.fileLine = ending;
        view.barValue = view.total > 0 ? view.shown * view.barRange / view.total : view.barRange;
        return ending;
    }
    view.fileLine = fillPlaceholders(lookupText("Msg", "Files converted"), std::to_string(result.filesConverted),
                                     std::to_string(view.total), "", "");
    view.timeLine = timeRemaining("00:00:00");
    view.barValue = view.barRange;
    return ending;
}

#include "engine/batch_report.h"

#include <cmath>
#include <cstdio>

namespace {

std::string renamedText(const BatchFileResult& result, const std::string& otherInput)
{
    return otherInput + " has the name " + result.clashName;
}

}  // namespace

std::string batchFailureLine(const BatchFailure& failure)
{
    return "FAILED: " + failure.path + ": " + failure.reason;
}

std::string batchFileLine(const BatchFileResult& result, const std::string& input, const std::string& otherInput)
{
    switch (result.end) {
    case BatchFileEnd::Converted: {
        std::string line = "OK: " + input + " -> " + result.outcome.outputPath;
        if (result.clashWith != kNoFile)
            line += " (renamed: " + renamedText(result, otherInput) + ")";
        return line;
    }
    case BatchFileEnd::Skipped: {
        std::string line = "SKIPPED: " + input + ": " + failureReason(result.outcome);
        if (result.outcome.failure == FileFailure::OutputExists)
            line += ": " + result.outcome.outputPath;
        return line;
    }
    case BatchFileEnd::Failed: break;
    }
    return batchFailureLine({input, failureReason(result.outcome)});
}

std::string batchRenamedEntry(const BatchFileResult& result, const std::string& input, const std::string& otherInput)
{
    return input + " -> " + result.outcome.outputPath + " (" + renamedText(result, otherInput) + ")";
}

std::string durationText(int64_t seconds)
{
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    return text;
}

std::string batchProgressLine(int ended, int total, int conversionsEnded, int64_t elapsedMs)
{
    std::string line = std::to_string(ended) + " of " + std::to_string(total) + " files";
    if (conversionsEnded == 0 || elapsedMs <= 0)
        return line + ", estimating the time left";
    const double perSecond = conversionsEnded * 1000.0 / static_cast<double>(elapsedMs);
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", perSecond);
    const auto left = static_cast<int64_t>(std::lround((total - ended) / perSecond));
    return line + ", " + rate + " pictures/s, about " + durationText(left) + " left";
}

std::vector<std::string> batchSummaryLines(const BatchSummary& summary)
{
    std::vector<std::string> lines;
    const BatchTally& tally = summary.tally;
    if (summary.interrupted)
        lines.push_back("Interrupted after " + std::to_string(tally.ended()) + " of " + std::to_string(summary.total) +
                        " files; the other " + std::to_string(summary.total - tally.ended()) + " were not converted.");
    lines.push_back("Converted: " + std::to_string(tally.converted) + ", skipped: " + std::to_string(tally.skipped) +
                    ", failed: " + std::to_string(tally.failed) + " (" + std::to_string(summary.total) + " files)");
    if (!summary.renamed.empty()) {
        lines.push_back("Renamed because another file has the same output name:");
        for (const std::string& renamed : summary.renamed)
            lines.push_back("  " + renamed);
    }
    if (!summary.failures.empty()) {
        lines.push_back("Failed files:");
        for (const BatchFailure& failure : summary.failures)
            lines.push_back("  " + failure.path + ": " + failure.reason);
    }
    return lines;
}

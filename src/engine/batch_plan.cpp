#include "engine/batch_plan.h"

#include <map>
#include <set>

#include "overlay/naming.h"
#include "platform/text.h"
#include "platform/unicode_case.h"

std::string nameClashKey(const std::string& path)
{
    return lowerCaseText(path);
}

int32_t stableRandomNumber(const std::string& relativeFolder, const std::string& fileName)
{
    // FNV-1a: short, fixed for every build and platform.
    uint32_t hash = 2166136261u;
    for (const char c : relativeFolder + fileName) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 16777619u;
    }
    return static_cast<int32_t>(hash % 99999u) + 1;
}

std::vector<PlannedFile> planBatch(const ConversionSettings& settings, const JobState& job,
                                   const std::vector<BatchInput>& inputs)
{
    const bool fixed = !maskHasLatePlaceholders(settings.filenameMask);
    std::vector<PlannedFile> plan;
    std::set<std::string> planned;  // every name some file would get without a suffix
    for (size_t i = 0; i < inputs.size(); ++i) {
        PlannedFile file;
        file.input = inputs[i];
        file.fileCounter = job.fileCounter + static_cast<int32_t>(i);
        file.randomNumber = stableRandomNumber(inputs[i].relativeFolder, fileNameOf(inputs[i].path));
        NamingFacts facts;
        facts.inputPath = inputs[i].path;
        facts.outputExt = job.outputExt;
        facts.randomNumber = file.randomNumber;
        facts.fileCounter = file.fileCounter;
        file.plannedPath = plannedOutputPath(settings, job.outputFolder, inputs[i].relativeFolder, facts);
        file.nameFixed = fixed;
        planned.insert(nameClashKey(file.plannedPath));
        plan.push_back(std::move(file));
    }

    std::map<std::string, size_t> owner;  // name given out, and the file that has it
    for (size_t i = 0; i < plan.size(); ++i) {
        PlannedFile& file = plan[i];
        const std::string key = nameClashKey(file.plannedPath);
        auto [first, added] = owner.emplace(key, i);
        if (added)
            continue;
        file.clashWith = first->second;
        for (int number = 2;; ++number) {
            const std::string suffix = "-" + std::to_string(number);
            const std::string candidate = nameClashKey(withNameSuffix(file.plannedPath, suffix));
            if (!planned.contains(candidate) && owner.emplace(candidate, i).second) {
                file.nameSuffix = suffix;
                break;
            }
        }
    }
    return plan;
}

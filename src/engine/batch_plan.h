#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/batch_inputs.h"
#include "engine/job_state.h"
#include "settings/conversion_settings.h"

inline constexpr size_t kNoFile = static_cast<size_t>(-1);

// One file of a batch with its numbers and the output name planned for it.
// The plan depends on nothing but the inputs and the settings, so the same
// tree gives the same names on every run, whatever the timing; a resumed
// batch finds the outputs of the first one.
struct PlannedFile {
    BatchInput input;
    int32_t fileCounter = 0;   // %n%: the job's first number plus the file's place in the batch
    int32_t randomNumber = 0;  // %rnd%: drawn from the file's place in its tree (stableRandomNumber)
    // The output path as far as it is known before the conversion: the late
    // placeholders of the mask (size, depth, date and time) still as written.
    std::string plannedPath;
    bool nameFixed = false;  // the mask has no late placeholder: plannedPath is the output path
    // Put before the extension of the name when an earlier file of the batch
    // has the same planned name ("-2", "-3", ...), so that both are kept.
    std::string nameSuffix;
    size_t clashWith = kNoFile;  // that earlier file
};

// Numbers and names for the files in their order. Names are compared as a
// file system that ignores letter case would (FAT, exFAT and NTFS discs hold
// many archives), so no two outputs can land on one file there either.
// The first file keeps a name; each later one with the same planned name gets
// the lowest suffix whose name no file of the batch has planned.
std::vector<PlannedFile> planBatch(const ConversionSettings& settings, const JobState& job,
                                   const std::vector<BatchInput>& inputs);

// How two output paths are compared for a clash.
std::string nameClashKey(const std::string& path);

// %rnd% of a file in a batch, 1 to 99999: a hash of its subfolder and name
// below the folder it was found in. Random enough to tell files apart, and
// the same on every run, so that a mask with %rnd% survives a resumed batch.
int32_t stableRandomNumber(const std::string& relativeFolder, const std::string& fileName);

#pragma once

#include <string>
#include <string_view>
#include <vector>

// One file a batch converts.
struct BatchInput {
    std::string path;            // as named, or the named folder and the way down
    std::string relativeFolder;  // below the named folder it was found in, ending with "/"; "" for a named file
};

// A file or folder of a batch that failed, and why.
struct BatchFailure {
    std::string path;
    std::string reason;
};

// What the parameters of a batch hold.
struct BatchInputs {
    // In the order the parameters name them; a folder's files in the byte
    // order of their paths below it. A file named or found again (also
    // through a link) is taken the first time only.
    std::vector<BatchInput> files;
    std::vector<BatchFailure> problems;  // named inputs and folders below them that gave no file; each fails the batch
    std::vector<std::string> linksLeftOut;  // "path: why", for the debug listing
};

// The files of a batch: each parameter is a file, taken when its extension
// is one of the accepted input extensions, or a folder, walked for files
// with those extensions in any letter case (see filesBelow for links).
BatchInputs collectBatchInputs(const std::vector<std::string>& parameters);

// What the first bytes of an input say it is. A PhotoCD disc holds, beside
// its image pacs, a disc information file (INFO.PCD) and an overview pac of
// small pictures (OVERVIEW.PCD); neither is a picture to convert.
enum class InputContent { ImagePac, DiscInformation, OverviewPac, Other };
InputContent inputContentOf(std::string_view start);
// How many bytes inputContentOf needs to tell them apart.
inline constexpr size_t kInputContentBytes = 2048 + 8;

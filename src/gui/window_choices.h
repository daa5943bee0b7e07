#pragma once

#include <string>

#include "engine/job_state.h"

struct ConversionSettings;

// What the user picks in the main window for the next conversion: the rules
// change the window's job and the recent folders of the settings they are
// given, nothing else.

// What taking an input file changes in the window.
struct InputFileTaken {
    bool accepted = false;
    std::string inputFieldText;  // the path, for the input field
    bool folderChosen = false;   // the file's folder became the output folder
};

// Takes path as the job's input file when it is accepted (not empty, an
// accepted extension). In the window, a file taken while the output folder
// box shows no folder also makes its own folder the job's output folder and
// the newest recent folder. Nothing changes for a refused file.
InputFileTaken takeInputFile(const std::string& path, const std::string& folderBoxText, JobState& job,
                             ConversionSettings& settings);

// The folder the folder dialog opens in: the folder part of the box's text,
// or the job's output folder when the box shows none.
std::string folderDialogStart(const std::string& folderBoxText, const JobState& job);

// A folder chosen in the folder dialog becomes the job's output folder and
// the newest recent folder, always with a closing "/" (so that a later
// conversion into it does not list it twice). False, and nothing changes,
// when it is not an existing directory.
bool takeOutputFolder(std::string folder, JobState& job, ConversionSettings& settings);

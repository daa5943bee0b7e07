#pragma once

#include <string>

// How the conversion of one file ended: saved, or the first thing that
// stopped it.
enum class FileFailure {
    None,                  // the output file was saved
    DecoderFailed,         // convert ended and left no picture
    DecoderTimedOut,       // convert was stopped at its time limit
    DecoderNotStarted,     // convert could not be started, or had nowhere to write
    UnreadablePicture,     // convert left a file that holds no whole picture
    BuiltInDecoderFailed,  // chosen alone, the built-in decoder found no usable Base (detail says why)
    StepRefused,           // a step of the pipeline made no picture
    NameClash,             // the output path names the input file itself
    SaveFailed,            // the output file could not be written
    // Found by a batch before or instead of a conversion:
    InputUnreadable,  // the input could not be opened or read
    NotAnImagePac,    // the input holds no PhotoCD image pac
    NoPicture,        // the disc's information file or overview pac: nothing to convert (detail says which)
    OutputExists,     // asked to leave existing outputs alone, the batch did so
};

// Where convert leaves no picture at all, the built-in decoder has been tried
// as well and failed too.
struct FileOutcome {
    FileFailure failure = FileFailure::None;
    int exitStatus = 0;      // DecoderFailed: convert's exit status
    int signal = 0;          // DecoderFailed: the signal that ended convert, else 0
    int timeoutSeconds = 0;  // DecoderTimedOut: the limit it reached
    std::string step;        // StepRefused: the step, as "resize"
    std::string
        detail;  // DecoderNotStarted, SaveFailed, InputUnreadable: the system's reason; NoPicture: what the file is
    std::string outputPath;  // the path saved or tried; "" before a name was made

    bool converted() const { return failure == FileFailure::None; }
};

// The reason of a failed file for the debug listing, such as "the decoder
// timed out after 120 s"; "" for a converted file.
std::string failureReason(const FileOutcome& outcome);

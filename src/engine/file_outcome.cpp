#include "engine/file_outcome.h"

std::string failureReason(const FileOutcome& outcome)
{
    switch (outcome.failure) {
    case FileFailure::None: return "";
    case FileFailure::DecoderFailed:
        if (outcome.signal != 0)
            return "the decoder was ended by signal " + std::to_string(outcome.signal);
        if (outcome.exitStatus != 0)
            return "the decoder failed with exit status " + std::to_string(outcome.exitStatus);
        return "the decoder left no picture";
    case FileFailure::DecoderTimedOut:
        return "the decoder timed out after " + std::to_string(outcome.timeoutSeconds) + " s";
    case FileFailure::DecoderNotStarted: return "the decoder could not be started: " + outcome.detail;
    case FileFailure::UnreadablePicture: return "the decoded picture could not be read";
    case FileFailure::BuiltInDecoderFailed: return "the built-in decoder made no picture: " + outcome.detail;
    case FileFailure::StepRefused: return "the " + outcome.step + " step made no picture";
    case FileFailure::NameClash: return "the output file name is the input file itself";
    case FileFailure::SaveFailed: return "the output file could not be saved: " + outcome.detail;
    case FileFailure::InputUnreadable: return "the file cannot be read: " + outcome.detail;
    case FileFailure::NotAnImagePac: return "not a PhotoCD image pac";
    case FileFailure::NoPicture: return "no picture to convert: " + outcome.detail;
    case FileFailure::OutputExists: return "the output file exists";
    }
    return "";
}

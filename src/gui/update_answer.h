#pragma once

#include <string>
#include <string_view>

// What the update server's answer means for this copy of the program.
enum class UpdateOutcome {
    NewVersion,         // the server names a higher version
    NoUpdate,           // the server names this version or a lower one
    ConnectionProblem,  // no usable answer
};

// The start of the version file's body in a raw HTTP answer: the text up to
// its first zero byte, between the first blank line (the end of the headers)
// and the second one or the end, trimmed of white space, first three
// characters. "" when the answer has no blank line.
std::string updateBodyStart(std::string_view rawAnswer);

// The value of the leading decimal digits of text; 0 when there are none.
int leadingNumber(std::string_view text);

// A body start naming no version (no leading digits, or zero) is a
// connection problem.
UpdateOutcome updateOutcome(std::string_view bodyStart, int ownVersion);

// The catalogue's title and text ("Msg" group) that tell the user the outcome.
struct UpdateNotice {
    std::string title;
    std::string text;
};
UpdateNotice updateNotice(UpdateOutcome outcome);

#include "gui/update_answer.h"

#include "settings/catalogue.h"

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string updateBodyStart(std::string_view rawAnswer)
{
    constexpr std::string_view blankLine = "\r\n\r\n";
    std::string_view text = rawAnswer.substr(0, rawAnswer.find('\0'));
    size_t headersEnd = text.find(blankLine);
    if (headersEnd == std::string_view::npos)
        return "";
    std::string_view body = text.substr(headersEnd + blankLine.size());
    body = body.substr(0, body.find(blankLine));
    while (!body.empty() && isWhiteSpace(body.front()))
        body.remove_prefix(1);
    while (!body.empty() && isWhiteSpace(body.back()))
        body.remove_suffix(1);
    return std::string(body.substr(0, 3));
}

int leadingNumber(std::string_view text)
{
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > 99999999)
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

UpdateOutcome updateOutcome(std::string_view bodyStart, int ownVersion)
{
    int newest = leadingNumber(bodyStart);
    if (newest == 0)
        return UpdateOutcome::ConnectionProblem;
    return newest > ownVersion ? UpdateOutcome::NewVersion : UpdateOutcome::NoUpdate;
}

UpdateNotice updateNotice(UpdateOutcome outcome)
{
    switch (outcome) {
    case UpdateOutcome::NewVersion: return {lookupText("Msg", "New Update"), lookupText("Msg", "New Update Text")};
    case UpdateOutcome::NoUpdate: return {lookupText("Msg", "No Update"), lookupText("Msg", "No Update Text")};
    case UpdateOutcome::ConnectionProblem: break;
    }
    return {lookupText("Msg", "Error"), lookupText("Msg", "Internet connection problems")};
}

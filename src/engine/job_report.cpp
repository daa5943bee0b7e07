#include "engine/job_report.h"

#include <algorithm>

#include "platform/console.h"
#include "platform/text.h"
#include "settings/catalogue.h"

namespace {

// The console's words for a job problem where they differ from its key;
// %s1% is the problem's argument.
struct ConsoleWording {
    const char* key;
    const char* text;
};

constexpr ConsoleWording kConsoleWordings[] = {
    {"Invalid bit depth", "Invalid %s1%-bpp value"},
    {"Invalid quality", "Invalid %s1%-quality value"},
    {"Invalid width", "Invalid width value"},
    {"Invalid height", "Invalid height value"},
    {"Invalid brightness", "Invalid brightness value"},
    {"Invalid contrast", "Invalid contrast value"},
    {"Invalid gamma", "Invalid gamma value"},
    // The console does not tell an empty name from a file that is missing.
    {"Empty watermark image", "Invalid watermark image"},
};

}  // namespace

std::string consoleProblemText(const JobProblem& problem)
{
    for (const ConsoleWording& wording : kConsoleWordings)
        if (problem.key == wording.key)
            return fillPlaceholders(wording.text, problem.argument, "", "", "");
    return problem.key;
}

void reportConsoleJob(const std::vector<ListingLine>& listing, bool debug, const std::optional<JobProblem>& problem)
{
    for (const ListingLine& line : listing) {
        if (debug)
            printLine(line.text);
        if (problem && std::ranges::find(line.problemsAfter, problem->key) != line.problemsAfter.end())
            break;
    }
    if (problem)
        printLine("Error: " + consoleProblemText(*problem));
}

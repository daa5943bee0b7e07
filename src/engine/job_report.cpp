#include "engine/job_report.h"

#include <algorithm>

#include "platform/console.h"

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

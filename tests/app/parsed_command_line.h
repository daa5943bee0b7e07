#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/command_line_job.h"
#include "app/options.h"
#include "settings/conversion_settings.h"

// The command line after parsing the parameters over fresh console defaults.
inline CommandLine parsed(const std::vector<std::string>& parameters)
{
    resetSettings(true);
    resetJob();
    CommandLine commandLine;
    commandLine.parameters = parameters;
    parseOptions(commandLine);
    return commandLine;
}

#include "app/options.h"

#include "engine/job_state.h"
#include "platform/text.h"

// The console and job options only for now.
std::string optionNameAt(const CommandLine& commandLine, int index)
{
    std::string parameter = trimBlanks(commandLine.parameters[static_cast<size_t>(index)]);
    if (!startsWith(parameter, "-"))
        return "";
    if (startsWith(parameter, "--"))
        parameter = parameter.substr(0, parameter.find('='));
    return toUpperAscii(parameter);
}

std::string optionValueAt(const CommandLine& commandLine, int index)
{
    std::string parameter = trimBlanks(commandLine.parameters[static_cast<size_t>(index)]);
    size_t equals = parameter.find('=', 2);
    if (startsWith(parameter, "--") && equals != std::string::npos)
        return parameter.substr(equals + 1);
    return parameter;
}

void parseOptions(CommandLine& commandLine)
{
    const int count = static_cast<int>(commandLine.parameters.size());
    for (int i = 0; i < count; ++i) {
        const std::string name = optionNameAt(commandLine, i);
        if (name == "-Q" || name == "--QUIET") {
            commandLine.quietMode = true;
        } else if (name == "-D" || name == "--DEBUG") {
            g_job.runMode = "DEBUG";
        } else if (name == "-P" || name == "--PAUSE") {
            commandLine.pauseAtExit = true;
        } else if (name == "-I" || name == "--INPUT" || name == "-O" || name == "--OUTPUT") {
            const bool input = name == "-I" || name == "--INPUT";
            if (input)
                g_job.consoleMode = 1;
            if (!startsWith(name, "--"))
                ++i;
            std::string value = i < count ? optionValueAt(commandLine, i) : "";
            if (value.empty() || startsWith(value, "-")) {
                commandLine.errorText = "Incorrect number of parameters";
                return;
            }
            (input ? g_job.cliInput : g_job.outputFolder) = value;
        }
    }
}

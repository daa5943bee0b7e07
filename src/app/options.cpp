#include "app/options.h"

#include <charconv>

#include "app/command_line_job.h"
#include "app/option_table.h"
#include "app/profile.h"
#include "platform/text.h"

namespace {

const char* const kMissingValue = "Incorrect number of parameters";
const char* const kInvalidProfile = "Invalid profile file";
const char* const kEndOfOptions = "--";

int parameterCount(const CommandLine& commandLine)
{
    return static_cast<int>(commandLine.parameters.size());
}

std::string trimmedParameter(const CommandLine& commandLine, int index)
{
    if (index < 0 || index >= parameterCount(commandLine))
        return "";
    return trimBlanks(commandLine.parameters[static_cast<size_t>(index)]);
}

// A quoted text value that the user's quoting split over several parameters
// is joined again with single spaces, up to the parameter ending the quote.
std::string joinedValue(const CommandLine& commandLine, int& index, std::string value)
{
    if (!startsWith(value, "\"") || endsWith(value, "\""))
        return value;
    while (index + 1 < parameterCount(commandLine)) {
        ++index;
        std::string next = optionValueAt(commandLine, index);
        value += ' ';
        value += next;
        if (endsWith(next, "\""))
            break;
    }
    return value;
}

enum class JobOption { kNone, kInput, kOutput, kConversion };

JobOption jobOptionNamed(const std::string& name)
{
    if (name == "-I" || name == "--INPUT")
        return JobOption::kInput;
    if (name == "-O" || name == "--OUTPUT")
        return JobOption::kOutput;
    if (name == "-C" || name == "--CONVERSION")
        return JobOption::kConversion;
    return JobOption::kNone;
}

// -i, -o and -c: the short form takes the next parameter, the long form what
// follows "=". Either way a value that looks like an option is missing.
void applyJobOption(CommandLine& commandLine, int& index, const std::string& name, JobOption option)
{
    if (option == JobOption::kInput)
        g_job.consoleMode = 1;
    if (!startsWith(name, "--"))
        ++index;
    std::string value = optionValueAt(commandLine, index);
    if (value.empty() || startsWith(value, "-")) {
        commandLine.errorText = kMissingValue;
        return;
    }
    if (option == JobOption::kConversion) {
        g_job.outputExt = withoutEndQuotes(value);
        return;
    }
    value = withoutEndQuotes(joinedValue(commandLine, index, value));
    (option == JobOption::kInput ? g_job.cliInput : g_job.outputFolder) = value;
}

// The value of a long option; "" when it is missing. Without "=" the value is
// the whole parameter, which begins with "--"; a single "-" starts a negative number.
std::string longOptionValue(CommandLine& commandLine, int index)
{
    std::string value = optionValueAt(commandLine, index);
    if (value.empty() || startsWith(value, "--")) {
        commandLine.errorText = kMissingValue;
        return "";
    }
    return value;
}

void applyProfileOption(CommandLine& commandLine, int& index)
{
    std::string value = longOptionValue(commandLine, index);
    if (!commandLine.errorText.empty())
        return;
    if (!applyProfile(withoutEndQuotes(joinedValue(commandLine, index, value))))
        commandLine.errorText = kInvalidProfile;
}

void applyCommandLineSetting(CommandLine& commandLine, int& index, const SettingOption& option)
{
    if (option.kind == OptionValueKind::kSwitchOn || option.kind == OptionValueKind::kSwitchOff) {
        applySettingOption(option, "");
        return;
    }
    std::string value = longOptionValue(commandLine, index);
    if (!commandLine.errorText.empty())
        return;
    if (option.kind == OptionValueKind::kText)
        value = withoutEndQuotes(joinedValue(commandLine, index, value));
    applySettingOption(option, value);
}

// --batch, --jobs and --skip-existing; false for any other option.
bool applyBatchOption(CommandLine& commandLine, int& index, const std::string& name)
{
    if (name == "--BATCH") {
        return true;
    } else if (name == "--SKIP-EXISTING") {
        commandLine.skipExisting = true;
    } else if (name == "--JOBS") {
        const std::string value = longOptionValue(commandLine, index);
        int jobs = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
        commandLine.batchJobs = error == std::errc() && end == value.data() + value.size() && jobs > 0 ? jobs : -1;
    } else if (name == "-I" || name == "--INPUT") {
        applyJobOption(commandLine, index, name, JobOption::kInput);
        if (commandLine.errorText.empty())
            commandLine.batchInputs.push_back(g_job.cliInput);
        g_job.cliInput.clear();
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string optionNameAt(const CommandLine& commandLine, int index)
{
    std::string parameter = trimmedParameter(commandLine, index);
    if (!startsWith(parameter, "-"))
        return "";
    if (startsWith(parameter, "--"))
        parameter = parameter.substr(0, parameter.find('='));
    return toUpperAscii(parameter);
}

std::string optionValueAt(const CommandLine& commandLine, int index)
{
    std::string parameter = trimmedParameter(commandLine, index);
    size_t equals = parameter.find('=', 2);
    if (startsWith(parameter, "--") && equals != std::string::npos)
        return parameter.substr(equals + 1);
    return parameter;
}

namespace {

bool namesBatchMode(const CommandLine& commandLine)
{
    for (int i = 0; i < parameterCount(commandLine); ++i) {
        if (commandLine.parameters[static_cast<size_t>(i)] == kEndOfOptions)
            return false;
        if (optionNameAt(commandLine, i) == "--BATCH")
            return true;
    }
    return false;
}

}  // namespace

void parseOptions(CommandLine& commandLine)
{
    // The batch's own options and inputs mean something only with --batch;
    // without it they are unknown options and plain words, ignored as ever.
    commandLine.batchMode = namesBatchMode(commandLine);
    if (commandLine.batchMode)
        g_job.consoleMode = 1;
    for (int i = 0; i < parameterCount(commandLine) && commandLine.errorText.empty(); ++i) {
        const std::string name = optionNameAt(commandLine, i);
        const std::string& parameter = commandLine.parameters[static_cast<size_t>(i)];
        if (commandLine.batchMode && parameter == kEndOfOptions) {
            commandLine.batchInputs.insert(commandLine.batchInputs.end(), commandLine.parameters.begin() + i + 1,
                                           commandLine.parameters.end());
            break;
        }
        if (name.empty()) {
            if (commandLine.batchMode)
                commandLine.batchInputs.push_back(parameter);
            continue;
        }
        if (commandLine.batchMode && applyBatchOption(commandLine, i, name))
            continue;
        if (name == "-Q" || name == "--QUIET") {
            commandLine.quietMode = true;
        } else if (name == "-D" || name == "--DEBUG") {
            g_job.runMode = "DEBUG";
        } else if (name == "-P" || name == "--PAUSE") {
            commandLine.pauseAtExit = true;
        } else if (JobOption option = jobOptionNamed(name); option != JobOption::kNone) {
            applyJobOption(commandLine, i, name, option);
        } else if (name == "--PROFILE") {
            applyProfileOption(commandLine, i);
        } else if (const SettingOption* option = findSettingOption(name, OptionSource::kCommandLine)) {
            applyCommandLineSetting(commandLine, i, *option);
        }
    }
}

// The console option parser over any list of arguments: the input cut at
// every NUL byte, one argument each, parsed from fresh settings and job.
#include "app/command_line_job.h"
#include "app/options.h"
#include "fuzz_support.h"
#include "settings/conversion_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    resetJob();
    resetSettings(true);
    CommandLine commandLine;
    commandLine.parameters = piecesOf(inputText(data, size));
    parseOptions(commandLine);
    for (int i = 0; i < static_cast<int>(commandLine.parameters.size()); ++i) {
        optionNameAt(commandLine, i);
        optionValueAt(commandLine, i);
    }
    return 0;
}

#include "app/usage.h"

#include "formats/format_lists.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "settings/catalogue.h"

namespace {

const char* const kUsageLines[] = {
    " ",
    "Usage: %s1% -i <filename> [options]",
    "       %s1% --batch -o <folder> [options] <file or folder>...",
    " ",
    "  %s1% -i example.%s2%",
    "  %s1% -i /tmp/example.%s2%",
    "  %s1% -i /tmp/example.%s2% -o /tmp/converted",
    "  %s1% -i /tmp/example.%s2% -o /tmp/converted --jpg-quality=95",
    "  %s1% --batch -o /tmp/converted /media/cdrom",
    " ",
    "Options:",
    " ",
    "  -h, -?, --help            Display this help and exit",
    "  -i FILE, --input=FILE     Set input file",
    "  -o PATH, --output=PATH    Set output folder",
    "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
    " ",
    "Advanced options:",
    " ",
    "  --width=NUM               Set output image width",
    "  --height=NUM              Set output image height",
    "  --filename-mask=STR       Define output filename format",
    "  --flip-horizontal         Flip output image horizontally",
    "  --flip-vertical           Flip output image vertically",
    "  --brightness=NUM          Set output image brightness, NUM = -100..100",
    "  --contrast=NUM            Set output image contrast, NUM = -100..100",
    "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
    "  --invert                  Invert output image",
    "  --greyscale               Greyscale output image",
    "  --profile=FILE            Set configuration file with required settings",
    "    ...                     Refer documentation for all available options",
    " ",
    "Batch options:",
    " ",
    "  --batch                   Convert the files named, and those in the folders",
    "  --jobs=NUM                Set how many pictures are converted at once",
    "  --skip-existing           Leave alone pictures whose output file exists",
    " ",
    "Other options:",
    " ",
    "  -q, --quiet               Don't print status messages to stdout",
    "  -d, --debug               Print debug information to stdout",
    "  -p, --pause               Pause at exit",
    "  -v, --version             Display version information and exit",
};

}  // namespace

void printUsage(const std::string& programName)
{
    for (const char* line : kUsageLines) {
        const std::string& example =
            inputFormats[static_cast<size_t>(randomInRange(0, static_cast<int32_t>(inputFormats.size()) - 1))];
        printLine(fillPlaceholders(line, programName, example, "", ""));
    }
}

std::span<const char* const> usageLines()
{
    return kUsageLines;
}

// config.ini: loadConfiguration on any bytes. What it reads must survive a
// save: loading the saved file and saving again gives the same bytes.
#include <cstdio>
#include <cstdlib>

#include "fuzz_support.h"
#include "settings/configuration.h"
#include "settings/conversion_settings.h"

namespace {

std::string saveTo(const std::string& path)
{
    g_settings.configPath = path;
    if (!saveConfiguration())
        std::abort();
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = scratchPath("input.ini");
    static const std::string first = scratchPath("first.ini");
    static const std::string second = scratchPath("second.ini");
    if (!writeScratch(input, inputText(data, size)))
        std::abort();
    g_settings.configPath = input;
    loadConfiguration();

    const std::string saved = saveTo(first);
    g_settings.configPath = first;
    loadConfiguration();
    if (saveTo(second) != saved)
        std::abort();
    return 0;
}

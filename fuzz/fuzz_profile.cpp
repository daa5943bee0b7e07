// Profile files: the preference-file reader on any bytes, and applyProfile on
// the same bytes stored as a file.
#include <cstdlib>

#include "app/profile.h"
#include "fuzz_support.h"
#include "settings/conversion_settings.h"
#include "settings/preference_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes = inputText(data, size);
    const PreferenceFile file = parsePreferenceText(bytes);
    for (const PreferenceGroup& group : file.groups) {
        for (const PreferenceEntry& entry : group.entries) {
            // Every entry is found again by its group and key; a later one of
            // the same key wins.
            const std::string* value = findValue(file, group.name, entry.key);
            if (!value)
                std::abort();
            readInteger(file, group.name, entry.key, 0);
            readReal(file, group.name, entry.key, 0.0);
        }
    }

    static const std::string path = scratchPath("profile.ini");
    resetSettings(true);
    if (!writeScratch(path, bytes))
        std::abort();
    // A readable regular file is always applied, unless a value holds a NUL.
    if (!applyProfile(path) && bytes.find('\0') == std::string_view::npos)
        std::abort();
    return 0;
}

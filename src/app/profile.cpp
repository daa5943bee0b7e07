#include "app/profile.h"

#include "app/option_table.h"
#include "platform/text.h"
#include "settings/preference_file.h"

bool applyProfile(const std::string& path)
{
    if (path.empty())
        return false;
    std::optional<PreferenceFile> file = readPreferenceFile(path);
    if (!file)
        return false;
    const PreferenceGroup* group = findGroup(*file, "CLI");
    if (!group)
        return true;
    // A NUL would cut the value short where it becomes a path: the mask
    // "evil.jpg<NUL>.png" would write evil.jpg.
    for (const PreferenceEntry& entry : group->entries)
        if (entry.value.find('\0') != std::string::npos &&
            findSettingOption(toUpperAscii(entry.key), OptionSource::kProfile))
            return false;
    for (const PreferenceEntry& entry : group->entries) {
        const SettingOption* option = findSettingOption(toUpperAscii(entry.key), OptionSource::kProfile);
        if (!option)
            continue;
        std::string value = trimBlanks(entry.value);
        applySettingOption(*option, option->setting->option.profileRemovesQuotes ? withoutEndQuotes(value) : value);
    }
    return true;
}

#include "settings/preference_file.h"

#include "platform/regular_file_read.h"
#include "platform/text.h"
#include "platform/text_encoding.h"
#include "settings/number_text.h"

namespace {

size_t skipBlanks(std::string_view line)
{
    size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    return at;
}

// A group written twice is one group, kept where it was first written.
size_t groupIndex(PreferenceFile& file, std::string_view name)
{
    const auto [found, added] = file.groupOfName.try_emplace(toUpperAscii(name), file.groups.size());
    if (added)
        file.groups.push_back({std::string(name), {}});
    return found->second;
}

// One line without its line end. current is the index of the group entries go
// to; entries before the first group header go to a group without a name.
void readLine(PreferenceFile& file, std::optional<size_t>& current, std::string_view line)
{
    line.remove_prefix(skipBlanks(line));
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[') {
        line.remove_prefix(1);
        current = groupIndex(file, line.substr(0, line.find(']')));
        return;
    }
    if (!current)
        current = groupIndex(file, "");
    size_t equals = line.find('=');
    PreferenceEntry entry;
    entry.key = trimBlanks(line.substr(0, equals));
    if (equals != std::string_view::npos)
        entry.value = trimBlanks(line.substr(equals + 1));
    file.groups[*current].entries.push_back(std::move(entry));
}

}  // namespace

std::optional<PreferenceFile> readPreferenceFile(const std::string& path)
{
    // Only regular files: a directory, a pipe or a device is not a preference file.
    std::optional<std::string> bytes = readRegularFile(path);
    if (!bytes)
        return std::nullopt;
    return parsePreferenceText(*bytes);
}

PreferenceFile parsePreferenceText(std::string_view bytes)
{
    const std::string text = textFileAsUtf8(bytes);
    PreferenceFile file;
    std::optional<size_t> current;
    std::string_view rest = text;
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\r\n");
        readLine(file, current, rest.substr(0, end));
        if (end == std::string_view::npos)
            break;
        // CR LF is one line end; a lone CR or LF is one too.
        size_t next = end + 1;
        if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n')
            ++next;
        rest.remove_prefix(next);
    }
    return file;
}

const PreferenceGroup* findGroup(const PreferenceFile& file, std::string_view group)
{
    const auto found = file.groupOfName.find(toUpperAscii(group));
    return found == file.groupOfName.end() ? nullptr : &file.groups[found->second];
}

const std::string* findValue(const PreferenceFile& file, std::string_view group, std::string_view key)
{
    const PreferenceGroup* found = findGroup(file, group);
    if (!found)
        return nullptr;
    for (auto entry = found->entries.rbegin(); entry != found->entries.rend(); ++entry)
        if (equalsIgnoreCaseAscii(entry->key, key))
            return &entry->value;
    return nullptr;
}

int32_t readInteger(const PreferenceFile& file, std::string_view group, std::string_view key, int32_t fallback)
{
    const std::string* value = findValue(file, group, key);
    return value ? parseDecimalInteger(*value) : fallback;
}

double readReal(const PreferenceFile& file, std::string_view group, std::string_view key, double fallback)
{
    const std::string* value = findValue(file, group, key);
    return value ? parseReal(*value) : fallback;
}

std::string readString(const PreferenceFile& file, std::string_view group, std::string_view key,
                       const std::string& fallback)
{
    const std::string* value = findValue(file, group, key);
    return value ? *value : fallback;
}

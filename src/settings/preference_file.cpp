#include "settings/preference_file.h"

#include "platform/regular_file_read.h"
#include "platform/text.h"
#include "platform/unicode_case.h"
#include "settings/number_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";
constexpr uint32_t kReplacementCharacter = 0xFFFD;

void appendUtf8(std::string& text, uint32_t character)
{
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0 | (character >> 6));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0 | (character >> 12));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (character >> 18));
        text += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (character & 0x3F));
    }
}

// UTF-16 as Notepad writes it; a lone surrogate or an odd last byte becomes
// the replacement character.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    auto unitAt = [&](size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? uint32_t{first} << 8 | second : uint32_t{second} << 8 | first;
    };
    std::string text;
    text.reserve(bytes.size());
    size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        uint32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < bytes.size()) {
            const uint32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        appendUtf8(text, unit >= 0xD800 && unit <= 0xDFFF ? kReplacementCharacter : unit);
    }
    if (at < bytes.size())
        appendUtf8(text, kReplacementCharacter);
    return text;
}

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
    std::string text;
    // Without a mark the text is ISO-8859-1, unless it is valid UTF-8: editors
    // on Linux write UTF-8 without a mark, and Latin-1 text with accented
    // letters is practically never valid UTF-8.
    if (startsWith(bytes, kByteOrderMark))
        text = bytes.substr(kByteOrderMark.size());
    else if (startsWith(bytes, kLittleEndianMark))
        text = utf16ToUtf8(bytes.substr(kLittleEndianMark.size()), false);
    else if (startsWith(bytes, kBigEndianMark))
        text = utf16ToUtf8(bytes.substr(kBigEndianMark.size()), true);
    else
        text = singleByteTextAsUtf8(bytes);

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

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The text format of config.ini and profile files: "[Group]" lines,
// "key = value" lines and ";" comments.
struct PreferenceEntry {
    std::string key;    // as written, trailing blanks removed
    std::string value;  // UTF-8, leading and trailing blanks removed
};

struct PreferenceGroup {
    std::string name;                      // as first written
    std::vector<PreferenceEntry> entries;  // in file order
};

struct PreferenceFile {
    std::vector<PreferenceGroup> groups;  // a name written twice is one group
    // Upper-cased name to index, so that a file of very many groups is read
    // in linear time.
    std::unordered_map<std::string, size_t> groupOfName;
};

// Reads a file in any encoding textFileAsUtf8 knows (UTF-8, UTF-16 and
// UTF-32 after their marks, UTF-16 without one, else ISO-8859-1), with CR, LF
// or CR LF line ends. nullopt when it cannot be opened as a file.
std::optional<PreferenceFile> readPreferenceFile(const std::string& path);
PreferenceFile parsePreferenceText(std::string_view bytes);

// Group and key names match without regard to ASCII case. When a key is
// written twice in a group, the later one counts.
const PreferenceGroup* findGroup(const PreferenceFile& file, std::string_view group);
const std::string* findValue(const PreferenceFile& file, std::string_view group, std::string_view key);

// The value read as a leading optionally signed decimal integer (0 when it
// has no digits), as a real with "." as the decimal point, or as text; the
// fallback when the key is missing.
int32_t readInteger(const PreferenceFile& file, std::string_view group, std::string_view key, int32_t fallback);
double readReal(const PreferenceFile& file, std::string_view group, std::string_view key, double fallback);
std::string readString(const PreferenceFile& file, std::string_view group, std::string_view key,
                       const std::string& fallback);

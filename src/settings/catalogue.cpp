#include "settings/catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/text.h"
#include "settings/catalogue_texts.h"

namespace {

const char* const kNotFound = "%NO_STRING_ERROR%";
// Joins a key and its text while a group is sorted; it sorts below every
// printable character, so the combined entries sort by key alone.
const char kKeySeparator = '\x01';

struct MessageGroup {
    std::string name;  // upper case
    int firstKey = 0;
    int lastKey = 0;  // below firstKey when the group is empty
    // Index of the first key beginning with each byte; 0 when none does.
    std::array<int, 256> firstByChar{};
};

// Index 0 of each array stands for "none".
struct Catalogue {
    std::vector<MessageGroup> groups{1};
    std::vector<std::string> keys{1};
    std::vector<std::string> texts{1};
};

Catalogue g_catalogue;

unsigned char firstByteOf(const std::string& key)
{
    return static_cast<unsigned char>(key.empty() ? '\0' : key.front());
}

void sortAndIndexGroup(Catalogue& catalogue, MessageGroup& group)
{
    if (group.lastKey < group.firstKey)
        return;
    auto begin = catalogue.keys.begin() + group.firstKey;
    auto end = catalogue.keys.begin() + group.lastKey + 1;
    std::sort(begin, end);
    for (int k = group.firstKey; k <= group.lastKey; ++k) {
        std::string& entry = catalogue.keys[static_cast<size_t>(k)];
        const size_t split = entry.find(kKeySeparator);
        catalogue.texts[static_cast<size_t>(k)] = entry.substr(split + 1);
        entry.resize(split);
        const unsigned char first = firstByteOf(entry);
        if (k == group.firstKey || first != firstByteOf(catalogue.keys[static_cast<size_t>(k - 1)]))
            group.firstByChar[first] = k;
    }
}

std::string replaceIgnoringCase(std::string text, const std::string& placeholder, const std::string& value)
{
    const std::string upperPlaceholder = toUpperAscii(placeholder);
    size_t from = 0;
    for (;;) {
        size_t at = toUpperAscii(text).find(upperPlaceholder, from);
        if (at == std::string::npos)
            return text;
        text.replace(at, placeholder.size(), value);
        from = at + value.size();
    }
}

}  // namespace

void buildCatalogueFrom(const char* const* pairs)
{
    Catalogue catalogue;
    for (const char* const* pair = pairs; toUpperAscii(pair[0]) != "_END_"; pair += 2) {
        const std::string first = toUpperAscii(pair[0]);
        if (first == "_GROUP_") {
            if (catalogue.groups.size() > 1)
                catalogue.groups.back().lastKey = static_cast<int>(catalogue.keys.size()) - 1;
            MessageGroup group;
            group.name = toUpperAscii(pair[1]);
            group.firstKey = static_cast<int>(catalogue.keys.size());
            catalogue.groups.push_back(group);
        } else if (catalogue.groups.size() > 1) {
            catalogue.keys.push_back(first + kKeySeparator + pair[1]);
        }
    }
    if (catalogue.groups.size() > 1)
        catalogue.groups.back().lastKey = static_cast<int>(catalogue.keys.size()) - 1;
    catalogue.texts.resize(catalogue.keys.size());
    for (size_t g = 1; g < catalogue.groups.size(); ++g)
        sortAndIndexGroup(catalogue, catalogue.groups[g]);
    g_catalogue = std::move(catalogue);
}

void buildCatalogue()
{
    buildCatalogueFrom(kBuiltInTexts);
}

std::string lookupText(const std::string& group, const std::string& key)
{
    const std::string upperGroup = toUpperAscii(group);
    const std::string upperKey = toUpperAscii(key);
    const Catalogue& catalogue = g_catalogue;
    // A handful of groups: a search costs less than keeping the last one found,
    // which would make every lookup a write.
    const auto found = std::find_if(catalogue.groups.begin() + 1, catalogue.groups.end(),
                                    [&](const MessageGroup& g) { return g.name == upperGroup; });
    if (found == catalogue.groups.end() || upperKey.empty())
        return kNotFound;
    for (int k = found->firstByChar[firstByteOf(upperKey)]; k != 0 && k <= found->lastKey; ++k) {
        const std::string& stored = catalogue.keys[static_cast<size_t>(k)];
        if (upperKey == stored)
            return catalogue.texts[static_cast<size_t>(k)];
        if (upperKey < stored)
            break;
    }
    return kNotFound;
}

bool hasText(const std::string& group, const std::string& key)
{
    return lookupText(group, key) != kNotFound;
}

std::string fillPlaceholders(const std::string& text, const std::string& s1, const std::string& s2,
                             const std::string& s3, const std::string& s4)
{
    if (text.empty())
        return text;
    std::string result = text;
    const std::string* values[] = {&s1, &s2, &s3, &s4};
    for (int i = 0; i < 4; ++i)
        if (!values[i]->empty())
            result = replaceIgnoringCase(result, "%s" + std::to_string(i + 1) + "%", *values[i]);
    return result;
}

// Lists the program's command-line options as the usage text groups them and
// as the option table holds them. The bash completion is written from this
// listing at build time, and the install tests hold the man page against it,
// so neither can fall behind the options the program really parses.
//
//   korvane_options list [FILE]   one line per option, profile key, placeholder, format
//   korvane_options bash [FILE]   the bash completion script

#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/option_table.h"
#include "app/usage.h"
#include "formats/format_lists.h"
#include "overlay/naming.h"
#include "platform/text.h"
#include "settings/vocabularies.h"

namespace {

struct OptionEntry {
    std::string group;               // usage text group, or "" for the table's others
    std::vector<std::string> names;  // as users write them: "-i", "--input"
    std::string value;               // what the value stands for, "" for a switch
    std::vector<std::string> words;  // the value's vocabulary, lower case
};

// "-i FILE, --input=FILE" gives the names -i and --input and the value FILE.
OptionEntry usageEntry(const std::string& group, std::string_view tag)
{
    OptionEntry entry;
    entry.group = group;
    size_t start = 0;
    while (start < tag.size()) {
        size_t end = tag.find(", ", start);
        std::string_view part = tag.substr(start, end == std::string_view::npos ? end : end - start);
        size_t split = part.find(startsWith(part, "--") ? '=' : ' ');
        entry.names.emplace_back(part.substr(0, split));
        if (split != std::string_view::npos)
            entry.value = part.substr(split + 1);
        start = end == std::string_view::npos ? tag.size() : end + 2;
    }
    return entry;
}

std::vector<OptionEntry> usageEntries()
{
    std::vector<OptionEntry> entries;
    std::string group;
    for (std::string_view line : usageLines()) {
        if (!line.empty() && line.back() == ':' && line.front() != ' ') {
            group = line.substr(0, line.size() - 1);
        } else if (startsWith(line, "  -")) {
            std::string_view tag = line.substr(2);
            entries.push_back(usageEntry(group, tag.substr(0, tag.find("  "))));
        }
    }
    return entries;
}

std::string valueName(OptionValueKind kind)
{
    switch (kind) {
    case OptionValueKind::kSwitchOn:
    case OptionValueKind::kSwitchOff: return "";
    case OptionValueKind::kInteger:
    case OptionValueKind::kReal: return "NUM";
    case OptionValueKind::kWord: return "WORD";
    case OptionValueKind::kText: return "STR";
    }
    return "";
}

std::vector<std::string> lowerWords(int32_t vocabulary)
{
    std::vector<std::string> words;
    for (const std::string& word : settingNames(vocabulary))
        words.push_back(toLowerAscii(word));
    return words;
}

// The usage text's options first, in its order, then every further option of
// the table that the command line accepts.
std::vector<OptionEntry> allOptions()
{
    std::vector<OptionEntry> entries = usageEntries();
    std::map<std::string, size_t> byName;
    for (size_t i = 0; i < entries.size(); ++i)
        for (const std::string& name : entries[i].names)
            byName[name] = i;
    for (const SettingOption& option : settingOptions()) {
        if (!option.onCommandLine)
            continue;
        std::string name = toLowerAscii(option.name);
        std::vector<std::string> words =
            option.kind == OptionValueKind::kWord ? lowerWords(option.setting->vocabulary) : std::vector<std::string>{};
        if (auto known = byName.find(name); known != byName.end()) {
            entries[known->second].words = words;
            continue;
        }
        entries.push_back({"", {name}, valueName(option.kind), words});
    }
    return entries;
}

std::string joined(const std::vector<std::string>& items, std::string_view separator = " ")
{
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty())
            text += separator;
        text += item;
    }
    return text;
}

void printListing(std::ostream& out)
{
    for (const OptionEntry& entry : allOptions())
        out << "option\t" << entry.group << '\t' << joined(entry.names) << '\t' << entry.value << '\t'
            << joined(entry.words) << '\n';
    for (const SettingOption& option : settingOptions())
        if (option.inProfile && !option.onCommandLine)
            out << "profile-key\t" << toLowerAscii(option.name) << '\n';
    for (std::string_view placeholder : MaskPlaceholders)
        out << "placeholder\t" << placeholder << '\n';
    for (const std::string& format : outputFormats)
        out << "output-format\t" << format << '\n';
}

bool takesFolder(const OptionEntry& entry)
{
    return entry.value == "PATH";
}

void printBashCompletion(std::ostream& out)
{
    const std::vector<OptionEntry> entries = allOptions();
    std::vector<std::string> offered;
    for (const OptionEntry& entry : entries)
        for (const std::string& name : entry.names) {
            // "-?" is a glob pattern on a command line; -h says the same.
            if (name == "-?")
                continue;
            offered.push_back(startsWith(name, "--") && !entry.value.empty() ? name + "=" : name);
        }

    // One case branch per kind of value; words are offered in lower case.
    std::map<std::string, std::vector<std::string>> byWords;
    std::vector<std::string> numbers, folders, formats;
    for (const OptionEntry& entry : entries) {
        std::vector<std::string>* target = nullptr;
        if (!entry.words.empty())
            target = &byWords[joined(entry.words)];
        else if (entry.value == "NUM")
            target = &numbers;
        else if (takesFolder(entry))
            target = &folders;
        else if (entry.names.front() == "-c")
            target = &formats;
        if (target)
            target->insert(target->end(), entry.names.begin(), entry.names.end());
    }

    out << R"(# bash completion for korvane, written from the program's option table.

_korvane()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev= option= prefix=
    (( COMP_CWORD > 0 )) && prev=${COMP_WORDS[COMP_CWORD-1]}
    # Readline splits "--name=value" at "=", so the option may stand one or
    # two words back; without that split the option is in the word itself.
    if [[ $cur == = ]]; then
        option=$prev cur=
    elif [[ $prev == = ]] && (( COMP_CWORD > 1 )); then
        option=${COMP_WORDS[COMP_CWORD-2]}
    elif [[ $cur == --*=* ]]; then
        option=${cur%%=*} prefix=${cur%%=*}= cur=${cur#*=}
    elif [[ $prev == -[iIoOcC] ]]; then
        option=$prev
    fi

    if [[ -n $option ]]; then
        case ${option,,} in
)";
    for (const auto& [words, names] : byWords)
        out << "            " << joined(names, "|") << ")\n                COMPREPLY=($(compgen -W \"" << words
            << "\" -- \"${cur,,}\")) ;;\n";
    out << "            " << joined(formats, "|") << ")\n                COMPREPLY=($(compgen -W \""
        << joined(outputFormats) << "\" -- \"${cur,,}\")) ;;\n";
    out << "            " << joined(folders, "|")
        << ")\n                compopt -o dirnames 2>/dev/null; COMPREPLY=() ;;\n";
    out << "            " << joined(numbers, "|") << ")\n                COMPREPLY=() ;;\n";
    out << R"(            *)
                # files, fonts, colours and texts
                compopt -o default 2>/dev/null; COMPREPLY=() ;;
        esac
        [[ -n $prefix ]] && COMPREPLY=("${COMPREPLY[@]/#/$prefix}")
        return 0
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W ")"
        << joined(offered) << R"(" -- "$cur"))
        [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
    else
        compopt -o default 2>/dev/null
        COMPREPLY=()
    fi
    return 0
}
complete -F _korvane korvane
)";
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "list" && mode != "bash") {
        std::cerr << "usage: korvane_options list|bash [FILE]\n";
        return 2;
    }
    std::ofstream file;
    if (argc > 2)
        file.open(argv[2]);
    std::ostream& out = argc > 2 ? file : std::cout;
    if (mode == "list")
        printListing(out);
    else
        printBashCompletion(out);
    out.flush();
    return out ? 0 : 1;
}

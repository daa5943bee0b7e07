#!/usr/bin/env python3
"""Holds the installed man page, usage text, bash completion and manual
against the options the program parses.

The listing comes from korvane_options, which reads the option table and the
usage text of the program itself. A check fails when an option is missing
from the man page, documented there but unknown to the program, filed under
another group than `korvane -h` shows it in, or described without the words
it takes; when the completion does not offer an option or its words; and
when the manual leaves out a filename placeholder.
"""

import argparse
import gzip
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z?][A-Za-z0-9-]*)")
# Switches that count only as the first parameter and serve the maker; the
# man page describes them, -h does not list them.
MAKER_SWITCHES = {"-T", "-U"}

problems = []


def problem(text):
    problems.append(text)


def read_listing(path):
    options, profile_keys, placeholders = [], [], []
    with open(path, encoding="utf-8") as listing:
        for line in listing:
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "option":
                group, names, value, words = fields[1:5]
                options.append({"group": group, "names": names.split(), "value": value, "words": words.split()})
            elif fields[0] == "profile-key":
                profile_keys.append(fields[1])
            elif fields[0] == "placeholder":
                placeholders.append(fields[1])
    if not options:
        problem(f"{path}: the option listing is empty")
    return options, profile_keys, placeholders


def read_help(path):
    """Option name -> usage group, as the installed program prints them."""
    groups, group = {}, None
    with open(path, encoding="utf-8") as text:
        for line in text:
            line = line.rstrip("\n")
            if line.endswith(":") and not line.startswith(" "):
                group = line[:-1]
            elif line.startswith("  -"):
                tag = line[2:].split("  ")[0]
                for name in OPTION.findall(tag):
                    groups[name] = group
    if not groups:
        problem(f"{path}: no options in the usage text")
    return groups


def roff_text(line):
    line = re.sub(r"\\f[BIRP]", "", line)
    line = line.replace("\\-", "-").replace("\\e", "\\").replace("\\&", "")
    if line.startswith("."):
        line = re.sub(r"^\.\w+\s*", "", line).replace('"', "")
    return line


def read_man(path):
    """Option name -> (section, paragraph) of each .TP tag, and the whole text."""
    opener = gzip.open if path.endswith(".gz") else open
    with opener(path, "rt", encoding="utf-8") as page:
        lines = page.read().splitlines()
    tags, section, current, text = {}, None, [], []
    i = 0
    while i < len(lines):
        line = lines[i]
        text.append(roff_text(line))
        if line.startswith(".SH"):
            section = line[3:].strip().strip('"')
        if re.match(r"\.(TP|SH|SS|PP|RS)\b", line):
            current = []
        if line.startswith(".TP") and i + 1 < len(lines):
            i += 1
            tag = roff_text(lines[i])
            text.append(tag)
            current = [tag]
            for name in OPTION.findall(tag):
                if name in tags:
                    problem(f"man page: {name} is described twice")
                tags[name] = (section, current)
        elif not line.startswith(".TP"):
            current.append(roff_text(line))
        i += 1
    return tags, "\n".join(text)


def completions(script, words):
    """What the completion offers for the command line korvane WORDS..."""
    program = (
        'source "$1"; shift; COMP_WORDS=(korvane "$@"); COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )); '
        'COMPREPLY=(); _korvane; printf "%s\\n" "${COMPREPLY[@]}"'
    )
    result = subprocess.run(["bash", "-c", program, "bash", script, *words],
                            capture_output=True, text=True, timeout=60, check=False)
    if result.returncode != 0:
        problem(f"completion of {words}: bash ended with {result.returncode}: {result.stderr.strip()}")
    return set(filter(None, result.stdout.splitlines()))


def check_man(options, profile_keys, help_groups, man_path):
    tags, text = read_man(man_path)
    known = {name for option in options for name in option["names"]}
    for name, group in help_groups.items():
        if name not in tags:
            problem(f"man page: {name} of `korvane -h` is missing")
        elif tags[name][0] != group.upper():
            problem(f"man page: {name} stands under {tags[name][0]}, `korvane -h` lists it under {group}")
    for name in sorted(known - tags.keys()):
        problem(f"man page: option {name} is missing")
    for name in sorted(tags.keys() - known - MAKER_SWITCHES):
        problem(f"man page: {name} is described but the program has no such option")
    for option in options:
        name = option["names"][0]
        if not option["words"] or name.endswith("-compression") or name not in tags:
            # Compression words are shared codes that each format reads its own
            # way; the page names only those that mean something for the format.
            continue
        paragraph = "\n".join(tags[name][1]).lower()
        for word in option["words"]:
            if not re.search(rf"(?<![\w-]){re.escape(word)}(?![\w-])", paragraph):
                problem(f"man page: {name} does not name its word {word.upper()}")
    for key in profile_keys:
        if key not in text:
            problem(f"man page: the profile key {key} is not explained")


def check_completion(options, script):
    offered = completions(script, ["-"])
    for option in options:
        for name in option["names"]:
            if name == "-?":
                continue  # a glob pattern on a command line; -h says the same
            wanted = name + "=" if name.startswith("--") and option["value"] else name
            if wanted not in offered:
                problem(f"completion: {wanted} is not offered")
        if option["words"]:
            for name in option["names"]:
                got = completions(script, [name, "=", ""])
                if got != set(option["words"]):
                    problem(f"completion: {name}= offers {sorted(got)}, not {option['words']}")
    if completions(script, ["--jpg-chroma", "=", "me"]) != {"medium"}:
        problem("completion: --jpg-chroma=me is not completed to medium")


def check_manual(placeholders, profile_keys, manual):
    with open(f"{manual}/masks.html", encoding="utf-8") as page:
        masks = page.read()
    for placeholder in placeholders:
        if f"<code>{placeholder}</code>" not in masks:
            problem(f"manual: the placeholder {placeholder} is not in masks.html")
    with open(f"{manual}/profiles.html", encoding="utf-8") as page:
        profiles = page.read()
    for key in profile_keys:
        if key not in profiles:
            problem(f"manual: the profile key {key} is not in profiles.html")


def main():
    arguments = argparse.ArgumentParser(description=__doc__)
    arguments.add_argument("--listing", required=True, help="output of korvane_options list")
    arguments.add_argument("--help-text", required=True, help="output of korvane -h")
    arguments.add_argument("--man", required=True)
    arguments.add_argument("--completion", required=True)
    arguments.add_argument("--manual", required=True, help="the installed manual folder")
    given = arguments.parse_args()

    options, profile_keys, placeholders = read_listing(given.listing)
    help_groups = read_help(given.help_text)
    for option in options:
        for name in option["names"]:
            if option["group"] and help_groups.get(name) != option["group"]:
                problem(f"usage text: {name} is not under {option['group']} in `korvane -h`")
    check_man(options, profile_keys, help_groups, given.man)
    check_completion(options, given.completion)
    check_manual(placeholders, profile_keys, given.manual)

    for text in problems:
        print(text, file=sys.stderr)
    count = sum(len(option["names"]) for option in options)
    print(f"{count} option names checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env bash
# Fails when a source file includes from a folder above its own, or when
# wxWidgets is included outside src/gui/widgets/. The floors, lowest first;
# a file may include from its own floor and every floor below it. Files
# directly in src/ (main.cpp) form the top floor and may include everything.
#
#   scripts/check-layers.sh [SRC_FOLDER]    (default: src/ next to this script)
set -euo pipefail

floors=(platform formats settings picture overlay engine app gui)
top=${#floors[@]}

src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
src=${src%/}

floor_of() {
    local i
    for i in "${!floors[@]}"; do
        if [[ ${floors[$i]} == "$1" ]]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

problems=0
report() {
    echo "$1"
    problems=$((problems + 1))
}

while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    if [[ $relative == */* ]]; then
        folder=${relative%%/*}
        own=$(floor_of "$folder")
        if ((own < 0)); then
            report "$relative: the folder $folder has no floor in scripts/check-layers.sh"
            continue
        fi
    else
        folder=""
        own=$top
    fi
    in_widgets=0
    [[ $relative == gui/widgets/* ]] && in_widgets=1

    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<wx/ ]]; then
            ((in_widgets)) || report "$relative: includes wxWidgets outside gui/widgets/"
            continue
        fi
        [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
        included=${BASH_REMATCH[1]}
        if [[ $included != */* ]]; then
            report "$relative: includes \"$included\" without its folder"
            continue
        fi
        target=${included%%/*}
        floor=$(floor_of "$target")
        if ((floor < 0)); then
            report "$relative: includes \"$included\" from a folder that has no floor"
        elif ((floor > own)); then
            report "$relative: includes \"$included\", from $target above ${folder:-src}"
        elif [[ $folder == gui && $included == gui/widgets/* && $in_widgets == 0 ]]; then
            report "$relative: includes \"$included\"; the rules in gui/ stay free of the widgets"
        fi
    done < "$file"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((problems > 0)); then
    echo "$problems breach(es) of the floors: ${floors[*]}, then src/"
    exit 1
fi

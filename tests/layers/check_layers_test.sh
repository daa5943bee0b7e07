#!/usr/bin/env bash
# The floor check on a small tree: clean, it passes; each kind of breach is
# reported by file and fails the check.
#
#   tests/layers/check_layers_test.sh CHECK_SCRIPT
set -euo pipefail
check=$1
tree=$(mktemp -d "${TMPDIR:-/tmp}/korvane-layers-XXXXXX")
trap 'rm -rf "$tree"' EXIT

fail() {
    echo "FAIL: $1"
    exit 1
}

mkdir -p "$tree"/{platform,settings,engine,overlay,gui/widgets}
printf '#pragma once\n#include <string>\n' > "$tree/platform/text.h"
printf '#include "platform/text.h"\n' > "$tree/settings/record.cpp"
printf '#include "overlay/frame.h"\n#include "settings/record.h"\n' > "$tree/engine/worker.cpp"
printf '#include "engine/worker.h"\n#include <wx/frame.h>\n#include "gui/widgets/panel.h"\n' \
    > "$tree/gui/widgets/window.cpp"
printf '#include "gui/rules.h"\n#include "engine/worker.h"\n' > "$tree/main.cpp"
"$check" "$tree" > "$tree/clean.txt" || fail "a clean tree fails: $(cat "$tree/clean.txt")"

printf '#include "engine/worker.h"\n' > "$tree/overlay/frame.cpp"
printf '#include <wx/string.h>\n#include "gui/widgets/panel.h"\n' > "$tree/gui/rules.cpp"
printf '#include "record.h"\n' > "$tree/settings/loose.cpp"
mkdir -p "$tree/extra" && printf '\n' > "$tree/extra/new.h"
if "$check" "$tree" > "$tree/broken.txt"; then
    fail "breaches pass unnoticed"
fi
for expected in 'overlay/frame.cpp: includes "engine/worker.h", from engine above overlay' \
                'gui/rules.cpp: includes wxWidgets outside gui/widgets/' \
                'gui/rules.cpp: includes "gui/widgets/panel.h"; the rules in gui/ stay free of the widgets' \
                'settings/loose.cpp: includes "record.h" without its folder' \
                'extra/new.h: the folder extra has no floor'; do
    grep -qF "$expected" "$tree/broken.txt" || fail "not reported: $expected; got: $(cat "$tree/broken.txt")"
done
[[ $(grep -c '^[a-z]' "$tree/broken.txt") == 5 ]] || fail "reports beyond the breaches: $(cat "$tree/broken.txt")"
echo "the floor check passes a clean tree and reports every breach"

#!/usr/bin/env bash
# Pictures of the window for the user manual: runs `korvane -T FOLDER` on a
# display of its own when xvfb-run is there, else on the current display.
# Usage: make-screenshots.sh KORVANE FOLDER
set -euo pipefail
program=$1
folder=$2
mkdir -p "$folder"

# A private home: the pictures show the built-in defaults, never the settings
# of whoever builds, and no open copy of korvane can hold the instance lock.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime" "$scratch/tmp"
chmod 700 "$scratch/runtime"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime TMPDIR=$scratch/tmp

run=(timeout 300 "$program" -T "$folder")
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}"
elif [ -n "${DISPLAY:-}" ]; then
    "${run[@]}"
else
    echo "make-screenshots: no xvfb-run and no display; the manual goes without pictures" >&2
    exit 0
fi
count=$(find "$folder" -name '*.png' | wc -l)
echo "make-screenshots: $count pictures in $folder"
# No empty folder goes into the installation.
rmdir "$folder" 2>/dev/null || true

#!/bin/sh
# Every page and panel of the preferences is drawn on a private X display:
# twelve pictures, none of them blank, and no setting changed on the way.
# KORVANE_SCREENSHOTS names a folder that keeps the pictures.
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" TMPDIR="$work"
export NO_AT_BRIDGE=1
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/pictures"
chmod 700 "$XDG_RUNTIME_DIR"

timeout -k 10 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$work/pictures"

for name in general interface input output transform adjustment frame watermark advanced \
            frame-solid watermark-text watermark-picture; do
    picture="$work/pictures/preferences-$name.png"
    if [ ! -s "$picture" ]; then
        echo "no picture $picture"
        exit 1
    fi
    colours=$(identify -format %k "$picture")
    if [ "$colours" -lt 16 ]; then
        echo "$picture is blank ($colours colours)"
        exit 1
    fi
done
if [ -n "${KORVANE_SCREENSHOTS:-}" ]; then
    mkdir -p "$KORVANE_SCREENSHOTS"
    cp "$work"/pictures/preferences-*.png "$KORVANE_SCREENSHOTS"/
fi

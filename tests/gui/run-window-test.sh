#!/usr/bin/env bash
# Runs a window test script inside a display, a D-Bus session and a window
# manager of its own, with private home, settings, lock and temporary folders,
# so that it neither sees nor touches the user's desktop or other test runs.
#
#   run-window-test.sh SCRIPT ARGUMENTS...
#
# The whole run is limited in time; the script itself limits each wait and
# stops the program when a step fails.
set -euo pipefail
script=$1
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-window-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime" "$work/tmp"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work/tmp
export GTK_A11Y=atspi KORVANE_TEST_WORK=$work
unset WAYLAND_DISPLAY
# Debian's dogtail is installed for the system interpreter.
timeout 300 xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
    sh -c 'openbox >/dev/null 2>&1 & sleep 1; exec /usr/bin/python3 -u "$@"' sh "$script" "$@"

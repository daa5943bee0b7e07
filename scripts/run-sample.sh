#!/usr/bin/env bash
# Installs, builds and converts the bundled sample PhotoCD picture into out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DKORVANE_BUILD_TESTS=OFF
mkdir -p "$root/out"
"$root/build/korvane" -i "$root/testdata/photocd/kodim23-16base.pcd" -o "$root/out"

#!/usr/bin/env bash
# Installs, builds and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
"$root/scripts/build.sh" -DKORVANE_BUILD_TESTS=ON
cd "${BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Fails on any C++ file that clang-format would change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp' 'fuzz/*.h' 'tools/*.cpp' \
    | xargs clang-format --dry-run -Werror

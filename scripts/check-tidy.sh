#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source file of
# src/, using the compile commands of a configured build (build/ or
# $BUILD_DIR); any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
[ -f "$build/compile_commands.json" ] || { echo "check-tidy: no $build/compile_commands.json; build first" >&2; exit 2; }
cd "$root"
# The generated sources of the build (the built-in pictures) are not ours to lint.
git ls-files -- 'src/*.cpp' | xargs -P "$(nproc)" -n 8 clang-tidy --quiet -p "$build" 2>/dev/null

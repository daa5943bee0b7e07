#!/usr/bin/env bash
# Installs every build, run and test dependency from Debian packages; with
# --tests also the tools that only the test suite runs (scripts/run-tests.sh
# and the sanitizer suite pass it, and so CI).
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libfreeimage-dev
  imagemagick
  libwxgtk3.2-dev libgtk-3-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev
  libarchive-dev libpng-dev zlib1g-dev libcurl4-openssl-dev libgtk-3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox dbus-x11 at-spi2-core python3-dogtail x11-apps
  python3-gi gir1.2-gtk-3.0 xdotool
  librsvg2-bin ccache
  desktop-file-utils appstream lintian mandoc dpkg-dev fakeroot file
  clang libclang-rt-14-dev clang-format clang-tidy
  fonts-liberation2
)

# Test-only: not needed to build, run or package the program.
test_packages=(
  parallel  # GNU parallel: the README's recipe for several machines (tests/batch/parallel_recipe_test.sh)
)
case "${1:-}" in
  --tests) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: install-deps.sh [--tests]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

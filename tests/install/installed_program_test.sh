#!/usr/bin/env bash
# Installs korvane into a fresh prefix and uses it there as a user would:
# directly, through symbolic links, and after the manual and the themes are
# gone. Usage: installed_program_test.sh BUILD SOURCE PREFIX_NAME OPTIONS_TOOL
set -euo pipefail
build=$1
source=$2
prefix_name=$3
options_tool=$4
here=$(cd "$(dirname "$0")" && pwd)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# Every run of the program gets this private home, configuration, lock and
# temporary folder, and no display.
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime" "$scratch/tmp"
chmod 700 "$scratch/runtime"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime TMPDIR=$scratch/tmp
unset DISPLAY WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$scratch/$prefix_name
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"
korvane=$prefix/bin/korvane
id=com.tessaly.korvane

# The layout the desktop and the program itself rely on.
for file in bin/korvane "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$id.svg" share/man/man1/korvane.1.gz \
    share/bash-completion/completions/korvane share/doc/korvane/copyright \
    share/doc/korvane/manual/index.html share/doc/korvane/manual/manual.css; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$korvane" ] || fail "bin/korvane is not executable"
for size in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not $size pixels square"
done
# The themes the build made, where the program looks for them.
shopt -s nullglob
for theme in "$build"/gfx/*.zip; do
    cmp -s "$theme" "$prefix/share/korvane/gfx/$(basename "$theme")" || fail "$(basename "$theme") is not installed"
done
shopt -u nullglob
# The window's own module, which a console run never loads: neither it nor the
# toolkit's libraries.
module=$(find "$prefix/lib" -name korvane-window.so)
[ -n "$module" ] || fail "the window's module is not installed"
loaded=$(LD_DEBUG=files timeout 60 "$korvane" -v 2>&1 >/dev/null | grep -Eo 'file=[^ ]*(korvane-window|libwx|libgtk)[^ ]*' || true)
[ -z "$loaded" ] || fail "korvane -v loaded $loaded"
writable=$(find "$prefix" -perm -o+w ! -type l)
[ -z "$writable" ] || fail "writable by everyone: $writable"

# A conversion by the installed program: the 4Base picture, by convert or by
# the built-in decoder.
mkdir -p "$scratch/in ü" "$scratch/out put"
input="$scratch/in ü/picture one.pcd"
cp "$source/testdata/photocd/kodim15-4base.pcd" "$input"
convert_once() {
    local output=$1
    shift
    local said
    said=$(timeout 120 "$@" -i "$input" -o "$output") || fail "$* ended with $?"
    grep -qx "Files converted: 1 of 1" <<<"$said" || fail "$* did not convert: $said"
    [ "$(identify -format '%wx%h' "$output/picture one.jpg")" = 1536x1024 ] ||
        fail "$output/picture one.jpg is not the 4Base picture"
    rm "$output/picture one.jpg"
}
[ "$(timeout 60 "$korvane" -v)" = 3.0 ] || fail "korvane -v"
convert_once "$scratch/out put" "$korvane"

# Through a link in another folder, under another name, and through a link to
# that link. A relative output folder is taken below the folder the program
# really lives in: the output must land in PREFIX/bin/converted, not beside
# the links nor in the current folder, which have a folder of that name too.
links=$scratch/links
mkdir -p "$links/converted" "$scratch/work/converted" "$prefix/bin/converted"
ln -s "$korvane" "$links/korvane"
ln -s "$links/korvane" "$links/pcd2jpg"
for link in "$links/korvane" "$links/pcd2jpg"; do
    (cd "$scratch/work" && timeout 120 "$link" -q -i "$input" -o converted) ||
        fail "$link ended with $?"
    [ -f "$prefix/bin/converted/picture one.jpg" ] || fail "$link did not write below the program's own folder"
    [ -z "$(find "$links/converted" "$scratch/work/converted" -mindepth 1)" ] || fail "$link wrote beside the link or the current folder"
    rm "$prefix/bin/converted/picture one.jpg"
done

# The options: the usage text, the man page, the completion and the manual
# agree with what the program parses.
"$options_tool" list "$scratch/options.txt"
timeout 60 "$links/pcd2jpg" -h >"$scratch/help.txt"
python3 "$here/check_options.py" --listing "$scratch/options.txt" --help-text "$scratch/help.txt" \
    --man "$prefix/share/man/man1/korvane.1.gz" \
    --completion "$prefix/share/bash-completion/completions/korvane" \
    --manual "$prefix/share/doc/korvane/manual"

# The pictures of -T on a display of their own: a sheet for every installed
# theme, found through the link; without the themes the built-in pictures.
screenshots() {
    NO_AT_BRIDGE=1 timeout -k 10 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$links/pcd2jpg" -T "$1" ||
        fail "-T $1 ended with $?"
    for name in main-window main-window-filled about preferences-general; do
        [ -s "$1/$name.png" ] || fail "-T wrote no $name.png"
    done
    find "$1" -name 'theme-*-icons.png' -printf '%f\n' | sort | tr '\n' ' '
}
sheets=$(screenshots "$scratch/pictures with themes")
[ "$sheets" = "theme-flat-icons.png theme-handdrawn-icons.png " ] || fail "-T wrote the theme sheets: $sheets"

# Without its manual and themes the program still converts and draws.
rm -rf "$prefix/share/doc/korvane/manual" "$prefix/share/korvane"
convert_once "$scratch/out put" "$links/pcd2jpg"
sheets=$(screenshots "$scratch/pictures without themes")
[ -z "$sheets" ] || fail "-T without themes wrote: $sheets"

# Without its module the program still converts; the window says why it
# cannot start, and fails.
rm "$module"
convert_once "$scratch/out put" "$korvane"
said=$(timeout 60 "$korvane" -T "$scratch/no module" 2>&1) && fail "-T without the module succeeded"
grep -q "^korvane: the window cannot be started: .*korvane-window.so" <<<"$said" || fail "-T without the module said: $said"
echo "installed into '$prefix_name' and used there"

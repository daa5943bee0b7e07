#!/usr/bin/env bash
# Builds the Debian package, has lintian judge it, compares its files with a
# plain install, installs it into a throw-away root with dpkg, uses the
# program from there and removes it again.
# Usage: debian_package_test.sh BUILD SOURCE
set -euo pipefail
build=$1
source=$2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvane-deb.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime" "$scratch/tmp"
chmod 700 "$scratch/runtime"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime TMPDIR=$scratch/tmp
unset DISPLAY WAYLAND_DISPLAY

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log"
    fail "cpack -G DEB"
}
debs=("$scratch"/package/korvane_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

# lintian: no error and no warning (information tags are left alone).
# lintian warns that it runs as root, which is how CI runs.
lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2) || fail "lintian"

# The control data: dependencies found from the linked libraries, plus convert.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in imagemagick libfreeimage3 libcairo2 libpango-1.0-0 libc6; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
# Every dependency is met by this machine, which runs the program.
IFS=',' read -ra alternatives <<<"$depends"
for dependency in "${alternatives[@]}"; do
    name=$(awk '{print $1}' <<<"$dependency")
    version=$(sed -n 's/.*(>= *\([^)]*\)).*/\1/p' <<<"$dependency")
    installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed here"
    [ -z "$version" ] || dpkg --compare-versions "$installed" ge "$version" || fail "$name $installed < $version"
done

# The package holds exactly the files of a plain install, owned by root, with
# the usual modes, and a stripped program.
DESTDIR=$scratch/stage cmake --install "$build" --prefix /usr >"$scratch/install.log"
sed -n 's|^-- Installing: '"$scratch"'/stage||p' "$scratch/install.log" | while IFS= read -r path; do
    [ -d "$scratch/stage$path" ] || echo "$path"
done | sort >"$scratch/installed.txt"
[ -s "$scratch/installed.txt" ] || fail "the install listed no files"
dpkg-deb -c "$deb" >"$scratch/contents.txt"
awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' "$scratch/contents.txt" | sort >"$scratch/packaged.txt"
diff -u "$scratch/installed.txt" "$scratch/packaged.txt" || fail "the package and the install hold different files"
awk '$2 != "root/root" {print}' "$scratch/contents.txt" | grep . && fail "files not owned by root"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print}' "$scratch/contents.txt" | grep . && fail "odd folder modes"
awk '$1 ~ /^-/ && $6 != "./usr/bin/korvane" && $1 != "-rw-r--r--" {print}' "$scratch/contents.txt" | grep . &&
    fail "odd file modes"
grep -q '^-rwxr-xr-x .* \./usr/bin/korvane$' "$scratch/contents.txt" || fail "usr/bin/korvane is not 0755"

# dpkg itself installs it into a throw-away root; the dependencies are this
# machine's, so they are not looked for there.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg=(dpkg --root="$root" --force-not-root --force-depends --log=/dev/null)
"${dpkg[@]}" -i "$deb" >"$scratch/dpkg.log" 2>&1 || {
    cat "$scratch/dpkg.log"
    fail "dpkg -i"
}
[ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' korvane)" = "install ok installed" ] ||
    fail "dpkg does not list korvane as installed"
file "$root/usr/bin/korvane" | grep -q ', stripped' || fail "usr/bin/korvane is not stripped"

mkdir -p "$scratch/out"
said=$(timeout 120 "$root/usr/bin/korvane" -i "$source/testdata/photocd/kodim23.pcd" -o "$scratch/out")
grep -qx "Files converted: 1 of 1" <<<"$said" || fail "the packaged program did not convert: $said"
[ "$(identify -format '%wx%h' "$scratch/out/kodim23.jpg")" = 768x512 ] || fail "kodim23.jpg"
[ "$(timeout 60 "$root/usr/bin/korvane" -v)" = 3.0 ] || fail "korvane -v"

# Removing the package leaves nothing of it behind.
"${dpkg[@]}" --purge korvane >>"$scratch/dpkg.log" 2>&1 || {
    cat "$scratch/dpkg.log"
    fail "dpkg --purge"
}
left=$(find "$root" -mindepth 1 -path "$root/var" -prune -o -print)
[ -z "$left" ] || fail "left after purging: $left"
echo "package built, judged, installed, used and removed"

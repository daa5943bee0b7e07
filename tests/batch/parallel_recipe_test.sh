#!/usr/bin/env bash
# The README's recipe for converting an archive on several machines, run on
# this machine with two slots of GNU parallel standing for two machines:
# every picture is converted exactly once, and parallel's exit status, the
# number of batches that failed, tells a failing share.
#
# Usage: parallel_recipe_test.sh KORVANE SAMPLES
set -euo pipefail
korvane=$(realpath "$1")
samples=$(realpath "$2")
command -v parallel >/dev/null || { echo "GNU parallel is missing: scripts/install-deps.sh --tests installs it" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-parallel-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# korvane as each machine has it, on PATH, behind a convert that notes every
# pac it decodes (these pacs need one decoder run each).
mkdir -p "$work/bin"
ln -s "$korvane" "$work/bin/korvane"
real_convert=$(command -v convert)
cat >"$work/bin/convert" <<WRAPPER
#!/bin/sh
readlink source.pcd >>"$work/decoded.log"
exec "$real_convert" "\$@"
WRAPPER
chmod +x "$work/bin/convert"
export PATH="$work/bin:$PATH"

# Three discs on the "shared" folder.
archive=$work/archive
for disc in disc01 disc02 disc03; do
    mkdir -p "$archive/$disc/PHOTO_CD/IMAGES"
    cp "$samples/kodim23.pcd" "$archive/$disc/PHOTO_CD/IMAGES/IMG0001.PCD"
    cp "$samples/kodim04.pcd" "$archive/$disc/PHOTO_CD/IMAGES/IMG0002.PCD"
done
cp "$samples/kodim15-4base.pcd" "$archive/disc02/PHOTO_CD/IMAGES/IMG0003.PCD"
expected=$(cd "$archive" && find . -name '*.PCD' | sed 's/\.PCD$/.jpg/' | sort)

# The recipe, as in the README: one batch at a time on each "machine" (-S
# 2/: is two slots on this one), each over the next disc, all of its
# processors for its pictures (here one each, two slots sharing this machine).
convert_archive() {
    local out=$1
    mkdir -p "$out"
    parallel --will-cite -S 2/: --halt never \
        "mkdir -p $out/{/} && korvane --batch -q --jobs=1 -o $out/{/} {}" ::: "$archive"/*
}

# 1. Every picture once, and status 0.
: >"$work/decoded.log"
status=0
convert_archive "$work/out1" >"$work/run1.log" 2>&1 || status=$?
[ "$status" = 0 ] || fail "status $status for an archive without faults: $(cat "$work/run1.log")"
[ ! -s "$work/run1.log" ] || fail "a quiet run printed: $(cat "$work/run1.log")"
got=$(cd "$work/out1" && find . -type f | sort)
[ "$got" = "$expected" ] || fail "the outputs are not the archive's pictures: $got"
[ "$(wc -l <"$work/decoded.log")" = 7 ] || fail "7 pacs, but $(wc -l <"$work/decoded.log") decoder runs"
[ "$(sort -u "$work/decoded.log" | wc -l)" = 7 ] || fail "a pac was decoded twice: $(sort "$work/decoded.log")"
for picture in $got; do
    [ "$(identify -format '%m' "$work/out1/$picture")" = JPEG ] || fail "$picture is no JPEG"
done

# 2. A broken file on one disc: that share fails, the combined status says
# so, and every other picture is still converted.
echo "not a picture" >"$archive/disc02/PHOTO_CD/IMAGES/IMG0004.PCD"
status=0
convert_archive "$work/out2" >"$work/run2.log" 2>&1 || status=$?
[ "$status" = 1 ] || fail "one failing share gave status $status: $(cat "$work/run2.log")"
grep -qx "FAILED: $archive/disc02/PHOTO_CD/IMAGES/IMG0004.PCD: not a PhotoCD image pac" "$work/run2.log" ||
    fail "no reason for the broken file: $(cat "$work/run2.log")"
got=$(cd "$work/out2" && find . -type f | sort)
[ "$got" = "$expected" ] || fail "the good pictures beside the broken one: $got"
echo "parallel recipe: 2 runs, 7 pictures each, statuses 0 and 1"

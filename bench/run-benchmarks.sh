#!/usr/bin/env bash
# The cost of a conversion, side by side with ImageMagick: end to end (also
# with the built-in PhotoCD decoder, --decoder=builtin), our own share
# beside the decoder's, each pipeline step in process, the peak memory, and
# what the window adds. Prints the tables and writes them, with
# the machine they ran on and the command, into docs/benchmarks.md (between
# its "generated" markers; the text around them is kept).
#
#   bench/run-benchmarks.sh [--quick] [--runs N] [--build-dir DIR] [--output FILE]
#
#   --quick          one timed run of everything on the Base pac (the test suite's run)
#   --runs N         timed runs per figure after the warm-up (default 7); medians are shown
#   --build-dir DIR  use the programs already built there instead of building build/
#   --output FILE    write there instead of docs/benchmarks.md
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
quick=0
runs=7
build=""
output="$root/docs/benchmarks.md"
command_line="./bench/run-benchmarks.sh${*:+ $*}"
while [ $# -gt 0 ]; do
    case "$1" in
    --quick) quick=1; runs=1 ;;
    --runs) runs=$2; shift ;;
    --build-dir) build=$2; shift ;;
    --output) output=$2; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
    shift
done

if [ -z "$build" ]; then
    "$root/scripts/install-deps.sh"
    build=${BUILD_DIR:-$root/build}
    BUILD_DIR=$build "$root/scripts/build.sh" -DKORVANE_BUILD_TESTS=OFF
fi
korvane=$build/korvane
stepbench=$build/bench/korvane_pipeline_bench
real_convert=$(command -v convert) || { echo "ImageMagick's convert is not installed" >&2; exit 1; }
for program in "$korvane" "$stepbench"; do
    [ -x "$program" ] || { echo "not built: $program" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/korvane-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/out" "$work/builtin" "$work/lock" "$work/stub" "$work/timed"
samples=$root/testdata/photocd
load_at_start=$(cut -d' ' -f1-3 /proc/loadavg)

# ---------------------------------------------------------------- helpers

# Seconds the command took; its exit status is not ours to judge (convert
# ends with 1 on the 16Base pac yet leaves the picture).
elapsed() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.6f\n", b - a }'
}

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
        if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ms() { awk -v s="$1" 'BEGIN { printf "%.0f", s * 1000 }'; }
ms1() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
percent() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", 100 * a / b }'; }
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "missed") }'; }

# Our program with a private lock folder, so that no other copy running on
# the machine makes it end at once as a second instance.
korvane_with_path() {
    local path=$1
    shift
    PATH=$path XDG_RUNTIME_DIR=$work/lock "$korvane" -q "$@"
}

picture_size() { identify -format '%wx%h' "$1" 2>/dev/null || echo "none"; }

declare -A sample sizes

# Adds one timing to the list named $1.
record() { sample[$1]="${sample[$1]:-} $2"; }
median_of() { median ${sample[$1]}; }

# ---------------------------------------------------------------- set-up

if [ "$quick" = 1 ]; then
    pacs=("kodim23.pcd:3:base only")
else
    pacs=("kodim23-16base.pcd:5:16Base" "kodim15-4base.pcd:4:4Base" "kodim23.pcd:3:base only")
fi
extras_pac=${pacs[0]%%:*}
extras_index=$(echo "${pacs[0]}" | cut -d: -f2)
extras_name=${pacs[0]##*:}

# The decoder's output for every pac, made once by the real convert, for the
# stub convert to hand over.
for entry in "${pacs[@]}"; do
    pac=${entry%%:*}
    index=$(echo "$entry" | cut -d: -f2)
    "$real_convert" -quiet -colorspace sRGB "pcd:$samples/$pac[$index]" "ppm:$work/$pac.ppm" 2>/dev/null || true
    [ -s "$work/$pac.ppm" ] || { echo "convert made no picture of $pac" >&2; exit 1; }
done

# A convert that only copies the prepared picture to where it is asked for:
# what korvane then takes is korvane's own time (plus this copy, timed apart).
cat >"$work/stub/convert" <<'EOF'
#!/bin/sh
for last; do :; done
exec cp "$BENCH_PREPARED" "${last#ppm:}"
EOF
# The real convert, noting when it starts and ends, so that the child's time
# can be taken from korvane's with the decoder really running.
cat >"$work/timed/convert" <<EOF
#!/bin/bash
start=\$EPOCHREALTIME
"$real_convert" "\$@"
status=\$?
echo "\$start \$EPOCHREALTIME" >>"\$BENCH_CHILD_LOG"
exit \$status
EOF
chmod +x "$work/stub/convert" "$work/timed/convert"
system_path=$PATH
stub_path=$work/stub:$system_path
timed_path=$work/timed:$system_path

frame_options=(--fr-solid-left=40 --fr-solid-right=40 --fr-solid-top=60 --fr-solid-bottom=60
    --fr-solid-left-color=C00000 --fr-solid-right-color=00A000 --fr-solid-top-color=0000C0
    --fr-solid-bottom-color=E0E0E0 --fr-solid-opacity=200)
text_options=("--wm-text=Tessaly PCD to JPG%eol%%filename% %width%x%height%" --wm-font-size=36
    --wm-text-antialiasing --wm-text-padding=8 --wm-back-opacity=96)

# ---------------------------------------------------------------- 1 and 2: end to end

echo "End to end (${runs} timed runs after a warm-up)..." >&2
for entry in "${pacs[@]}"; do
    pac=${entry%%:*}
    index=$(echo "$entry" | cut -d: -f2)
    input=$samples/$pac
    ours=$work/out/${pac%.pcd}.jpg
    builtin=$work/builtin/${pac%.pcd}.jpg
    theirs=$work/out/imagemagick.jpg
    export BENCH_PREPARED=$work/$pac.ppm BENCH_CHILD_LOG=$work/child-$pac.log
    for round in $(seq 0 "$runs"); do
        : >"$BENCH_CHILD_LOG"
        t_plain=$(elapsed korvane_with_path "$system_path" -i "$input" -o "$work/out")
        t_im=$(elapsed "$real_convert" "pcd:$input[$index]" -colorspace sRGB -quality 95 -sampling-factor 1x1 "$theirs")
        t_builtin=$(elapsed korvane_with_path "$system_path" --decoder=builtin -i "$input" -o "$work/builtin")
        t_stub=$(elapsed korvane_with_path "$stub_path" -i "$input" -o "$work/out")
        t_timed=$(elapsed korvane_with_path "$timed_path" -i "$input" -o "$work/out")
        t_copy=$(elapsed "$work/stub/convert" x "ppm:$work/copy.ppm")
        t_child=$(awk '{ total += $2 - $1 } END { printf "%.6f\n", total }' "$BENCH_CHILD_LOG")
        if [ "$round" = 0 ]; then
            # The warm-up run also checks that both made the same picture size.
            if [ "$(picture_size "$ours")" != "$(picture_size "$theirs")" ] || [ ! -s "$ours" ] ||
                [ "$(picture_size "$builtin")" != "$(picture_size "$theirs")" ]; then
                echo "korvane, its built-in decoder and ImageMagick disagree on $pac:" \
                    "$(picture_size "$ours"), $(picture_size "$builtin"), $(picture_size "$theirs")" >&2
                exit 1
            fi
            sizes[$pac]=$(picture_size "$ours")
            continue
        fi
        record "plain $pac" "$t_plain"
        record "im $pac" "$t_im"
        record "builtin $pac" "$t_builtin"
        record "stub $pac" "$t_stub"
        record "copy $pac" "$t_copy"
        record "own-timed $pac" "$(awk -v a="$t_timed" -v b="$t_child" 'BEGIN { printf "%.6f", a - b }')"
        record "child $pac" "$t_child"
        if [ "$pac" = "$extras_pac" ]; then
            # What a frame or a watermark adds is small beside the noise of
            # a busy machine: each is paired with a plain run just before it.
            for _ in 1 2 3; do
                t_base=$(elapsed korvane_with_path "$stub_path" -i "$input" -o "$work/out")
                t_frame=$(elapsed korvane_with_path "$stub_path" -i "$input" -o "$work/out" "${frame_options[@]}")
                t_text=$(elapsed korvane_with_path "$stub_path" -i "$input" -o "$work/out" "${text_options[@]}")
                record "stub-frame" "$t_frame"
                record "stub-text" "$t_text"
                record "frame-added" "$(awk -v a="$t_frame" -v b="$t_base" 'BEGIN { printf "%.6f", a - b }')"
                record "text-added" "$(awk -v a="$t_text" -v b="$t_base" 'BEGIN { printf "%.6f", a - b }')"
            done
            record "plain-frame" "$(elapsed korvane_with_path "$system_path" -i "$input" -o "$work/out" "${frame_options[@]}")"
            record "plain-text" "$(elapsed korvane_with_path "$system_path" -i "$input" -o "$work/out" "${text_options[@]}")"
        fi
    done
done

# ---------------------------------------------------------------- 3: each step

picture=$work/$extras_pac.ppm
targa=$work/picture.tga
mark=$work/mark.png
"$real_convert" "$picture" "tga:$targa"
"$real_convert" -size 480x240 xc:none -fill '#FFC02080' -draw 'roundrectangle 10,10 470,230 30,30' \
    -fill '#2040FFC0' -draw 'circle 240,120 240,40' "png32:$mark"
step_size=$(picture_size "$picture")
W=${step_size%x*}
H=${step_size#*x}
font_file=$(fc-match -f '%{file}' Arial)

echo "Pipeline steps in process..." >&2
if [ "$quick" = 1 ]; then
    bench_flags=(--benchmark_repetitions=1 --benchmark_min_time=0.01)
else
    bench_flags=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
fi
"$stepbench" --picture="$picture" --targa="$targa" --mark="$mark" --pac="$samples/$extras_pac" \
    --benchmark_format=csv "${bench_flags[@]}" \
    >"$work/steps.csv" 2>"$work/steps.log" || { cat "$work/steps.log" >&2; exit 1; }
# name -> milliseconds: the median row of each step, or its only row.
declare -A step_ms
while IFS=, read -r name _ real_time _ unit _ _ _ error _; do
    name=${name//\"/}
    case "$name" in *_mean | *_stddev | *_cv | name) continue ;; esac
    name=${name%_median}
    name=${name%/real_time}
    [ "$unit" = ms ] || continue
    if [ "${error:-}" = true ]; then step_ms[$name]="error"; else step_ms[$name]=$(printf '%.1f' "$real_time"); fi
done < <(grep '^"' "$work/steps.csv")

# The matching ImageMagick command of a step, as words in im_args.
im_step_args() {
    case "$1" in
    load/ppm) im_args=("$picture" null:) ;;
    load/targa) im_args=("$targa" null:) ;;
    rotate/simple_90) im_args=("$picture" -rotate 90 null:) ;;
    rotate/advanced_7) im_args=("$picture" -virtual-pixel black -distort SRT 7 null:) ;;
    resize/bicubic_50) im_args=("$picture" -filter Mitchell -resize 50% null:) ;;
    resize/lanczos_50) im_args=("$picture" -filter Lanczos -resize 50% null:) ;;
    tone/adjust) im_args=("$picture" -brightness-contrast 10x10 -gamma 1.2 null:) ;;
    tone/greyscale) im_args=("$picture" -colorspace Gray null:) ;;
    tone/threshold) im_args=("$picture" -colorspace Gray -threshold 50% null:) ;;
    tone/dither_fs) im_args=("$picture" -dither FloydSteinberg -monochrome null:) ;;
    overlay/frame_4_bands)
        im_args=("$picture"
            -fill '#0000C0C8' -draw "polygon 0,0 $W,0 $((W - 40)),60 40,60"
            -fill '#00A000C8' -draw "polygon $W,0 $W,$H $((W - 40)),$((H - 60)) $((W - 40)),60"
            -fill '#E0E0E0C8' -draw "polygon $W,$H 0,$H 40,$((H - 60)) $((W - 40)),$((H - 60))"
            -fill '#C00000C8' -draw "polygon 0,$H 0,0 40,60 40,$((H - 60))" null:) ;;
    overlay/text_watermark)
        im_args=("$picture" -font "$font_file" -pointsize 48 -gravity SouthEast -undercolor '#00000060'
            -fill white -annotate +10+10 "Tessaly PCD to JPG
picture ${W}x${H}" null:) ;;
    overlay/picture_watermark)
        im_args=("$picture" '(' "$mark" -channel A -evaluate multiply 0.706 +channel ')'
            -gravity SouthEast -geometry +10+10 -composite null:) ;;
    encode/jpeg_95_444) im_args=("$picture" -quality 95 -sampling-factor 1x1 "$work/out/step.jpg") ;;
    builtin/whole) im_args=("pcd:$samples/$extras_pac[$extras_index]" -colorspace sRGB null:) ;;
    *) im_args=() ;;
    esac
}

# The command as a reader would type it, with the picture's own name.
im_step_text() {
    local text="convert" word
    for word in "${im_args[@]}"; do
        word=${word//$picture/picture.ppm}
        word=${word//$targa/picture.tga}
        word=${word//$mark/mark.png}
        word=${word//$samples\//}
        word=${word//$work\/out\//}
        word=${word//$'\n'/\\n}
        case "$word" in *[\ \'\(\)\#%]* | '') text+=" '$word'" ;; *) text+=" $word" ;; esac
    done
    echo "$text"
}

steps=(load/ppm load/ppm_by_freeimage load/targa rotate/simple_90 rotate/advanced_7 resize/bicubic_50 resize/lanczos_50 tone/adjust
    tone/greyscale tone/threshold tone/dither_fs overlay/frame_4_bands overlay/text_watermark
    overlay/picture_watermark encode/jpeg_95_444 builtin/whole builtin/read builtin/resolutions builtin/colour_and_turn)

echo "The same steps with ImageMagick..." >&2
declare -A im_total
for step in "${steps[@]}"; do
    im_step_args "$step"
    [ ${#im_args[@]} -gt 0 ] || continue
    elapsed "$real_convert" "${im_args[@]}" >/dev/null
    times=()
    for _ in $(seq "$runs"); do times+=("$(elapsed "$real_convert" "${im_args[@]}")"); done
    im_total[$step]=$(median "${times[@]}")
done

# ---------------------------------------------------------------- 4: peak memory

echo "Peak memory..." >&2
peak_kib() {
    local path=$1
    shift
    PATH=$path XDG_RUNTIME_DIR=$work/lock /usr/bin/time -f %M -o "$work/peak" "$korvane" -q "$@" >/dev/null 2>&1 || true
    tail -n 1 "$work/peak"
}
export BENCH_PREPARED=$work/$extras_pac.ppm
extras_input=$samples/$extras_pac
peak_plain=$(peak_kib "$stub_path" -i "$extras_input" -o "$work/out")
peak_frame=$(peak_kib "$stub_path" -i "$extras_input" -o "$work/out" "${frame_options[@]}")
peak_text=$(peak_kib "$stub_path" -i "$extras_input" -o "$work/out" "${text_options[@]}")
peak_both=$(peak_kib "$stub_path" -i "$extras_input" -o "$work/out" "${frame_options[@]}" "${text_options[@]}")
peak_with_child=$(peak_kib "$system_path" -i "$extras_input" -o "$work/out" "${frame_options[@]}" "${text_options[@]}")
peak_builtin=$(peak_kib "$system_path" --decoder=builtin -i "$extras_input" -o "$work/builtin")
/usr/bin/time -f %M -o "$work/peak" "$real_convert" "pcd:$extras_input[$extras_index]" -colorspace sRGB -quality 95 \
    -sampling-factor 1x1 "$work/out/imagemagick.jpg" >/dev/null 2>&1 || true
peak_im=$(tail -n 1 "$work/peak")
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

# ---------------------------------------------------------------- 5: the window

echo "The window..." >&2
window_rows=$("$root/tests/gui/run-window-test.sh" "$root/bench/window_bench.py" "$korvane" "$samples/kodim23.pcd" \
    "$runs" 2>"$work/window.log" | grep '^window|') || { cat "$work/window.log" >&2; echo "the window benchmark failed" >&2; exit 1; }

# ---------------------------------------------------------------- 6: a whole disc

# 24 pacs, half 16Base and half Base, converted by a shell loop of one-file
# runs and by one batch, alternately; the batch with the jobs it chooses
# itself, with one and with two.
echo "A batch of pacs against a loop of one-file runs..." >&2
disc=$work/disc
disc_out=$work/disc-out
mkdir -p "$disc"
if [ "$quick" = 1 ]; then
    disc_pacs=(kodim23.pcd kodim04.pcd)
    disc_copies=2
else
    disc_pacs=(kodim23-16base.pcd kodim04-16base.pcd kodim23.pcd kodim04.pcd)
    disc_copies=6
fi
disc_runs=$((runs < 3 ? runs : 3))
disc_count=0
for _ in $(seq "$disc_copies"); do
    for pac in "${disc_pacs[@]}"; do
        disc_count=$((disc_count + 1))
        cp "$samples/$pac" "$disc/IMG$(printf '%04d' "$disc_count").PCD"
    done
done
fresh_disc_out() { rm -rf "$disc_out"; mkdir -p "$disc_out"; }
disc_loop() {
    fresh_disc_out
    local pac
    for pac in "$disc"/*.PCD; do korvane_with_path "$system_path" -i "$pac" -o "$disc_out"; done
}
disc_batch() {
    fresh_disc_out
    korvane_with_path "$system_path" --batch -o "$disc_out" "$@" "$disc"
}
disc_done() {
    [ "$(find "$disc_out" -name '*.jpg' | wc -l)" = "$disc_count" ] ||
        { echo "the $1 made $(find "$disc_out" -name '*.jpg' | wc -l) pictures of $disc_count" >&2; exit 1; }
}
# The warm-up round checks every way makes every picture, and asks the batch
# how many it converts at once by itself.
fresh_disc_out
disc_default_jobs=$(PATH=$system_path XDG_RUNTIME_DIR=$work/lock "$korvane" --batch -o "$disc_out" "$disc" |
    sed -n 's/^Converting [0-9]* files, \([0-9]*\) at a time$/\1/p')
disc_done "default batch"
disc_loop; disc_done loop
disc_batch --jobs=1; disc_done "batch of one job"
disc_batch --jobs=2; disc_done "batch of two jobs"
disc_load_start=$(cut -d' ' -f1-3 /proc/loadavg)
for _ in $(seq "$disc_runs"); do
    record disc-loop "$(elapsed disc_loop)"
    record disc-default "$(elapsed disc_batch)"
    record disc-1 "$(elapsed disc_batch --jobs=1)"
    record disc-2 "$(elapsed disc_batch --jobs=2)"
done
disc_load_end=$(cut -d' ' -f1-3 /proc/loadavg)

# ---------------------------------------------------------------- the report

load_at_end=$(cut -d' ' -f1-3 /proc/loadavg)
cpu=$(awk -F': ' '/^model name/ { name = $2 } /^cpu MHz/ { mhz = $2 } /^cache size/ { cache = $2 }
    END { printf "%s, %.0f MHz, %s cache\n", name, mhz, cache }' /proc/cpuinfo)
memory=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
os=$(. /etc/os-release && echo "$PRETTY_NAME")
imagemagick=$("$real_convert" -version | awk 'NR == 1 { print $2, $3, $4 } /^Features/ { sub(/^Features: */, ""); f = $0 } END { if (f) print "(" f ")" }' | paste -sd' ')
package_version() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo "unknown"; }
compiler_path=$(awk -F= '/^CMAKE_CXX_COMPILER:/ { print $2 }' "$build/CMakeCache.txt")
compiler=$("${compiler_path:-c++}" --version | head -n 1)
build_type=$(awk -F= '/^CMAKE_BUILD_TYPE:/ { print $2 }' "$build/CMakeCache.txt")
filesystem=$(df -T "$work" | awk 'NR == 2 { print $2 }')

# Our time with the stub is korvane plus the stub's copy; the copy is timed
# on its own and taken off.
own_share() { awk -v stub="$1" -v copy="$2" 'BEGIN { v = stub - copy; printf "%.6f", v < 0 ? 0 : v }'; }

report() {
    echo "## Latest run"
    echo
    echo "Reproduce with \`./bench/run-benchmarks.sh\` from the top folder; this run: \`$command_line\`."
    echo "End-to-end figures are medians of $runs timed runs after one warm-up run."
    echo "Taken $(date -u '+%Y-%m-%d %H:%M UTC'); load average (1, 5, 15 min) $load_at_start at the start, $load_at_end at the end."
    echo
    echo "| Machine | |"
    echo "|---|---|"
    echo "| CPU | $cpu |"
    echo "| Cores | $(nproc) |"
    echo "| Memory | $memory |"
    echo "| OS | $os, Linux $(uname -r) |"
    echo "| ImageMagick | $imagemagick |"
    echo "| FreeImage | $(package_version libfreeimage3) (libjpeg-turbo $(package_version libjpeg62-turbo)) |"
    echo "| Compiler | $compiler, $build_type build |"
    echo "| Google Benchmark | $(package_version libbenchmark-dev) |"
    echo "| File system of the output | $filesystem |"
    echo
    echo "### 1. End to end"
    echo
    echo "\`korvane -q -i PAC -o DIR\` against \`convert 'pcd:PAC[n]' -colorspace sRGB -quality 95 -sampling-factor 1x1 OUT.jpg\`, run alternately; *built-in*: the same korvane command with \`--decoder=builtin\`, so that the built-in decoder alone makes the picture."
    echo
    echo "| Pac | Picture | korvane | korvane, built-in | ImageMagick | korvane / ImageMagick | built-in / ImageMagick |"
    echo "|---|---|---:|---:|---:|---:|---:|"
    local entry pac index name plain im builtin
    for entry in "${pacs[@]}"; do
        pac=${entry%%:*}; index=$(echo "$entry" | cut -d: -f2); name=${entry##*:}
        plain=$(median_of "plain $pac"); im=$(median_of "im $pac"); builtin=$(median_of "builtin $pac")
        echo "| $name ($pac, [$index]) | ${sizes[$pac]} | $(ms "$plain") ms | $(ms "$builtin") ms | $(ms "$im") ms | $(ratio "$plain" "$im") | $(ratio "$builtin" "$im") |"
    done
    echo
    echo "Where the built-in conversion of the $extras_name pac goes: the in-process steps of section 3 (median of each) against the whole conversion's median; the rest is start-up, the pipeline around the steps and the save."
    echo
    echo "| Step | time | share |"
    echo "|---|---:|---:|"
    local whole_builtin step_time accounted=0
    whole_builtin=$(median_of "builtin $extras_pac")
    for step in builtin/read builtin/resolutions builtin/colour_and_turn encode/jpeg_95_444; do
        step_time=${step_ms[$step]:-0}
        [ "$step_time" = error ] && step_time=0
        accounted=$(awk -v a="$accounted" -v b="$step_time" 'BEGIN { print a + b }')
        echo "| $step | $step_time ms | $(percent "$(awk -v t="$step_time" 'BEGIN { print t / 1000 }')" "$whole_builtin") % |"
    done
    local rest
    rest=$(awk -v w="$whole_builtin" -v a="$accounted" 'BEGIN { v = w - a / 1000; printf "%.6f", v < 0 ? 0 : v }')
    echo "| the rest | $(ms "$rest") ms | $(percent "$rest" "$whole_builtin") % |"
    echo "| whole conversion | $(ms "$whole_builtin") ms | 100 % |"
    echo
    echo "### 2. Our own share"
    echo
    echo "*Stub*: korvane with a \`convert\` first on PATH that only copies the picture the real convert made beforehand; the copy's own time is taken off."
    echo "*Timed child*: korvane with the real convert behind a wrapper that notes when the child starts and ends; korvane's whole time less the child's."
    echo
    echo "| Pac | whole (real convert) | decoder child | ours, timed child | ours, stub | share of the whole: timed child, stub |"
    echo "|---|---:|---:|---:|---:|---:|"
    local own
    for entry in "${pacs[@]}"; do
        pac=${entry%%:*}; name=${entry##*:}
        plain=$(median_of "plain $pac")
        own=$(own_share "$(median_of "stub $pac")" "$(median_of "copy $pac")")
        echo "| $name | $(ms "$plain") ms | $(ms "$(median_of "child $pac")") ms | $(ms "$(median_of "own-timed $pac")") ms | $(ms "$own") ms | $(percent "$(median_of "own-timed $pac")" "$plain") %, $(percent "$own" "$plain") % |"
    done
    echo
    local stub_plain frame_added text_added
    stub_plain=$(median_of "stub $extras_pac")
    frame_added=$(median_of frame-added)
    text_added=$(median_of text-added)
    plain=$(median_of "plain $extras_pac")
    echo "A frame and a text watermark on the $extras_name pac (the options are in \`bench/run-benchmarks.sh\`): what each adds is the median difference between a stub run with it and the plain stub run just before, set against the whole plain conversion."
    echo
    echo "| Conversion | whole (real convert) | ours (stub, copy included) | added | added to the whole |"
    echo "|---|---:|---:|---:|---:|"
    echo "| plain | $(ms "$plain") ms | $(ms "$stub_plain") ms | | |"
    echo "| with a four-band frame | $(ms "$(median_of plain-frame)") ms | $(ms "$(median_of stub-frame)") ms | $(ms "$frame_added") ms | $(percent "$frame_added" "$plain") % |"
    echo "| with a two-line text watermark | $(ms "$(median_of plain-text)") ms | $(ms "$(median_of stub-text)") ms | $(ms "$text_added") ms | $(percent "$text_added" "$plain") % |"
    echo
    echo "### 3. Each pipeline step"
    echo
    echo "In process with Google Benchmark on the ${step_size} picture the decoder extracted from $extras_pac (\`bench/pipeline_bench.cpp\`, $([ "$quick" = 1 ] && echo "one repetition" || echo "median of 5 repetitions")); ImageMagick (using OpenMP on every core): for the load rows and builtin/whole the whole command, process start included; for the others the command's time less that of \`convert picture.ppm null:\`. The builtin rows take the pac itself: the built-in decoder whole (reading, every resolution, colour and turn into the bitmap), then its parts."
    echo
    echo "| Step | korvane | ImageMagick | ImageMagick command |"
    echo "|---|---:|---:|---|"
    local step mine theirs baseline
    baseline=${im_total[load/ppm]}
    for step in "${steps[@]}"; do
        mine=${step_ms[$step]:-missing}
        im_step_args "$step"
        if [ ${#im_args[@]} -eq 0 ]; then
            echo "| $step | $mine ms | | |"
            continue
        fi
        if [ "$step" = load/ppm ] || [ "$step" = load/targa ] || [ "$step" = builtin/whole ]; then
            theirs=$(ms1 "${im_total[$step]}")
        else
            theirs=$(ms1 "$(awk -v a="${im_total[$step]}" -v b="$baseline" 'BEGIN { printf "%.6f", a - b }')")
        fi
        echo "| $step | $mine ms | $theirs ms | \`$(im_step_text)\` |"
    done
    echo
    echo "### 4. Peak memory"
    echo
    echo "Maximum resident set of korvane (GNU time \`%M\`) converting the $extras_name pac with the stub convert, so that only korvane's own memory counts: Linux folds the peak of every child a process has waited for into the process's own figure."
    echo
    echo "| Conversion | peak |"
    echo "|---|---:|"
    echo "| plain | $(mib "$peak_plain") MiB |"
    echo "| with the frame | $(mib "$peak_frame") MiB |"
    echo "| with the text watermark | $(mib "$peak_text") MiB |"
    echo "| with the frame and the text watermark | $(mib "$peak_both") MiB |"
    echo "| the same with the real convert (the child's peak, folded in) | $(mib "$peak_with_child") MiB |"
    echo "| plain, built-in decoder (\`--decoder=builtin\`) | $(mib "$peak_builtin") MiB |"
    echo "| ImageMagick's direct conversion | $(mib "$peak_im") MiB |"
    echo
    echo "### 5. The window"
    echo
    echo "Under Xvfb with openbox, driven through the accessibility bus (\`bench/window_bench.py\`), medians of $runs runs on the base-only pac with the stub convert: start to a viewable window; F5 to the finished progress dialog less \`korvane -q -i\` (process start included); the interface thread's CPU time while the worker waits for a slow convert."
    echo
    echo "| Figure | measured | limit | |"
    echo "|---|---:|---:|---|"
    local name value unit limit
    while IFS='|' read -r _ name value unit limit; do
        echo "| $name | $value $unit | $limit $unit | $(verdict "$value" "$limit") |"
    done <<<"$window_rows"
    echo
    echo "### 6. A whole disc"
    echo
    echo "$disc_count pacs ($disc_copies copies each of ${disc_pacs[*]}) into one folder: a shell loop of \`korvane -q -i PAC -o DIR\` against one \`korvane --batch -q -o DIR FOLDER\`, run alternately; median of $disc_runs round(s) after a warm-up round. Load average $disc_load_start before, $disc_load_end after."
    echo
    echo "| Run | wall | per picture | against the loop |"
    echo "|---|---:|---:|---:|"
    local loop_time name_and_key label key value
    loop_time=$(median_of disc-loop)
    for name_and_key in "loop of one-file runs:disc-loop" "batch, its own choice ($disc_default_jobs at a time):disc-default" \
        "batch, --jobs=1:disc-1" "batch, --jobs=2:disc-2"; do
        label=${name_and_key%:*}
        key=${name_and_key##*:}
        value=$(median_of "$key")
        echo "| $label | $(ms "$value") ms | $(ms "$(awk -v v="$value" -v n="$disc_count" 'BEGIN { print v / n }')") ms | $(ratio "$value" "$loop_time") |"
    done
    local two_jobs
    two_jobs=$(ratio "$(median_of disc-2)" "$loop_time")
    echo
    [ "$quick" = 0 ] || { echo "A quick run converts $disc_count Base pacs once; its verdict says nothing."; echo; }
    echo "| Target | limit | measured | |"
    echo "|---|---:|---:|---|"
    echo "| batch with two jobs against the loop, on $(nproc) cores | 0.55 | $two_jobs | $(verdict "$two_jobs" 0.55) |"
    echo
    echo "### Targets"
    echo
    [ "$quick" = 0 ] || { echo "The targets concern the 16Base pac; a quick run has only the base-only pac, so these verdicts say nothing."; echo; }
    local share whole_ratio timed_share
    share=$(percent "$(own_share "$stub_plain" "$(median_of "copy $extras_pac")")" "$plain")
    whole_ratio=$(ratio "$plain" "$(median_of "im $extras_pac")")
    timed_share=$(percent "$(median_of "own-timed $extras_pac")" "$plain")
    echo "| Target ($extras_name pac) | limit | measured | |"
    echo "|---|---:|---:|---|"
    echo "| our own share of a plain conversion, stub | 15 % | $share % | $(verdict "$share" 15) |"
    echo "| the same, timed child | 15 % | $timed_share % | $(verdict "$timed_share" 15) |"
    echo "| whole against ImageMagick's direct conversion | 1.70 | $whole_ratio | $(verdict "$whole_ratio" 1.7) |"
    echo "| added by a frame | 10 % | $(percent "$frame_added" "$plain") % | $(verdict "$(percent "$frame_added" "$plain")" 10) |"
    echo "| added by a text watermark | 10 % | $(percent "$text_added" "$plain") % | $(verdict "$(percent "$text_added" "$plain")" 10) |"
    echo "| peak memory with a frame and a watermark | 160 MiB | $(mib "$peak_both") MiB | $(verdict "$(mib "$peak_both")" 160) |"
    local builtin_ratio
    builtin_ratio=$(ratio "$(median_of "builtin $extras_pac")" "$(median_of "im $extras_pac")")
    echo "| built-in decoder, whole, against ImageMagick's direct conversion | 0.25 | $builtin_ratio | $(verdict "$builtin_ratio" 0.25) |"
    echo "| peak memory, built-in decoder | 64 MiB | $(mib "$peak_builtin") MiB | $(verdict "$(mib "$peak_builtin")" 64) |"
}

begin_marker="<!-- generated by bench/run-benchmarks.sh: begin -->"
end_marker="<!-- generated by bench/run-benchmarks.sh: end -->"
report >"$work/report.md"
cat "$work/report.md"

# Only the generated part of the document is replaced; a document without
# one gets it at its end.
mkdir -p "$(dirname "$output")"
if [ -f "$output" ] && grep -qF "$begin_marker" "$output" && grep -qF "$end_marker" "$output"; then
    awk -v begin="$begin_marker" -v end="$end_marker" -v report="$work/report.md" '
        $0 == begin { print; while ((getline line < report) > 0) print line; skipping = 1; next }
        $0 == end { skipping = 0 }
        !skipping { print }' "$output" >"$work/document.md"
else
    { if [ -f "$output" ]; then cat "$output"; else echo "# Benchmarks"; fi
      echo; echo "$begin_marker"; cat "$work/report.md"; echo "$end_marker"; } >"$work/document.md"
fi
cp "$work/document.md" "$output"
echo "Written to $output" >&2

# A step that made no picture or went missing fails the run, so that the
# test suite's quick run notices.
for step in "${steps[@]}"; do
    case "${step_ms[$step]:-missing}" in
    error | missing) echo "the step $step gave no figure; see $stepbench" >&2; exit 1 ;;
    esac
done

#!/usr/bin/env bash
# Whole-process start-up of the Qt front end: each program starts, shows its first window, exits
# right after that window's first paint. zelwiz-qtdemo loads the program's wizard (its Form_Load
# with the translator and this build's components, over an in-memory registry) and shows it
# through the Qt toolkit (window model, wizard layout, drawn step picture); bare_window shows an
# empty Qt Widgets window. Both run under the offscreen platform. Reports the median wall time and the
# median peak resident memory of each over RUNS runs, and checks the targets: wall time at most
# 1.5 times the bare window's, peak memory at most 15 MB above it.
#
#   bench/startup_window.sh [BUILD_DIR] [RUNS]     (defaults: build, 21)
set -euo pipefail

build=${1:-build}
runs=${2:-21}
demo=$build/bench/zelwiz-qtdemo
bare=$build/bench/bare_window
for program in "$demo" "$bare"; do
    [[ -x $program ]] || { echo "missing $program: build the project first" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Prints "<median wall ms> <median peak KiB>" for the program.
measure() {
    local program=$1 out
    out=$(mktemp)
    "$program" --exit-after-first-paint >/dev/null 2>&1  # warm the file cache
    : >"$out.runs"
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$out" "$program" --exit-after-first-paint >/dev/null 2>&1
        end=$(date +%s%N)
        echo "$(((end - start) / 1000)) $(tail -n 1 "$out")" >>"$out.runs"
    done
    local wall peak
    wall=$(cut -d' ' -f1 "$out.runs" | median)
    peak=$(cut -d' ' -f2 "$out.runs" | median)
    rm -f "$out" "$out.runs"
    awk -v w="$wall" -v p="$peak" 'BEGIN { printf "%.1f %d\n", w / 1000, p }'
}

read -r demo_ms demo_kib < <(measure "$demo")
read -r bare_ms bare_kib < <(measure "$bare")

awk -v dm="$demo_ms" -v dk="$demo_kib" -v bm="$bare_ms" -v bk="$bare_kib" -v runs="$runs" 'BEGIN {
    ratio = dm / bm
    extra = (dk - bk) / 1024
    printf "start-up to first paint, median of %d runs (offscreen)\n", runs
    printf "  %-14s %8.1f ms  %8.1f MB peak\n", "zelwiz-qtdemo", dm, dk / 1024
    printf "  %-14s %8.1f ms  %8.1f MB peak\n", "bare_window", bm, bk / 1024
    printf "  wall time ratio %.2f (target <= 1.50): %s\n", ratio, ratio <= 1.5 ? "met" : "NOT MET"
    printf "  extra memory %.1f MB (target <= 15): %s\n", extra, extra <= 15 ? "met" : "NOT MET"
    exit (ratio <= 1.5 && extra <= 15) ? 0 : 1
}'

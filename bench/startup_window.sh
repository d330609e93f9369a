#!/usr/bin/env bash
# Whole-process start-up of the Qt front end: each program starts, shows its first window, exits
# right after that window's first paint. The zelwiz program itself runs on a configured user's
# registry in a temporary folder (ZELWIZ_EXIT_AFTER_FIRST_PAINT ends it after the first paint). zelwiz-qtdemo loads the program's wizard (its Form_Load
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
program=$build/zelwiz
for program_file in "$demo" "$bare" "$program"; do
    [[ -x $program_file ]] || { echo "missing $program_file: build the project first" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The program's own installation: a configured user, so the wizard opens at once.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/registry"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"IsWizConfigured"="-1"\n"SetPrlConf4-1"="-1"\n' \
    >"$home/registry/HKEY_CURRENT_USER.reg"

# Prints "<median wall ms> <median peak KiB>" for the command.
measure() {
    local out
    out=$(mktemp)
    "$@" >/dev/null 2>&1  # warm the file cache
    : >"$out.runs"
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$out" "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        echo "$(((end - start) / 1000)) $(tail -n 1 "$out")" >>"$out.runs"
    done
    local wall peak
    wall=$(cut -d' ' -f1 "$out.runs" | median)
    peak=$(cut -d' ' -f2 "$out.runs" | median)
    rm -f "$out" "$out.runs"
    awk -v w="$wall" -v p="$peak" 'BEGIN { printf "%.1f %d\n", w / 1000, p }'
}

read -r demo_ms demo_kib < <(measure "$demo" --exit-after-first-paint)
read -r bare_ms bare_kib < <(measure "$bare" --exit-after-first-paint)
read -r prog_ms prog_kib < <(measure env ZELWIZ_EXIT_AFTER_FIRST_PAINT=1 ZELWIZ_REGISTRY="$home/registry" \
    XDG_DATA_HOME="$home" XDG_RUNTIME_DIR="$home" "$program")

awk -v dm="$prog_ms" -v dk="$prog_kib" -v qm="$demo_ms" -v qk="$demo_kib" -v bm="$bare_ms" -v bk="$bare_kib" -v runs="$runs" 'BEGIN {
    ratio = dm / bm
    extra = (dk - bk) / 1024
    printf "start-up to first paint, median of %d runs (offscreen)\n", runs
    printf "  %-14s %8.1f ms  %8.1f MB peak\n", "zelwiz", dm, dk / 1024
    printf "  %-14s %8.1f ms  %8.1f MB peak\n", "zelwiz-qtdemo", qm, qk / 1024
    printf "  %-14s %8.1f ms  %8.1f MB peak\n", "bare_window", bm, bk / 1024
    printf "  wall time ratio %.2f (target <= 1.50): %s\n", ratio, ratio <= 1.5 ? "met" : "NOT MET"
    printf "  extra memory %.1f MB (target <= 15): %s\n", extra, extra <= 15 ? "met" : "NOT MET"
    exit (ratio <= 1.5 && extra <= 15) ? 0 : 1
}'

#!/usr/bin/env bash
# Whole-process start-up of the Qt front end, to the first paint: the zelwiz program itself, on a
# configured user's registry in a temporary folder (ZELWIZ_EXIT_AFTER_FIRST_PAINT ends it right
# after its window has been painted once), against bare_window, an empty Qt Widgets window that
# ends the same way. Both run under the offscreen platform with the same environment.
#
# The two programs run alternately, pair by pair (bare window, then zelwiz), so that a change in
# the machine's speed during the measurement weighs on both alike. Prints the median wall time of
# each, the ratio, the median peak resident memory (of 5 more runs of each) and the load average
# before and after; exits 1 when a target is missed: wall time at most 1.5 times the bare
# window's, peak memory at most 15 MB above it.
#
#   bench/startup_window.sh [BUILD_DIR] [PAIRS]     (defaults: build, 21)
set -euo pipefail

build=${1:-build}
pairs=${2:-21}
bare=$build/bench/bare_window
program=$build/zelwiz
for program_file in "$bare" "$program"; do
    [[ -x $program_file ]] || { echo "missing $program_file: build the project first" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }

# The program's own installation: a configured user, so the wizard opens at once.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/registry"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Korvane\\7316\\Install]\n"IsWizConfigured"="-1"\n"SetPrlConf4-1"="-1"\n' \
    >"$home/registry/HKEY_CURRENT_USER.reg"
export QT_QPA_PLATFORM=offscreen ZELWIZ_EXIT_AFTER_FIRST_PAINT=1 ZELWIZ_REGISTRY=$home/registry \
    XDG_DATA_HOME=$home XDG_CONFIG_HOME=$home XDG_RUNTIME_DIR=$home

# Appends the wall time of one run of the command, in microseconds, to the file $1.
run() {
    local record=$1
    shift
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || { echo "$1 failed" >&2; exit 2; }
    local end=$EPOCHREALTIME
    echo "$((${end//[.,]/} - ${start//[.,]/}))" >>"$record"
}
# Appends the peak resident memory of one run of the command, in KiB, to the file $1 (a run of
# its own: /usr/bin/time stays out of the timed runs).
peak() {
    local record=$1
    shift
    /usr/bin/time -f '%M' -o "$home/peak" "$@" >/dev/null 2>&1 || { echo "$1 failed" >&2; exit 2; }
    tail -n 1 "$home/peak" >>"$record"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

# One run of each first: the file cache warm, the registry files written once.
"$bare" --exit-after-first-paint >/dev/null 2>&1 || { echo "$bare failed" >&2; exit 2; }
"$program" >/dev/null 2>&1 || { echo "$program failed" >&2; exit 2; }

load_before=$(load)
for ((i = 0; i < pairs; i++)); do
    run "$home/bare.runs" "$bare" --exit-after-first-paint
    run "$home/program.runs" "$program"
done
load_after=$(load)
for ((i = 0; i < 5; i++)); do
    peak "$home/bare.peaks" "$bare" --exit-after-first-paint
    peak "$home/program.peaks" "$program"
done

bare_us=$(median <"$home/bare.runs")
bare_kib=$(median <"$home/bare.peaks")
prog_us=$(median <"$home/program.runs")
prog_kib=$(median <"$home/program.peaks")

awk -v pm="$prog_us" -v pk="$prog_kib" -v bm="$bare_us" -v bk="$bare_kib" -v pairs="$pairs" \
    -v before="$load_before" -v after="$load_after" 'BEGIN {
    ratio = pm / bm
    extra = (pk - bk) / 1024
    printf "start-up to first paint, offscreen, median of %d interleaved pairs\n", pairs
    printf "  load average before %s, after %s\n", before, after
    printf "  %-12s %8.1f ms  %8.1f MB peak\n", "bare_window", bm / 1000, bk / 1024
    printf "  %-12s %8.1f ms  %8.1f MB peak\n", "zelwiz", pm / 1000, pk / 1024
    printf "  wall time ratio %.2f (target <= 1.50): %s\n", ratio, ratio <= 1.5 ? "met" : "NOT MET"
    printf "  extra memory %.1f MB (target <= 15): %s\n", extra, extra <= 15 ? "met" : "NOT MET"
    exit (ratio <= 1.5 && extra <= 15) ? 0 : 1
}'

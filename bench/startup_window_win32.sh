#!/usr/bin/env bash
# Whole-process start-up of the Win32 front end under Wine on an X display (Xvfb): zelwiz.exe
# itself, on a configured user's registry so that the wizard opens at once, and bare_window_win32
# (an empty Win32 window of the wizard's size) each start, show their first window and exit right
# after it has been painted. The two run in turn, run by run, in one Wine session, so that both
# meet the same machine load. Reports the median wall time of each over RUNS runs and checks the
# target: zelwiz.exe at most 1.5 times the bare window.
#
#   bench/startup_window_win32.sh [BUILD_DIR] [RUNS]     (defaults: build-windows, 21)
set -euo pipefail

build=$(cd "${1:-build-windows}" && pwd)
runs=${2:-21}
here=$(cd "$(dirname "$0")/.." && pwd)
program=$build/zelwiz.exe
bare=$build/bench/bare_window_win32.exe
for file in "$program" "$bare"; do
    [[ -f $file ]] || { echo "missing $file: build the windows preset first" >&2; exit 2; }
done

if [[ -z ${ZELWIZ_BENCH_DISPLAY:-} ]]; then
    export ZELWIZ_BENCH_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$build" "$runs"
fi

export WINEPREFIX=$build/wine-prefix-bench WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$here/cmake/wine-gui-prefix" "$WINEPREFIX"
wineserver -p &  # one server for every run (it stays in front when it cannot daemonize)
trap 'wine reg delete "HKCU\\Software\\Korvane" /f >/dev/null 2>&1; wineserver -k' EXIT
for value in IsWizConfigured SetPrlConf4-1; do
    wine reg add "HKCU\\Software\\Korvane\\7316\\Install" /v "$value" /d -1 /f >/dev/null 2>&1
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
elapsed_us() {  # runs the command, prints its wall time in microseconds
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

ZELWIZ_EXIT_AFTER_FIRST_PAINT=1 wine "$program" >/dev/null 2>&1  # warm the caches
wine "$bare" --exit-after-first-paint >/dev/null 2>&1
: >"$build/startup-zelwiz.runs"
: >"$build/startup-bare.runs"
for ((i = 0; i < runs; i++)); do
    elapsed_us env ZELWIZ_EXIT_AFTER_FIRST_PAINT=1 wine "$program" >>"$build/startup-zelwiz.runs"
    elapsed_us wine "$bare" --exit-after-first-paint >>"$build/startup-bare.runs"
done
program_us=$(median <"$build/startup-zelwiz.runs")
bare_us=$(median <"$build/startup-bare.runs")

awk -v p="$program_us" -v b="$bare_us" -v runs="$runs" 'BEGIN {
    ratio = p / b
    printf "start-up to first paint under Wine on Xvfb, median of %d interleaved runs\n", runs
    printf "  %-18s %8.1f ms\n", "zelwiz.exe", p / 1000
    printf "  %-18s %8.1f ms\n", "bare_window_win32", b / 1000
    printf "  ratio %.2f (target <= 1.50): %s\n", ratio, ratio <= 1.5 ? "met" : "NOT MET"
    exit ratio <= 1.5 ? 0 : 1
}'

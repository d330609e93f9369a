#!/usr/bin/env bash
# Whole-process timing of the unattended configuration: zelwiz reading confdirect.ini and saving,
# against a floor program that starts, writes the same hive files with the same durability and
# exits. Each run starts from the same installation. Prints the median wall time and peak memory
# of both and their ratio. Usage: bench/unattended.sh [runs] (after a build of the default preset).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
build=build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/program" "$work/seed" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"  # a runtime folder of the user's own, as a login session makes it
cp "$build/zelwiz" "$work/program/"
printf '#!/bin/sh\nexit 0\n' >"$work/program/zelphone.exe"
chmod +x "$work/program/zelphone.exe"
cat >"$work/program/confdirect.ini" <<'INI'
[ADDRESS]
Hostname=127.0.0.21
voipname=127.0.0.31
centralname=log1
[PARLOVA]
Profil=Pro
Edn=5123
INI
cat >"$work/seed/HKEY_LOCAL_MACHINE.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Korvane\7316\Install]
"CCC"="ThirdCSTALAN"
"Version"="4.0"
"Build"="118"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Telephony\Locations]
"CurrentID"=dword:00000001
REG

export XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime ZELWIZ_REGISTRY=$work/registry
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

fresh() { rm -rf "$work/registry" && cp -r "$work/seed" "$work/registry"; }

# One run of the program gives the values the floor writes.
fresh
"$work/program/zelwiz"
cp "$work/registry/HKEY_CURRENT_USER.reg" "$work/written.reg"

measure() {  # prints "milliseconds kilobytes" for each run of the command
    for _ in $(seq "$runs"); do
        fresh
        local start end
        start=$(date +%s%N)
        /usr/bin/time -f '%M' -o "$work/t" "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        echo "$(((end - start) / 1000000)).$(((end - start) / 1000 % 1000 / 100)) $(cat "$work/t")"
    done
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

measure "$work/program/zelwiz" >"$work/program.txt"
measure "$build/bench/unattended_floor" "$work/written.reg" >"$work/floor.txt"

p_time=$(cut -d' ' -f1 "$work/program.txt" | median)
f_time=$(cut -d' ' -f1 "$work/floor.txt" | median)
p_mem=$(cut -d' ' -f2 "$work/program.txt" | median)
f_mem=$(cut -d' ' -f2 "$work/floor.txt" | median)
echo "unattended zelwiz: median ${p_time} ms, peak ${p_mem} KB ($runs runs)"
echo "floor writer:      median ${f_time} ms, peak ${f_mem} KB"
awk -v p="$p_time" -v f="$f_time" 'BEGIN { if (f > 0) printf "ratio: %.2f (target at most 3)\n", p / f }'

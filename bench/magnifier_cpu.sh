#!/usr/bin/env bash
# The CPU a ruler spends in 10 s with its magnifier open (and minimised), beside the same ruler
# without it in the same run: the ruler's own process, its wineserver and its X server, with the
# pointer away from every window. Prints numbers, fails nothing.
#
#   scripts/with-wine -- bench/magnifier_cpu.sh [BUILD_DIR]     (default build/win64)
set -euo pipefail

build=${1:-build/win64}
source "$(dirname "${BASH_SOURCE[0]}")/cpu_common.sh"

# Each phase's total (program + wineserver + X), in clock ticks, for the ratios.
declare -A total
measure() {
    local label=$1
    local p0 s0 x0 p1 s1 x1
    p0=$(cpu_ticks $program) s0=$(cpu_ticks $server) x0=$(cpu_ticks $xserver)
    sleep 10
    p1=$(cpu_ticks $program) s1=$(cpu_ticks $server) x1=$(cpu_ticks $xserver)
    total[$label]=$((p1 - p0 + s1 - s0 + x1 - x0))
    # Milliseconds of CPU in 10 s: a tenth of them is the percentage of one core.
    printf '%-22s program %4d ms (%s%% of a core)  wineserver %4d ms  X %4d ms  total %4d ms\n' \
        "$label" "$(ms $((p1 - p0)))" "$(awk "BEGIN { printf \"%.2f\", $(ms $((p1 - p0))) / 100 }")" \
        "$(ms $((s1 - s0)))" "$(ms $((x1 - x0)))" "$(ms ${total[$label]})"
}

drive() { wine "$build/magnifier_bench_win.exe" "$@" >/dev/null 2>&1 || true; }

# A ruler from its defaults, the pointer in the far corner, away from it and from the magnifier.
wine reg delete 'HKCU\Software\Tamarisk' /f >/dev/null 2>&1 || true
xdotool mousemove $((1900 + ${LINOVA_X_OFFSET:-0})) 1060
wine "$build/linova.exe" 1 &
launcher=$!
program=
for _ in $(seq 100); do
    program=$(ours linova.exe | head -n 1)
    [[ -n $program ]] && break
    sleep 0.1
done
sleep 3
server=$(ours wineserver | tr '\n' ' ')
# The X server is the process listening on the display's socket.
xserver=$(ss -xlpn 2>/dev/null | grep -F "/tmp/.X11-unix/X${DISPLAY#:} " |
    grep -o 'pid=[0-9]*' | head -n 1 | cut -d= -f2 || true)

echo "CPU in 10 s, the pointer away from the windows"
measure "ruler alone"
drive toggle 1
sleep 2
measure "magnifier open"
drive minimise 1
sleep 2
measure "magnifier minimised"
awk -v open="${total[magnifier open]}" -v alone="${total[ruler alone]}" \
    -v min="${total[magnifier minimised]}" -v hz="$ticks_per_second" 'BEGIN {
        printf "magnifier open costs %.0f ms more in 10 s than the ruler alone (%.2f%% of a core)\n",
            (open - alone) * 1000 / hz, (open - alone) * 100 / hz / 10
        printf "minimised it costs %.0f ms more\n", (min - alone) * 1000 / hz
    }'
kill "$program" 2>/dev/null || true
wait "$launcher" 2>/dev/null || true

#!/usr/bin/env bash
# The CPU spent while the pointer rests on a ruler: the ruler's own process, its wineserver and
# its X server, over 10 s, beside the minimal window of bench/ with and without a tooltip like
# the ruler's. Prints numbers, fails nothing.
#
#   scripts/with-wine -- bench/idle_cpu.sh [BUILD_DIR]     (default build/win64)
#
# Without a tooltip the minimal window costs nothing at rest; a tooltip control polls the cursor
# while it lies over its tool, so the ruler can cost no less than the minimal window with one.
set -euo pipefail

build=${1:-build/win64}
source "$(dirname "${BASH_SOURCE[0]}")/cpu_common.sh"

measure() {
    local label=$1 exe=$2
    shift 2
    wine "$exe" "$@" &
    local launcher=$!
    local program=
    for _ in $(seq 100); do
        program=$(ours "$(basename "$exe")" | head -n 1)
        [[ -n $program ]] && break
        sleep 0.1
    done
    sleep 2
    # Both windows lie at (20, 100), 301 x 50 pixels.
    xdotool mousemove $((170 + ${LINOVA_X_OFFSET:-0})) 125
    sleep 2
    local server xserver
    server=$(ours wineserver | tr '\n' ' ')
    # The X server is the process listening on the display's socket.
    xserver=$(ss -xlpn 2>/dev/null | grep -F "/tmp/.X11-unix/X${DISPLAY#:} " |
        grep -o 'pid=[0-9]*' | head -n 1 | cut -d= -f2 || true)
    local p0 s0 x0 p1 s1 x1
    p0=$(cpu_ticks $program) s0=$(cpu_ticks $server) x0=$(cpu_ticks $xserver)
    sleep 10
    p1=$(cpu_ticks $program) s1=$(cpu_ticks $server) x1=$(cpu_ticks $xserver)
    printf '%-22s program %4d ms  wineserver %4d ms  X %4d ms  total %4d ms\n' "$label" \
        "$(ms $((p1 - p0)))" "$(ms $((s1 - s0)))" "$(ms $((x1 - x0)))" \
        "$(ms $((p1 - p0 + s1 - s0 + x1 - x0)))"
    kill "$program" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    # Back off the window, so the next program starts with the pointer elsewhere.
    xdotool mousemove $((900 + ${LINOVA_X_OFFSET:-0})) 700
}

echo "CPU in 10 s with the pointer resting on the window"
measure "linova" "$build/linova.exe"
measure "minimal window" "$build/minimal_window_win.exe"
measure "minimal window + tip" "$build/minimal_window_win.exe" tooltip

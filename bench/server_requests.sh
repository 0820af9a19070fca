#!/usr/bin/env bash
# The requests one key press costs at the wineserver: the ruler beside the minimal window with a
# turn's steps and the plain minimal window, counted from the server's own trace. Unlike CPU time
# the count does not change from run to run, so it tells at once whether a change added or
# removed a trip to the server. Each request is a round trip of some 30 microseconds. Prints
# numbers, fails nothing.
#
#   scripts/with-wine -- bench/server_requests.sh [VIRTUAL_KEY] [BUILD_DIR]
#
# VIRTUAL_KEY: 36 (Home, a turn) by default; 39 is Right, a key move. BUILD_DIR: build/win64.
# The wineserver is started again with its trace on, so run it in a with-wine of its own.
set -euo pipefail

key=${1:-36}
build=${2:-build/win64}
: "${WINEPREFIX:?run under scripts/with-wine}"
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# Traces the server while CLASS, started by the command after it, gets four presses; prints the
# names of the requests of the thread that took the second press, until the third was sent.
trace() {
    local class=$1
    shift
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -d1 -f -p 2>"$work/trace" &
    local server=$!
    sleep 0.5
    wine "$@" >/dev/null 2>&1 &
    local program=$!
    wine "$build/send_keys_win.exe" "$class" "$key" 4
    wait "$program" || true
    wineserver -k 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    awk -v key="$(printf 'wparam=%08x' "$key")" '
        # A press arrives as a sent WM_KEYDOWN: "TID: get_message() = 0 { win=..., msg=00000100".
        !tid && /: get_message\(\) = 0 \{ win=[0-9a-f]+, msg=00000100/ && index($0, key) {
            if (++taken == 2) { tid = substr($0, 1, 4); next }
        }
        tid && /: send_message\( .*msg=00000100/ && index($0, "id=" tid) { exit }
        tid && substr($0, 1, 6) == tid ": " && $2 ~ /^[a-z_]+\($/ { print substr($2, 1, length($2) - 1) }
    ' "$work/trace"
}

trace "Linova <1>" "$build/linova.exe" >"$work/ruler"
trace "Linova bench minimal" "$build/minimal_window_win.exe" steps >"$work/steps"
trace "Linova bench minimal" "$build/minimal_window_win.exe" >"$work/plain"

printf 'server requests of one press of key %s\n' "$key"
printf '%-32s %8s %12s %8s\n' request linova "with steps" minimal
sort -u "$work/ruler" "$work/steps" "$work/plain" | while read -r name; do
    printf '%-32s %8d %12d %8d\n' "$name" "$(grep -cx "$name" "$work/ruler" || true)" \
        "$(grep -cx "$name" "$work/steps" || true)" "$(grep -cx "$name" "$work/plain" || true)"
done
printf '%-32s %8d %12d %8d\n' total "$(wc -l <"$work/ruler")" "$(wc -l <"$work/steps")" \
    "$(wc -l <"$work/plain")"

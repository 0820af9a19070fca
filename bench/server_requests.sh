#!/usr/bin/env bash
# The requests one key press or one dialog's opening costs at the wineserver, counted from the
# server's own trace. Unlike CPU time the count does not change from run to run, so it tells at
# once whether a change added or removed a trip to the server. Each request is a round trip of
# some 30 microseconds. Prints numbers, fails nothing.
#
#   scripts/with-wine -- bench/server_requests.sh [VIRTUAL_KEY | DIALOG] [BUILD_DIR]
#
# VIRTUAL_KEY: 36 (Home, a turn) by default, 39 (Right, a key move) or any other: the ruler beside
# the minimal window with a turn's steps and the plain minimal window, one press each.
# DIALOG: the start of a dialog's name as dialog_bench_win.exe takes it (Operation, Setup,
# Display, About, Magnifier): its opening from the command until it is closed, beside the
# benchmark's yardstick dialog and the yardstick with the caption icon.
# BUILD_DIR: build/win64. The wineserver is started again with its trace on, so run it in a
# with-wine of its own.
set -euo pipefail

subject=${1:-36}
build=${2:-build/win64}
: "${WINEPREFIX:?run under scripts/with-wine}"
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# Runs the command with a wineserver of its own whose trace goes to $work/trace.
traced() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    wineserver -d1 -f -p 2>"$work/trace" &
    local server=$!
    sleep 0.5
    "$@" || true
    wineserver -k 2>/dev/null || true
    wait "$server" 2>/dev/null || true
}

# CLASS, started by the command after it, gets four presses.
press() {
    local class=$1
    shift
    wine "$@" >/dev/null 2>&1 &
    local program=$!
    wine "$build/send_keys_win.exe" "$class" "$subject" 4
    wait "$program" || true
}

# Traces the server while CLASS, started by the command after it, gets four presses; prints the
# names of the requests of the thread that took the second press, until the third was sent.
trace() {
    traced press "$@"
    awk -v key="$(printf 'wparam=%08x' "$subject")" '
        # A press arrives as a sent WM_KEYDOWN: "TID: get_message() = 0 { win=..., msg=00000100".
        !tid && /: get_message\(\) = 0 \{ win=[0-9a-f]+, msg=00000100/ && index($0, key) {
            if (++taken == 2) { tid = substr($0, 1, 4); next }
        }
        tid && /: send_message\( .*msg=00000100/ && index($0, "id=" tid) { exit }
        tid && substr($0, 1, 6) == tid ": " && $2 ~ /^[a-z_]+\($/ { print substr($2, 1, length($2) - 1) }
    ' "$work/trace"
}

# The requests of one thread from line FROM of the trace until it takes a WM_CLOSE.
until_close() {
    awk -v from="$1" -v tid="$2" 'NR >= from && substr($0, 1, 6) == tid ": " {
        if ($0 ~ /get_message\(\) = 0 \{ win=[0-9a-f]+, msg=00000010/) exit
        if ($2 ~ /^[a-z_]+\($/) print substr($2, 1, length($2) - 1)
    }' "$work/trace"
}

# The last opening of the dialog by the ruler, then by the yardstick (kOpen, command 1) and the
# yardstick with the icon (command 2), as dialog_bench_win.exe makes them.
dialog() {
    local name=$1 command
    case $name in
        Operation*) command=11 ;;
        Setup*) command=19 ;;
        Display*) command=40003 ;;
        About*) command=1 ;;
        Magnifier*) command=40011 ;;
        *) echo "server_requests: no dialog called $name" >&2; exit 2 ;;
    esac
    traced wine "$build/dialog_bench_win.exe" 3 "$name" >/dev/null 2>&1
    local taken='get_message() = 0 { win=[0-9a-f]*, msg=00000111, wparam='
    local yardstick line
    yardstick=$(grep -m1 "${taken}00000002" "$work/trace" | cut -d: -f1)
    line=$(grep -n "${taken}$(printf '%08x' "$command")" "$work/trace" |
        grep -v "^[0-9]*:$yardstick:" | tail -n 1)
    until_close "${line%%:*}" "$(cut -d: -f2 <<<"$line")" >"$work/ruler"
    for kind in 1 2; do
        line=$(grep -n "^$yardstick: ${taken}0000000$kind" "$work/trace" | tail -n 1)
        until_close "${line%%:*}" "$yardstick" >"$work/yardstick$kind"
    done
    printf 'server requests of one opening of %s\n' "$name"
    table linova yardstick "+ icon" "$work/ruler" "$work/yardstick1" "$work/yardstick2"
}

# A table of request names and counts for three lists of requests.
table() {
    printf '%-32s %8s %12s %8s\n' request "$1" "$2" "$3"
    sort -u "$4" "$5" "$6" | while read -r name; do
        printf '%-32s %8d %12d %8d\n' "$name" "$(grep -cx "$name" "$4" || true)" \
            "$(grep -cx "$name" "$5" || true)" "$(grep -cx "$name" "$6" || true)"
    done
    printf '%-32s %8d %12d %8d\n' total "$(wc -l <"$4")" "$(wc -l <"$5")" "$(wc -l <"$6")"
}

if [[ ! $subject =~ ^[0-9]+$ ]]; then
    dialog "$subject"
    exit 0
fi
trace "Linova <1>" "$build/linova.exe" >"$work/ruler"
trace "Linova bench minimal" "$build/minimal_window_win.exe" steps >"$work/steps"
trace "Linova bench minimal" "$build/minimal_window_win.exe" >"$work/plain"
printf 'server requests of one press of key %s\n' "$subject"
table linova "with steps" minimal "$work/ruler" "$work/steps" "$work/plain"

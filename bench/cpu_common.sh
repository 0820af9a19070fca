# What the CPU benchmarks share: the processes of this Wine prefix and their clock ticks.
# Sourced by idle_cpu.sh and magnifier_cpu.sh, which run under scripts/with-wine.
: "${WINEPREFIX:?run under scripts/with-wine}"
: "${DISPLAY:?run under scripts/with-wine}"

ticks_per_second=$(getconf CLK_TCK)

# Processes of this prefix only: other prefixes may run the same programs at the same time.
ours() {
    local pid
    for pid in $(pgrep -u "$(id -u)" -f "$1" || true); do
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}

# User and system clock ticks of the processes.
cpu_ticks() {
    local pid sum=0 fields
    for pid in "$@"; do
        if fields=$(cut -d' ' -f14,15 "/proc/$pid/stat" 2>/dev/null); then
            sum=$((sum + ${fields% *} + ${fields#* }))
        fi
    done
    echo "$sum"
}

ms() { echo $(($1 * 1000 / ticks_per_second)); }

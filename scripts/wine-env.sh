# shellcheck shell=bash
#
# wine-env.sh - private, disposable Wine + X environments for running Linova.
#
# Source this file from bash (it does not change shell options; callers
# normally use `set -euo pipefail`). It provides:
#
#   linova_wine_env_start [OPTIONS]
#       Sets up an environment in the CURRENT shell (not in a subshell or
#       $(...)): a Wine prefix, an X display, a persistent wineserver.
#       Exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES, DISPLAY,
#       LINOVA_MONITORS (1, 2 or 2-left) and LINOVA_X_OFFSET (add it to a
#       Windows x coordinate to get the X coordinate, e.g. for xdotool).
#       OPTIONS:
#         --monitors 1       one 1920x1080 monitor (default)
#         --monitors 2       two 1280x800 monitors, Windows (0,0) and (1280,0)
#         --monitors 2-left  two 1280x800 monitors, Windows (-1280,0) and
#                            (0,0), the right one primary; LINOVA_X_OFFSET=1280
#         --use-display      use the current $DISPLAY instead of a private
#                            Xvfb (with --monitors 2/2-left, Xephyr is opened
#                            as a window on that display)
#         --prefix DIR       use the persistent prefix DIR (created from the
#                            template on first use, kept afterwards) instead
#                            of a fresh temporary copy. Only one environment
#                            may use DIR at a time (an flock on DIR.lock).
#         --no-warm          do not start Wine's desktop process during setup
#                            (by default it is started so that the first
#                            program launched pays no start-up cost)
#         --no-trap          do not install the EXIT/INT/TERM traps (which
#                            replace any the caller had); the caller must
#                            then call linova_wine_env_stop itself
#       On failure it tears down what it had started and returns non-zero.
#
#   linova_wine_env_stop
#       Stops what linova_wine_env_start started and nothing else: the
#       prefix's wineserver (wineserver -k, which also ends every Wine
#       process of that prefix), then its Xephyr and Xvfb, then removes the
#       temporary prefix. Safe to call more than once. If the shell that
#       started the environment dies without calling it (e.g. SIGKILL from a
#       test harness' timeout), a detached watchdog started with the
#       environment does the same teardown within about a second.
#
#   linova_wine_template_ensure
#       Builds the machine-wide template prefix if it is missing, was left
#       half-built, or was made by another Wine version or another revision
#       of this file. Guarded by flock; concurrent callers build it once.
#
#   linova_wine_template_dir
#       Prints the template's path:
#       ${XDG_CACHE_HOME:-$HOME/.cache}/linova/wine-template
#       (override the parent directory with LINOVA_CACHE_DIR).
#
#   linova_wine_tools_present [--monitors MODE]
#       Cheap check (PATH look-ups only) that the programs needed are
#       installed. Returns 1 if any is missing.
#
#   linova_wine_env_track PID
#       Names the process running in the environment, so that the watchdog
#       ends its process tree too if this shell dies without tearing down.
#
#   linova_wine_kill_tree PID [SIGNAL]
#       Sends SIGNAL (default TERM) to PID and all its descendants.
#
#   linova_wine_persistent_prefix_dir
#       Prints the default persistent prefix:
#       ${XDG_DATA_HOME:-$HOME/.local/share}/linova/wine-prefix
#       (override with LINOVA_WINEPREFIX).
#
# Prefix settings (in the template): X11 Driver Managed=N (no window manager
# waits), Windows version win10, no crash dialog, Arial/Segoe UI/Times New
# Roman/Courier New replaced by the metric-compatible Liberation fonts,
# Marlett and Tahoma copied into C:\windows\Fonts, and the user folders
# (Desktop, Documents, ...) made real folders inside the prefix instead of
# links to $HOME, so programs under test never write into the home folder.

# Bump when the template's contents change; old templates are then rebuilt.
LINOVA_WINE_TEMPLATE_REVISION=1

LINOVA_WINE_DEBUG_DEFAULT=-all
LINOVA_WINE_DLLOVERRIDES_DEFAULT='mscoree,mshtml=;winemenubuilder.exe=d'

_lw_lib_path=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/$(basename "${BASH_SOURCE[0]}")

_lw_log() { printf 'wine-env: %s\n' "$*" >&2; }

# With LINOVA_WINE_TRACE=1, logs each step with the time since the last one.
_lw_trace_last=
_lw_trace() {
    [[ ${LINOVA_WINE_TRACE-} == 1 ]] || return 0
    local now
    now=$(date +%s%N)
    if [[ -n $_lw_trace_last ]]; then
        _lw_log "$(printf '%6d ms  %s' $(((now - _lw_trace_last) / 1000000)) "$*")"
    else
        _lw_log "$(printf '%6s     %s' '' "$*")"
    fi
    _lw_trace_last=$now
}

linova_wine_cache_dir() {
    printf '%s\n' "${LINOVA_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/linova}"
}

linova_wine_template_dir() {
    printf '%s/wine-template\n' "$(linova_wine_cache_dir)"
}

linova_wine_persistent_prefix_dir() {
    printf '%s\n' "${LINOVA_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/linova/wine-prefix}"
}

linova_wine_tools_present() {
    local mode=1 tool
    if [[ ${1-} == --monitors ]]; then mode=${2-1}; fi
    local -a tools=(wine wineserver Xvfb flock setsid)
    if [[ $mode != 1 ]]; then tools+=(Xephyr); fi
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null 2>&1 || return 1
    done
}

# --- small helpers -----------------------------------------------------------

# True if PID is a live (non-zombie) process.
_lw_alive() {
    local pid=$1 stat
    [[ -n $pid ]] || return 1
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [[ ${stat:0:1} != Z ]]
}

# Stop PID (expected command name COMM) with TERM, then KILL after 5 s.
_lw_stop_pid() {
    local pid=$1 comm=$2 i
    [[ -n $pid ]] || return 0
    if _lw_alive "$pid" && [[ $(cat "/proc/$pid/comm" 2>/dev/null) == "$comm" ]]; then
        kill -TERM "$pid" 2>/dev/null || true
        for ((i = 0; i < 100; i++)); do
            _lw_alive "$pid" || break
            sleep 0.05
        done
        if _lw_alive "$pid"; then kill -KILL "$pid" 2>/dev/null || true; fi
    fi
    # Reap it if it is a child of this shell.
    wait "$pid" 2>/dev/null || true
}

# Debian's Wine keeps a prefix's server socket in $TMPDIR/wine-XXXXXX and
# records that name in $WINEPREFIX/wineserver. Remove both for a prefix
# whose server has ended (the directory belongs to that prefix alone).
_lw_remove_server_dir() {
    local prefix=$1 name
    [[ -f $prefix/wineserver ]] || return 0
    name=$(cat "$prefix/wineserver" 2>/dev/null) || name=
    if [[ $name =~ ^wine-[A-Za-z0-9]{6}$ && -d ${TMPDIR:-/tmp}/$name ]]; then
        rm -rf "${TMPDIR:-/tmp}/$name"
    fi
    rm -f "$prefix/wineserver"
}

# Sends SIGNAL (default TERM) to PID and to all its descendants.
linova_wine_kill_tree() {
    local root=$1 sig=${2:-TERM} f line pid ppid state
    local -A children=()
    for f in /proc/[0-9]*/stat; do
        { read -r line <"$f"; } 2>/dev/null || continue
        pid=${line%% *}
        read -r state ppid _ <<<"${line##*) }"
        [[ $state == Z ]] && continue
        children[$ppid]+=" $pid"
    done
    local -a queue=("$root") found=()
    while ((${#queue[@]})); do
        pid=${queue[0]}
        queue=("${queue[@]:1}")
        found+=("$pid")
        # shellcheck disable=SC2206  # a list of numbers
        queue+=(${children[$pid]-})
    done
    kill "-$sig" "${found[@]}" 2>/dev/null || true
}

_lw_wine_version() {
    WINEDEBUG=-all wine --version 2>/dev/null || echo unknown
}

_lw_template_stamp() {
    printf 'linova wine template revision %s; %s\n' \
        "$LINOVA_WINE_TEMPLATE_REVISION" "$(_lw_wine_version)"
}

_lw_template_valid() {
    local dir=$1 expected=$2
    [[ -f $dir/.linova-template-complete ]] &&
        [[ $(cat "$dir/.linova-template-complete") == "$expected" ]]
}

# Set (VALUE non-empty: the text after '=', e.g. '"1"') or delete (VALUE
# empty) value NAME of registry key KEY (as written in the file, e.g.
# 'Software\\Wine\\X11 Driver') in a .reg file of a prefix whose wineserver is
# NOT running. The key must exist.
_lw_reg_set_offline() {
    local file=$1 key=$2 name=$3 value=$4 tmp
    tmp=$file.linova-tmp
    LW_KEY="[$key]" LW_NAME="\"$name\"=" LW_VALUE=$value awk '
        BEGIN { key = ENVIRON["LW_KEY"]; name = ENVIRON["LW_NAME"];
                value = ENVIRON["LW_VALUE"]; inkey = 0; found = 0; pending = 0 }
        {
            if (substr($0, 1, 1) == "[") {
                inkey = ($0 == key || index($0, key " ") == 1)
                if (inkey) { found = 1; pending = 1 }
                print; next
            }
            if (inkey && pending && substr($0, 1, 1) != "#") {
                if (value != "") print name value
                pending = 0
            }
            if (inkey && index($0, name) == 1) next
            print
        }
        END {
            if (inkey && pending && value != "") print name value
            if (!found) exit 3
        }' "$file" >"$tmp" || { rm -f "$tmp"; _lw_log "key [$key] not found in $file"; return 1; }
    mv -f "$tmp" "$file"
}

# Start an X server in the background with -displayfd and wait until it
# accepts connections. Sets _lw_started_pid and _lw_started_display.
# Usage: _lw_start_x FIFO LOG [VAR=VALUE...] -- COMMAND ARGS...
_lw_start_x() {
    local fifo=$1 log=$2 number=
    shift 2
    local -a envs=()
    while [[ $1 != -- ]]; do envs+=("$1"); shift; done
    shift
    rm -f "$fifo"
    mkfifo "$fifo"
    env "${envs[@]}" "$@" -displayfd 3 3>"$fifo" </dev/null >"$log" 2>&1 &
    _lw_started_pid=$!
    # The server writes its display number to the fifo when it is ready; if
    # it fails to start, the fifo reaches end-of-file instead.
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [[ ! $number =~ ^[0-9]+$ ]]; then
        _lw_log "$1 did not start (log follows)"
        cat "$log" >&2 || true
        _lw_stop_pid "$_lw_started_pid" "$(basename "$1")"
        _lw_started_pid=
        return 1
    fi
    _lw_started_display=:$number
}

# --- template ---------------------------------------------------------------

_lw_template_build() {
    local dir=$1 stamp=$2 new x_pid="" x_display f
    new=$dir.new.$$
    # Leftovers of an interrupted build (its server, if any, is stopped first).
    for f in "$dir".new.*; do
        [[ -d $f ]] || continue
        if [[ -f $f/wineserver ]]; then
            WINEPREFIX=$f wineserver -k >/dev/null 2>&1 || true
            _lw_remove_server_dir "$f"
        fi
        rm -rf "$f"
    done
    _lw_log "building the Wine template prefix in $dir (once per machine)..."
    local start=$SECONDS

    # Scratch files, removed with the leftovers above if this build dies.
    local work=$new.work
    mkdir -p "$work" || return 1

    # A private display, so the prefix is initialised as it will be used.
    if _lw_start_x "$work/xvfb.fifo" "$work/xvfb.log" -- \
        Xvfb -screen 0 1920x1080x24 -nolisten tcp -noreset; then
        x_pid=$_lw_started_pid
        x_display=$_lw_started_display
        _lw_build_xvfb_pid=$x_pid
        _lw_save_state
    else
        rm -rf "$work"
        return 1
    fi

    local regfile=$work/settings.reg rc=0
    cat >"$regfile" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win10"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Segoe UI"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
EOF
    local -a wenv=(-u WINEARCH -u WINESERVER WINEPREFIX="$new"
        WINEDEBUG="$LINOVA_WINE_DEBUG_DEFAULT"
        WINEDLLOVERRIDES="$LINOVA_WINE_DLLOVERRIDES_DEFAULT" DISPLAY="$x_display")
    env "${wenv[@]}" wineboot -i </dev/null >/dev/null 2>&1 &&
        env "${wenv[@]}" wine reg import "$regfile" </dev/null >/dev/null 2>&1 &&
        # Let the server save the registry and end by itself.
        { env "${wenv[@]}" timeout 60 wineserver -w || env "${wenv[@]}" wineserver -k; } ||
        rc=$?
    _lw_stop_pid "$x_pid" Xvfb
    rm -rf "$work"
    _lw_build_xvfb_pid=
    _lw_save_state
    if ((rc == 0)) && ! grep -qx '"Managed"="N"' "$new/user.reg" 2>/dev/null; then
        _lw_log "the settings were not saved in $new/user.reg"
        rc=1
    fi
    if ((rc == 0)); then
        _lw_template_finish "$new" "$stamp" || rc=$?
    else
        _lw_log "wineboot failed (status $rc)"
    fi
    if ((rc != 0)); then
        WINEPREFIX=$new wineserver -k >/dev/null 2>&1 || true
        _lw_remove_server_dir "$new"
        rm -rf "$new"
        return 1
    fi
    rm -rf "$dir" && mv "$new" "$dir" || return 1
    _lw_log "template ready in $((SECONDS - start)) s"
}

# Completes a freshly initialised prefix NEW and marks it complete.
_lw_template_finish() {
    local new=$1 stamp=$2 f link
    # Each copy gets its own server directory (see _lw_remove_server_dir).
    _lw_remove_server_dir "$new"
    mkdir -p "$new/drive_c/windows/Fonts" || return 1
    for f in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf; do
        if [[ -f $f ]]; then cp "$f" "$new/drive_c/windows/Fonts/" || return 1; fi
    done
    # User folders that Wine linked to $HOME become folders of the prefix.
    while IFS= read -r -d '' link; do
        rm -f "$link" && mkdir -p "$link" || return 1
    done < <(find "$new/drive_c/users" -mindepth 2 -maxdepth 2 -type l -print0)
    printf '%s\n' "$stamp" >"$new/.linova-template-complete"
}

linova_wine_template_ensure() {
    local dir stamp lock fd rc=0
    dir=$(linova_wine_template_dir)
    stamp=$(_lw_template_stamp)
    mkdir -p "$(dirname "$dir")"
    lock=$dir.lock
    exec {fd}>>"$lock"
    flock -s "$fd"
    if ! _lw_template_valid "$dir" "$stamp"; then
        flock -u "$fd"
        flock -x "$fd"
        if ! _lw_template_valid "$dir" "$stamp"; then
            _lw_template_build "$dir" "$stamp" || rc=$?
        fi
    fi
    flock -u "$fd"
    exec {fd}>&-
    return "$rc"
}

# Copy the template to DEST (which must not exist), building it if needed.
_lw_template_copy() {
    local dest=$1 dir stamp lock fd rc=0 i
    dir=$(linova_wine_template_dir)
    stamp=$(_lw_template_stamp)
    mkdir -p "$(dirname "$dir")"
    lock=$dir.lock
    for ((i = 0; i < 3; i++)); do
        exec {fd}>>"$lock"
        flock -s "$fd"
        if _lw_template_valid "$dir" "$stamp"; then
            cp -a "$dir" "$dest" || rc=$?
            flock -u "$fd"
            exec {fd}>&-
            return "$rc"
        fi
        flock -u "$fd"
        exec {fd}>&-
        linova_wine_template_ensure || return 1
    done
    _lw_log "could not obtain a template prefix"
    return 1
}

# --- per-run environment ----------------------------------------------------

# State of the environment started by this shell (empty: none).
LINOVA_WINE_RUN_DIR=${LINOVA_WINE_RUN_DIR-}
_lw_prefix=
_lw_prefix_is_temp=
_lw_prefix_lock_fd=
_lw_xvfb_pid=
_lw_xephyr_pid=
_lw_command_pid=
_lw_build_xvfb_pid=

# Records what has been started, for the watchdog.
_lw_save_state() {
    [[ -n $LINOVA_WINE_RUN_DIR && -d $LINOVA_WINE_RUN_DIR ]] || return 0
    {
        printf '_lw_prefix=%q\n' "$_lw_prefix"
        printf '_lw_prefix_is_temp=%q\n' "$_lw_prefix_is_temp"
        printf '_lw_xvfb_pid=%q\n' "$_lw_xvfb_pid"
        printf '_lw_xephyr_pid=%q\n' "$_lw_xephyr_pid"
        printf '_lw_command_pid=%q\n' "$_lw_command_pid"
        printf '_lw_build_xvfb_pid=%q\n' "$_lw_build_xvfb_pid"
    } >"$LINOVA_WINE_RUN_DIR/state.new"
    mv -f "$LINOVA_WINE_RUN_DIR/state.new" "$LINOVA_WINE_RUN_DIR/state"
}

_lw_watchdog_main() {
    local owner=$1 rundir=$2
    printf '%s\n' "$BASHPID" >"$rundir/watchdog.pid" 2>/dev/null || exit 0
    while [[ -d $rundir ]] && _lw_alive "$owner"; do
        sleep 0.5
    done
    [[ -d $rundir ]] || exit 0
    # The owner died without tearing down: do it now.
    # shellcheck disable=SC1091
    [[ -f $rundir/state ]] && source "$rundir/state"
    LINOVA_WINE_RUN_DIR=$rundir
    _lw_in_watchdog=1
    linova_wine_env_stop
}

# Tells the watchdog about the command run in the environment: if this shell
# dies without tearing down, the command's process tree is ended too.
linova_wine_env_track() {
    _lw_command_pid=$1
    _lw_save_state
}

linova_wine_env_stop() {
    local rundir=${LINOVA_WINE_RUN_DIR-} pid
    [[ -n $rundir ]] || return 0
    _lw_trace_last=
    _lw_trace "teardown"
    if [[ -n ${_lw_in_watchdog-} && -n $_lw_command_pid ]] && _lw_alive "$_lw_command_pid"; then
        linova_wine_kill_tree "$_lw_command_pid" TERM
    fi
    if [[ -n $_lw_prefix && -d $_lw_prefix ]]; then
        WINEPREFIX=$_lw_prefix wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX=$_lw_prefix timeout 20 wineserver -w >/dev/null 2>&1 || true
        _lw_trace "wineserver stopped"
    fi
    _lw_stop_pid "$_lw_xephyr_pid" Xephyr
    _lw_stop_pid "$_lw_xvfb_pid" Xvfb
    _lw_stop_pid "$_lw_build_xvfb_pid" Xvfb
    _lw_trace "X stopped"
    if [[ $_lw_prefix_is_temp == 1 && -n $_lw_prefix ]]; then
        _lw_remove_server_dir "$_lw_prefix"
        rm -rf "$_lw_prefix"
    fi
    if [[ -n $_lw_prefix_lock_fd ]]; then
        flock -u "$_lw_prefix_lock_fd" 2>/dev/null || true
        eval "exec $_lw_prefix_lock_fd>&-" 2>/dev/null || true
    fi
    if [[ -z ${_lw_in_watchdog-} && -f $rundir/watchdog.pid ]]; then
        pid=$(cat "$rundir/watchdog.pid" 2>/dev/null) || pid=
        if [[ -n $pid ]] && _lw_alive "$pid"; then kill -TERM "$pid" 2>/dev/null || true; fi
    fi
    rm -rf "$rundir"
    _lw_trace "files removed"
    LINOVA_WINE_RUN_DIR=
    _lw_prefix='' _lw_prefix_is_temp='' _lw_prefix_lock_fd='' _lw_xvfb_pid='' _lw_xephyr_pid=''
    _lw_command_pid='' _lw_build_xvfb_pid=''
}

_lw_on_signal() {
    local sig=$1
    trap - EXIT INT TERM
    linova_wine_env_stop
    if [[ $sig == INT ]]; then exit 130; fi
    exit 143
}

linova_wine_env_start() {
    local monitors=1 use_display=0 prefix_dir="" warm=1 trap_it=1
    while (($#)); do
        case $1 in
            --monitors)
                monitors=${2-}
                shift 2 || { _lw_log "--monitors needs a value"; return 2; }
                ;;
            --monitors=*) monitors=${1#*=}; shift ;;
            --use-display) use_display=1; shift ;;
            --prefix)
                prefix_dir=${2-}
                shift 2 || { _lw_log "--prefix needs a directory"; return 2; }
                ;;
            --prefix=*) prefix_dir=${1#*=}; shift ;;
            --no-warm) warm=0; shift ;;
            --no-trap) trap_it=0; shift ;;
            *) _lw_log "unknown option: $1"; return 2 ;;
        esac
    done
    case $monitors in
        1 | 2 | 2-left) ;;
        *) _lw_log "--monitors must be 1, 2 or 2-left (got '$monitors')"; return 2 ;;
    esac
    if [[ -n $LINOVA_WINE_RUN_DIR ]]; then
        _lw_log "an environment is already running in this shell"
        return 1
    fi
    if ((use_display)) && [[ -z ${DISPLAY-} ]]; then
        _lw_log "--use-display given but DISPLAY is not set"
        return 2
    fi
    if ! linova_wine_tools_present --monitors "$monitors"; then
        _lw_log "Wine/Xvfb/Xephyr missing: run scripts/install-deps"
        return 1
    fi

    if ((trap_it)); then
        trap 'linova_wine_env_stop' EXIT
        trap '_lw_on_signal INT' INT
        trap '_lw_on_signal TERM' TERM
    fi

    _lw_trace_last=
    _lw_trace "setup"
    LINOVA_WINE_RUN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/linova-wine.XXXXXX") || return 1
    _lw_save_state
    # Detached from this shell's session and descendants, so a harness that
    # kills this shell's process tree does not take the watchdog with it.
    local owner=$BASHPID
    (setsid bash "$_lw_lib_path" --watchdog "$owner" "$LINOVA_WINE_RUN_DIR" \
        </dev/null >/dev/null 2>&1 &)
    _lw_trace "watchdog started"

    if ! _lw_env_start_inner "$monitors" "$use_display" "$prefix_dir" "$warm"; then
        linova_wine_env_stop
        return 1
    fi
}

_lw_env_start_inner() {
    local monitors=$1 use_display=$2 prefix_dir=$3 warm=$4 rundir=$LINOVA_WINE_RUN_DIR

    # Prefix.
    if [[ -n $prefix_dir ]]; then
        mkdir -p "$(dirname "$prefix_dir")" || return 1
        local fd
        exec {fd}>>"$prefix_dir.lock" || return 1
        if ! flock -n "$fd"; then
            exec {fd}>&-
            _lw_log "prefix $prefix_dir is in use by another environment"
            return 1
        fi
        _lw_prefix_lock_fd=$fd
        if [[ ! -f $prefix_dir/user.reg ]]; then
            rm -rf "$prefix_dir" "$prefix_dir.new"
            _lw_template_copy "$prefix_dir.new" || return 1
            mv "$prefix_dir.new" "$prefix_dir" || return 1
        fi
        _lw_prefix=$prefix_dir
        _lw_prefix_is_temp=0
        _lw_save_state
        # Nobody else holds the lock, so a server still running here was
        # left by an earlier environment of ours.
        WINEPREFIX=$_lw_prefix wineserver -k >/dev/null 2>&1 || true
    else
        _lw_prefix=$rundir/prefix
        _lw_prefix_is_temp=1
        _lw_save_state
        _lw_template_copy "$_lw_prefix" || return 1
    fi
    _lw_trace "prefix ready"

    # Monitor layout: read by Wine when its server starts.
    local primary=""
    if [[ $monitors == 2-left ]]; then primary='"1"'; fi
    _lw_reg_set_offline "$_lw_prefix/user.reg" 'Software\\Wine\\X11 Driver' PrimaryMonitor "$primary" ||
        return 1

    # X display.
    local host_display=${DISPLAY-}
    if ((!use_display)); then
        local size=1920x1080x24
        if [[ $monitors != 1 ]]; then size=2600x840x24; fi
        _lw_start_x "$rundir/xvfb.fifo" "$rundir/xvfb.log" -- \
            Xvfb -screen 0 "$size" -nolisten tcp -noreset || return 1
        _lw_xvfb_pid=$_lw_started_pid
        _lw_save_state
        host_display=$_lw_started_display
        _lw_trace "Xvfb ready on $host_display"
    fi
    export DISPLAY=$host_display
    if [[ $monitors != 1 ]]; then
        _lw_start_x "$rundir/xephyr.fifo" "$rundir/xephyr.log" DISPLAY="$host_display" -- \
            Xephyr +xinerama -extension RANDR -no-host-grab -nolisten tcp -noreset \
            -screen 1280x800+0+0 -origin 1280,0 -screen 1280x800+1290+0 || return 1
        _lw_xephyr_pid=$_lw_started_pid
        _lw_save_state
        export DISPLAY=$_lw_started_display
        _lw_trace "Xephyr ready on $DISPLAY"
    fi

    unset WINEARCH WINESERVER
    export WINEPREFIX=$_lw_prefix
    export WINEDEBUG=${LINOVA_WINEDEBUG:-$LINOVA_WINE_DEBUG_DEFAULT}
    export WINEDLLOVERRIDES=$LINOVA_WINE_DLLOVERRIDES_DEFAULT
    export LINOVA_MONITORS=$monitors
    if [[ $monitors == 2-left ]]; then
        export LINOVA_X_OFFSET=1280
    else
        export LINOVA_X_OFFSET=0
    fi

    wineserver -p </dev/null >/dev/null 2>&1 || { _lw_log "wineserver did not start"; return 1; }
    _lw_trace "wineserver started"
    if ((warm)); then
        # Starts Wine's desktop process (which reads the monitor layout)
        # with its output detached from the caller's pipes.
        wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
        _lw_trace "desktop process started"
    fi
}

# Entry point of the watchdog process.
if [[ ${BASH_SOURCE[0]} == "$0" && ${1-} == --watchdog ]]; then
    _lw_watchdog_main "$2" "$3"
fi

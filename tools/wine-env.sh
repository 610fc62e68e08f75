# Sourced by the run and test scripts: the Wine prefix, locale and display every Windows-side
# program of this project runs with. Safe to source repeatedly.
ZELVIK_ROOT=${ZELVIK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# ZELVIK_DPI (e.g. 144 for 150 %) runs in a prefix of its own whose display is set to that DPI:
# Wine reads it when its server starts, and the shared prefix stays at 96 for every other test.
ZELVIK_DPI=${ZELVIK_DPI:-96}
# The shared prefix, and the template the others are copied from.
ZELVIK_TEMPLATE_PREFIX=$ZELVIK_ROOT/build/wineprefix
# Under ctest (whose resource spec the build writes, tests/win/tests.cmake), every Windows-side
# test holds one of the run's slots, and the tests of one slot take turns. A slot has a Wine
# prefix and a virtual display of its own, so tests in different slots run side by side without
# seeing each other's windows, focus, foreground or registry. Run any other way (run.sh, perf.sh,
# a test program started by hand), there is the one shared prefix and display.
ZELVIK_SLOT=$(echo "${CTEST_RESOURCE_GROUP_0_SLOTS:-}" | sed -n 's/^id:\([0-9][0-9]*\),.*/\1/p')
if [ "$ZELVIK_DPI" != 96 ]; then
    # Only one test runs at each other DPI, so its prefix needs no slot.
    export WINEPREFIX=${ZELVIK_WINEPREFIX:-$ZELVIK_ROOT/build/wineprefix-dpi$ZELVIK_DPI}
elif [ -n "$ZELVIK_SLOT" ]; then
    export WINEPREFIX=${ZELVIK_WINEPREFIX:-$ZELVIK_ROOT/build/wineprefix-slot$ZELVIK_SLOT}
else
    export WINEPREFIX=${ZELVIK_WINEPREFIX:-$ZELVIK_TEMPLATE_PREFIX}
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
# zh_CN.UTF-8 makes Wine's ANSI code page 936 (GBK), as on a Chinese Windows.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
source "$ZELVIK_ROOT/tools/arch.sh"
zelvik_detect_32bit
ZELVIK_XVFB_DISPLAY=${ZELVIK_XVFB_DISPLAY:-:97}

# Starts a virtual display unless DISPLAY already reaches an X server; in a slot, the slot's own.
ZELVIK_STARTED_XVFB=
zelvik_ensure_display() {
    if [ -n "$ZELVIK_SLOT" ]; then
        zelvik_slot_display
        return 0
    fi
    if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then return 0; fi
    export DISPLAY=$ZELVIK_XVFB_DISPLAY
    if ! xwininfo -root >/dev/null 2>&1; then
        setsid Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
        # The one who started it may end it; a display found running is left alone.
        ZELVIK_STARTED_XVFB=$!
        for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    fi
}

# The slot's display: an Xvfb that picked a free number itself (-displayfd), noted with its
# process in build/xvfb-slot<N> for the slot's later tests and for the clean-up in tools/test.sh.
zelvik_slot_display() {
    local state=$ZELVIK_ROOT/build/xvfb-slot$ZELVIK_SLOT number pid ready
    if read -r number pid 2>/dev/null < "$state" &&
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ] &&
        xwininfo -root -display ":$number" >/dev/null 2>&1; then
        export DISPLAY=:$number
        return 0
    fi
    ready=$(mktemp)
    setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 \
        < /dev/null &
    pid=$!
    for _ in $(seq 100); do [ -s "$ready" ] && break; sleep 0.05; done
    number=$(tr -d '\n' < "$ready")
    rm -f "$ready"
    if [ -z "$number" ]; then
        echo "the virtual display of slot $ZELVIK_SLOT did not start" >&2
        return 1
    fi
    echo "$number $pid" > "$state"
    export DISPLAY=:$number
}

# Creates the prefix once: Wine draws its own frames (no window manager under Xvfb), and the
# captions' 微软雅黑 is replaced by a CJK font of the same proportions. Where 32-bit code runs,
# 32-bit Wine creates it, so that it has the 32-bit system folder (syswow64) that 32-bit programs
# need; the 64-bit ones run in the same prefix. A prefix made for the other kind is made anew.
zelvik_ensure_prefix() {
    local kind=win64 boot=$WINE64
    if [ "$ZELVIK_RUNS_32BIT" = yes ]; then kind=wow64 boot=$WINE32; fi
    local template_kind=$kind
    [ "$ZELVIK_DPI" = 96 ] || kind+=" dpi $ZELVIK_DPI"
    # Every other prefix is a copy of the template, which is booted once.
    if [ "$WINEPREFIX" != "$ZELVIK_TEMPLATE_PREFIX" ] &&
        [ "$(cat "$WINEPREFIX/.zelvik-ready" 2>/dev/null)" != "$kind" ]; then
        (WINEPREFIX=$ZELVIK_TEMPLATE_PREFIX ZELVIK_DPI=96 zelvik_ensure_prefix)
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ "$(cat "$WINEPREFIX/.zelvik-ready" 2>/dev/null)" = "$kind" ] && exit 0
        if [ -e "$WINEPREFIX" ]; then
            zelvik_stop_server
            rm -rf "$WINEPREFIX"
        fi
        if [ "$WINEPREFIX" != "$ZELVIK_TEMPLATE_PREFIX" ]; then
            zelvik_copy_template
        else
            "$boot" wineboot -i >/dev/null 2>&1 < /dev/null
            "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' \
                /d 'Noto Sans CJK SC' /f >/dev/null 2>&1
        fi
        # Only this value: DpiScalingVer would make Wine read the manifest's DPI awareness
        # differently from Windows (it stops at "PerMonitorV2," and takes the program as unaware).
        if [ "$ZELVIK_DPI" != 96 ]; then
            "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
                /d "$ZELVIK_DPI" /f >/dev/null 2>&1
        fi
        # The server ends with its last client; the next one reads the DPI set above.
        "$WINESERVER" -w 2>/dev/null || true
        echo "$kind" > "$WINEPREFIX/.zelvik-ready"
    ) 9>"$WINEPREFIX.lock"
}

# No audio server: Wine plays through ALSA, whose default device is set per test when a test
# wants to hear what was played.
export XDG_RUNTIME_DIR=${ZELVIK_RUNTIME_DIR:-$ZELVIK_ROOT/build/xdg-runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A copy of the template prefix at $WINEPREFIX, made in seconds: its 1.3 GB of system files are
# hard links, since Wine only reads them once a prefix is up to date, and everything it writes (the
# registry, the .ini files, the user folders with their temporary files) is copied. Wine saves the registry to a new file and
# renames it over the old one, but the .reg files are copied anyway, so the template never changes.
zelvik_copy_template() {
    cp -al "$ZELVIK_TEMPLATE_PREFIX" "$WINEPREFIX"
    local file
    for file in "$WINEPREFIX"/*.reg "$WINEPREFIX"/.update-timestamp \
        "$WINEPREFIX"/drive_c/windows/*.ini; do
        [ -e "$file" ] || continue
        cp --remove-destination -p "$ZELVIK_TEMPLATE_PREFIX/${file#"$WINEPREFIX"/}" "$file"
    done
    rm -rf "$WINEPREFIX/drive_c/users"
    cp -a "$ZELVIK_TEMPLATE_PREFIX/drive_c/users" "$WINEPREFIX/drive_c/users"
    # Each server notes its own socket folder here.
    rm -f "$WINEPREFIX/wineserver" "$WINEPREFIX/.zelvik-ready"
}

# Ends the slots' Wine servers and virtual displays (tools/test.sh, at the end of its run).
zelvik_end_slots() {
    local prefix state number pid
    for prefix in "$ZELVIK_ROOT"/build/wineprefix-slot* "$ZELVIK_ROOT"/build/wineprefix-dpi*; do
        if [ -d "$prefix" ]; then
            WINEPREFIX=$prefix zelvik_stop_server
        fi
    done
    for state in "$ZELVIK_ROOT"/build/xvfb-slot*; do
        [ -e "$state" ] || continue
        read -r number pid < "$state" || true
        if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then kill "$pid" 2>/dev/null || true; fi
        rm -f "$state"
    done
}

# The process of this prefix's Wine server, if one runs (servers of other prefixes, for instance
# another checkout's test run, do not count).
zelvik_server_pid() {
    local pid
    for pid in $(pgrep -x 'wineserver(64)?' 2>/dev/null); do
        if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"
        then
            echo "$pid"
            return 0
        fi
    done
    return 1
}
zelvik_server_running() { zelvik_server_pid >/dev/null; }

# Ends this prefix's Wine server and its programs.
zelvik_stop_server() { "$WINESERVER" -k >/dev/null 2>&1 || true; }

# The build this machine runs: the 32-bit release where 32-bit code runs, else the 64-bit twin.
# Sets ZELVIK_LOADER and ZELVIK_BUILD (the build folder).
zelvik_pick_tested_build() {
    if [ "$ZELVIK_RUNS_32BIT" = yes ]; then
        ZELVIK_LOADER=$WINE32 ZELVIK_BUILD=$ZELVIK_ROOT/build/win32
    else
        ZELVIK_LOADER=$WINE64 ZELVIK_BUILD=$ZELVIK_ROOT/build/win64
    fi
}

# Starts the Wine server and its system processes detached from our output, unless they run.
# Started by a test program instead, they would inherit that program's output pipe, and ctest
# would wait for them to exit before it counts the test as finished. Stays up for $1 seconds
# after its last client (forever without an argument).
zelvik_start_server() {
    zelvik_server_running && return 0
    "$WINESERVER" "-p${1:-}" </dev/null >/dev/null 2>&1 || true
    "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}

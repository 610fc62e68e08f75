# Sourced by the run and test scripts: the Wine prefix, locale and display every Windows-side
# program of this project runs with. Safe to source repeatedly.
ZELVIK_ROOT=${ZELVIK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# ZELVIK_DPI (e.g. 144 for 150 %) runs in a prefix of its own whose display is set to that DPI:
# Wine reads it when its server starts, and the shared prefix stays at 96 for every other test.
ZELVIK_DPI=${ZELVIK_DPI:-96}
if [ "$ZELVIK_DPI" = 96 ]; then
    export WINEPREFIX=${ZELVIK_WINEPREFIX:-$ZELVIK_ROOT/build/wineprefix}
else
    export WINEPREFIX=${ZELVIK_WINEPREFIX:-$ZELVIK_ROOT/build/wineprefix-dpi$ZELVIK_DPI}
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-winemenubuilder.exe=d;mscoree=d;mshtml=d}
# zh_CN.UTF-8 makes Wine's ANSI code page 936 (GBK), as on a Chinese Windows.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
source "$ZELVIK_ROOT/tools/arch.sh"
zelvik_detect_32bit
ZELVIK_XVFB_DISPLAY=${ZELVIK_XVFB_DISPLAY:-:97}

# Starts a virtual display unless DISPLAY already reaches an X server.
zelvik_ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xwininfo -root >/dev/null 2>&1; then return 0; fi
    export DISPLAY=$ZELVIK_XVFB_DISPLAY
    if ! xwininfo -root >/dev/null 2>&1; then
        setsid Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 < /dev/null &
        for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
    fi
}

# Creates the prefix once: Wine draws its own frames (no window manager under Xvfb), and the
# captions' 微软雅黑 is replaced by a CJK font of the same proportions. Where 32-bit code runs,
# 32-bit Wine creates it, so that it has the 32-bit system folder (syswow64) that 32-bit programs
# need; the 64-bit ones run in the same prefix. A prefix made for the other kind is made anew.
zelvik_ensure_prefix() {
    local kind=win64 boot=$WINE64
    if [ "$ZELVIK_RUNS_32BIT" = yes ]; then kind=wow64 boot=$WINE32; fi
    [ "$ZELVIK_DPI" = 96 ] || kind+=" dpi $ZELVIK_DPI"
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ "$(cat "$WINEPREFIX/.zelvik-ready" 2>/dev/null)" = "$kind" ] && exit 0
        if [ -e "$WINEPREFIX" ]; then
            WINEPREFIX=$WINEPREFIX /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
            rm -rf "$WINEPREFIX"
        fi
        "$boot" wineboot -i >/dev/null 2>&1 < /dev/null
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' \
            /d 'Noto Sans CJK SC' /f >/dev/null 2>&1
        # Only this value: DpiScalingVer would make Wine read the manifest's DPI awareness
        # differently from Windows (it stops at "PerMonitorV2," and takes the program as unaware).
        if [ "$ZELVIK_DPI" != 96 ]; then
            "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
                /d "$ZELVIK_DPI" /f >/dev/null 2>&1
        fi
        # The server ends with its last client; the next one reads the DPI set above.
        /usr/lib/wine/wineserver -w 2>/dev/null || true
        echo "$kind" > "$WINEPREFIX/.zelvik-ready"
    ) 9>"$WINEPREFIX.lock"
}

# No audio server: Wine plays through ALSA, whose default device is set per test when a test
# wants to hear what was played.
export XDG_RUNTIME_DIR=${ZELVIK_RUNTIME_DIR:-$ZELVIK_ROOT/build/xdg-runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Whether a Wine server of this prefix runs (servers of other prefixes, for instance another
# checkout's test run, do not count).
zelvik_server_running() {
    local pid
    for pid in $(pgrep -x 'wineserver(64)?' 2>/dev/null); do
        tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" \
            && return 0
    done
    return 1
}

# Starts the Wine server and its system processes detached from our output, unless they run.
# Started by a test program instead, they would inherit that program's output pipe, and ctest
# would wait for them to exit before it counts the test as finished. Stays up for $1 seconds
# after its last client (forever without an argument).
zelvik_start_server() {
    zelvik_server_running && return 0
    /usr/lib/wine/wineserver "-p${1:-}" </dev/null >/dev/null 2>&1 || true
    "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}

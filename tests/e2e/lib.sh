# Shared by the end-to-end checks: start the real program under Wine on the virtual display,
# read its windows with the probe, take screenshots and look at their pixels.
# Usage from a check: source lib.sh EXE PROBE
set -euo pipefail
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/../../tools/wine-env.sh"
EXE=$(readlink -f "$1")
PROBE=$(readlink -f "$2")
# The loader of the build under test (the 32-bit one where this machine runs 32-bit code).
WINE=${ZELVIK_WINE:-$WINE64}
zelvik_ensure_display
zelvik_ensure_prefix
# A running server first; a program started under faketime must not start (and fake) the server
# that every later program of the run talks to.
zelvik_start_server 30
WORK=$(mktemp -d)
TIMER_PID=

cleanup() {
    if [ -n "$TIMER_PID" ] && kill -0 "$TIMER_PID" 2>/dev/null; then
        "$WINE" "$PROBE" quit >/dev/null 2>&1 || true
        for _ in $(seq 20); do kill -0 "$TIMER_PID" 2>/dev/null || break; sleep 0.1; done
        kill "$TIMER_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# The console turns line ends into CR LF.
probe() { "$WINE" "$PROBE" 2>/dev/null | tr -d '\r'; }

# start_timer [command prefix...]: runs the program from $START_DIR (default: the work folder).
start_timer() {
    (cd "${START_DIR:-$WORK}" && exec "$@" "$WINE" "${TIMER_EXE:-$EXE}") >/dev/null 2>&1 &
    TIMER_PID=$!
    PROBE_OUT=$(probe) || fail "the timer window did not appear"
}

# start_timer_at HH:MM:SS: the same with the local wall clock starting at that time today (or on
# FAKE_DATE), so a check does not depend on when it runs (at minute 00 or 30 the readout turns
# yellow). faketime leaves the tick counter and file times alone (faked file times make Wine think
# its prefix is out of date and rebuild it). libfaketime is preloaded through $LIB, so 32- and
# 64-bit processes each get their own; the time64 shim after it lets the faked time reach 32-bit
# Wine.
start_timer_at() {
    local preload='/usr/$LIB/faketime/libfaketime.so.1'
    local shim=$ZELVIK_ROOT/build/faketime
    [ -e "$shim/lib/i386-linux-gnu/zelvik-time64.so" ] && preload+=" $shim/\$LIB/zelvik-time64.so"
    start_timer env "FAKETIME=@${FAKE_DATE:-$(date +%F)} $1" "LD_PRELOAD=$preload" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1
}

# Field of the probe's window line, e.g. window_field client_origin -> "x,y".
window_field() { echo "$PROBE_OUT" | sed -n "s/^window .*\b$1=\([^ ]*\).*/\1/p"; }

screenshot() { import -window root "$WORK/$1.png"; }

# pixels count|diff ...: see pixels.py.
pixels() { /usr/bin/python3 "$E2E_DIR/pixels.py" "$@"; }

# The readout band (client y 30 to 85, x 0 to 380) in screen coordinates: "x y w h".
readout_band() {
    local origin
    origin=$(window_field client_origin)
    echo "${origin%,*} $(( ${origin#*,} + 30 )) 380 55"
}

# Reads the windows again.
refresh() { PROBE_OUT=$(probe); }

# A control's line and one of its fields, e.g. control_field 10001 text.
control_field() { echo "$PROBE_OUT" | sed -n "s/^control id=$1 .*\b$2=\([^ ]*\).*/\1/p"; }

# The screen point of client point (x, y) of the main window: "x y".
client_point() {
    local origin
    origin=$(window_field client_origin)
    echo "$(( ${origin%,*} + $1 )) $(( ${origin#*,} + $2 ))"
}

# Real mouse input through the X server, as a user's.
click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click "${3:-1}"
    sleep 0.4
}
click_client() {
    local sx sy
    read -r sx sy <<<"$(client_point "$1" "$2")"
    click_at "$sx" "$sy" "${3:-1}"
}

# The screen centre of control ID of an open dialog or message box: "x y".
dialog_control_centre() {
    local rect
    rect=$(echo "$PROBE_OUT" | sed -n "s/^dialog_control id=$1 .*screen_rect=\([^ ]*\).*/\1/p" |
           head -n 1)
    [ -n "$rect" ] || fail "no dialog control $1"
    IFS=, read -r l t r b <<<"$rect"
    echo "$(( (l + r) / 2 )) $(( (t + b) / 2 ))"
}

# wait_for PATTERN [tenths]: reads the windows until a line matches (default 5 s).
wait_for() {
    for _ in $(seq "${2:-50}"); do
        refresh
        echo "$PROBE_OUT" | grep -q -- "$1" && return 0
        sleep 0.1
    done
    return 1
}

# The timer process is still there.
# type_into_fields ID:TEXT...: each field of the open dialog clicked, cleared and typed into.
type_into_fields() {
    local field cx cy
    for field in "$@"; do
        read -r cx cy <<<"$(dialog_control_centre "${field%:*}")"
        click_at "$cx" "$cy"
        xdotool key End BackSpace BackSpace BackSpace
        xdotool type "${field#*:}"
    done
}

timer_alive() { kill -0 "$TIMER_PID" 2>/dev/null; }

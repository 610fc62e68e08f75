#!/usr/bin/env bash
# Soak: the real program runs a stopwatch with milliseconds for MINUTES (default 10) while the
# settings dialog and the popup menu are opened and closed hundreds of times. Resident memory
# (from /proc) and the handle count (the system's handle table, read by the probe) must not grow
# beyond start-up noise, and at the end the readout still moves, and stands still once paused.
# Wine answers GetGuiResources with zero, so GDI objects are watched through what a leak would
# do: the paint handler makes a bitmap and a DC 500 times a second, so leaking them would exhaust
# the process's GDI handles within minutes and the readout would stop being drawn.
# Usage: tools/soak.sh [minutes]; the end-to-end check runs one minute
# (SOAK_TIMER, SOAK_PROBE, SOAK_WINE choose the build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-10}
source "$root/tools/wine-env.sh"
source "$root/tools/proc-lib.sh"
zelvik_pick_build
if [ -n "${SOAK_TIMER:-}" ]; then
    PERF_TIMER=$SOAK_TIMER PERF_PROBE=$SOAK_PROBE PERF_WINE=${SOAK_WINE:-$PERF_WINE}
else
    zelvik_build_perf_targets
fi
zelvik_ensure_display
zelvik_ensure_prefix
zelvik_start_server 30
work=$(mktemp -d)
timer=
cleanup() {
    [ -n "$timer" ] && stop_program "$timer"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cp "$PERF_TIMER" "$work/zelvik-timer.exe"
class=ZelvikTimerWindow
start_program "$work/zelvik-timer.exe"
timer=$STARTED_PID
perf_probe wait "$class" >/dev/null || fail "the timer window did not appear"

click() { perf_probe click "$class" "$1" >/dev/null; sleep 0.2; }
handles() { perf_probe resources "$class" | sed -n 's/.*system_handles=\([0-9-]*\).*/\1/p'; }
sample() { echo "$(status_kb "$timer" VmRSS) $(status_kb "$timer" VmHWM) $(handles)"; }
# The popup menu: a right-click on the readout, then Escape.
popups=0
popup_cycle() {
    local x y
    read -r x y <<<"$(perf_probe origin "$class")"
    xdotool mousemove $((x + 190)) $((y + 57)) click 3
    sleep 0.15
    xdotool key Escape
    sleep 0.1
    popups=$((popups + 1))
}
dialogs=0
dialog_cycles() {
    local out
    out=$(perf_probe dialog "$class" 10006 "$1") || fail "settings dialog: $out"
    dialogs=$((dialogs + $1))
}

# Warm-up: the first dialog, menu and sound load what they need once. The first sound brings in
# the audio stack (about 8 MB and 8 handles under Wine): the default 5-minute countdown sounds
# its mark as it starts, and the stopwatch would at 00:04:59.5.
click 10008
dialog_cycles 3
for _ in 1 2 3; do popup_cycle; done
click 10001
sleep 2
click 10003
sleep 1
read -r rss0 hwm0 handles0 <<<"$(sample)"
echo "after start-up: RSS ${rss0} kB, peak ${hwm0} kB, ${handles0} handles"

# The settings dialog a few hundred times (a hundred a minute of soak, at least 50).
count=$((minutes * 100 < 50 ? 50 : (minutes * 100 > 500 ? 500 : minutes * 100)))
dialog_cycles "$count"
read -r rss1 _ handles1 <<<"$(sample)"
echo "after $dialogs settings dialogs: RSS ${rss1} kB, ${handles1} handles"

# The stopwatch with milliseconds, through its own controls.
click 10007
click 10005
click 10001
first=$(perf_probe readout "$class")
sleep 1.2
[ "$(perf_probe readout "$class")" != "$first" ] || fail "the stopwatch did not start"
started=$(date +%s)
end=$((started + minutes * 60))
next_sample=$((started + 10))
half=$((started + minutes * 30))
rss_half= handles_half=
echo "elapsed_s rss_kB hwm_kB handles popups"
while [ "$(date +%s)" -lt "$end" ]; do
    popup_cycle
    sleep 1
    if [ "$(date +%s)" -ge "$next_sample" ]; then
        line=$(sample)
        echo "$(($(date +%s) - started)) $line $popups"
        next_sample=$((next_sample + 10))
        if [ -z "$rss_half" ] && [ "$(date +%s)" -ge "$half" ]; then
            read -r rss_half _ handles_half <<<"$line"
        fi
    fi
    kill -0 "$timer" 2>/dev/null || fail "the timer exited"
done
sleep 1
read -r rss2 hwm2 handles2 <<<"$(sample)"

# Still running and drawn: the readout moves; paused, it stands still.
first=$(perf_probe readout "$class")
sleep 1.2
second=$(perf_probe readout "$class")
[ "$first" != "$second" ] || fail "the readout no longer moves"
click 10001
first=$(perf_probe readout "$class")
sleep 1.2
[ "$(perf_probe readout "$class")" = "$first" ] || fail "the paused readout still moves"
green=$(perf_probe readout "$class" | sed -n 's/.*green=\([0-9]*\).*/\1/p')
[ "$green" -gt 200 ] || fail "no readout drawn at the end"

[ -n "$rss_half" ] || read -r rss_half _ handles_half <<<"$(sample)"
echo "after ${minutes} min running, $popups popup menus, $dialogs dialogs:" \
    "RSS ${rss2} kB (start ${rss0}, half-way ${rss_half}), peak ${hwm2} kB," \
    "${handles2} handles (start ${handles0}, half-way ${handles_half})"
# A leak keeps growing; what a run loads once does not. Over the whole run the heap settles and
# the stopwatch's first five-minute mark brings in what its sound needs (about 1 MB and a handle
# under Wine), so the whole run may grow by 4 MB; its second half, by no more than noise. A leak
# per paint or per popup would pass either bound within a minute.
[ "$((rss2 - rss0))" -le 4096 ] || fail "resident memory grew by $((rss2 - rss0)) kB"
[ "$((rss2 - rss_half))" -le 512 ] ||
    fail "resident memory grew by $((rss2 - rss_half)) kB in the second half of the run"
[ "$((handles2 - handles0))" -le 4 ] || fail "handles grew from $handles0 to $handles2"
[ "$((handles2 - handles_half))" -le 1 ] ||
    fail "handles grew from $handles_half to $handles2 in the second half of the run"
echo "1 passed, 0 failed"

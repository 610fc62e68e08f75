#!/usr/bin/env bash
# Regenerates the README's screenshots in docs/ from the real program under Wine on a virtual
# display, driven with the mouse as a user would: the clock, the stopwatch with milliseconds, a
# countdown run out in red, the compact strip, the countdown settings dialog and the popup menu;
# and the clock again at 150 % display scale.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh" test
"$root/tools/build.sh" test >/dev/null
source "$root/tools/wine-env.sh"
unset DISPLAY
# The end-to-end helpers: start the program, read its windows, click on it. They start a virtual
# display unless one is already up; one started here is ended at the end.
source "$root/tests/e2e/lib.sh" "$root/build/win64/zelvik-timer.exe" \
    "$root/build/win64/zelvik-probe.exe"
started_xvfb=$ZELVIK_STARTED_XVFB
docs=$root/docs
mkdir -p "$docs"
# A copy of its own, so that the settings it writes beside itself go nowhere else.
cp "$EXE" "$WORK/zelvik-timer.exe"
TIMER_EXE=$WORK/zelvik-timer.exe

stop_timer() {
    "$WINE" "$PROBE" quit >/dev/null 2>&1 || true
    for _ in $(seq 50); do timer_alive || break; sleep 0.1; done
    TIMER_PID=
}

# shot NAME LEFT TOP RIGHT BOTTOM: the screen box, a little margin around it.
shot() {
    import -window root -crop "$(( $4 - $2 + 8 ))x$(( $5 - $3 + 8 ))+$(( $2 > 4 ? $2 - 4 : 0 ))+$(( $3 > 4 ? $3 - 4 : 0 ))" \
        +repage "$docs/$1.png"
    echo "docs/$1.png"
}
window_shot() {
    local l t r b
    IFS=, read -r l t r b <<<"$(window_field rect)"
    shot "$1" "$l" "$t" "$r" "$b"
}

# The clock, as it starts.
start_timer_at 10:08:30
sleep 1.5
window_shot clock
stop_timer

# The stopwatch with milliseconds, paused after a few seconds so the picture is steady.
start_timer_at 10:08:30
sleep 1
click_client 79 15     # 秒表
click_client 294 15    # 毫秒
click_client 52 101    # 开始
sleep 3.2
click_client 52 101    # 暂停
xdotool mousemove 1000 700
sleep 0.5
window_shot stopwatch
stop_timer

# A three-second countdown run out: the readout turns red.
start_timer_at 10:08:30
sleep 1
click_client 137 15    # 倒计时
click_client 217 15    # 设定
wait_for "^dialog .*caption=倒计时设定$" || fail "the settings dialog did not open"
IFS=, read -r dl dt dr db <<<"$(echo "$PROBE_OUT" | sed -n 's/^dialog rect=\([^ ]*\).*/\1/p')"
type_into_fields 1003:0 1001:0 1005:3
xdotool mousemove 1000 700
sleep 0.5
shot settings "$dl" "$dt" "$dr" "$db"
read -r cx cy <<<"$(dialog_control_centre 1)"
click_at "$cx" "$cy"   # 确认
click_client 52 101    # 开始
wait_for "^control id=10001 .*text=开始$" 80 || fail "the countdown did not run out"
xdotool mousemove 1000 700
sleep 0.5
window_shot countdown-expired
stop_timer

# The compact strip, after a double-click on the caption.
start_timer_at 10:08:30
sleep 1
IFS=, read -r l t r b <<<"$(window_field rect)"
origin=$(window_field client_origin)
xdotool mousemove $(( l + 150 )) $(( (t + ${origin#*,}) / 2 )) click --repeat 2 --delay 80 1
xdotool mousemove 1000 700
wait_for "^region box=" || fail "no compact strip"
IFS=, read -r rl rt rr rb <<<"$(echo "$PROBE_OUT" | sed -n 's/^region box=//p')"
sleep 0.5
shot compact $(( l + rl )) $(( t + rt )) $(( l + rr )) $(( t + rb ))
stop_timer

# The popup menu, opened with a right-click on the readout's blank right end.
start_timer_at 10:08:30
sleep 1
read -r px py <<<"$(client_point 300 60)"
click_at "$px" "$py" 3
wait_for "^popup " || fail "no popup menu"
IFS=, read -r ml mt mr mb <<<"$(echo "$PROBE_OUT" | sed -n 's/^popup rect=//p')"
IFS=, read -r l t r b <<<"$(window_field rect)"
xdotool key Down Down
sleep 0.5
shot menu "$l" "$t" "$(( mr > r ? mr : r ))" "$(( mb > b ? mb : b ))"
xdotool key Escape
stop_timer

# The clock at 150 % (144 DPI), in a prefix of its own whose display is set so.
(
    export ZELVIK_DPI=144
    source "$root/tests/e2e/lib.sh" "$root/build/win64/zelvik-timer.exe" \
        "$root/build/win64/zelvik-probe.exe"
    cp "$EXE" "$WORK/zelvik-timer.exe"
    TIMER_EXE=$WORK/zelvik-timer.exe
    start_timer_at 10:08:30
    sleep 1.5
    window_shot clock-150
    stop_timer
    zelvik_stop_server
)
if [ -n "$started_xvfb" ]; then
    zelvik_stop_server
    kill "$started_xvfb" 2>/dev/null || true
fi

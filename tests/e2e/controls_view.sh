#!/usr/bin/env bash
# The real program as a user first sees it: its frame and caption, topmost, the controls with
# their captions and states, the readout in the middle of the pale grey window.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
echo "$PROBE_OUT"
expect_line() { echo "$PROBE_OUT" | grep -q -- "$1" || fail "missing: $1"; }
expect_line "^window .*size=396x156 .*caption=Zelvik计时器$"
exstyle=$(window_field exstyle)
(( exstyle & 0x8 )) || fail "the window is not topmost"
expect_line "id=10011 class=Button .*visible=1 enabled=1 check=1 rect=1,2,52,28 text=时钟$"
expect_line "id=10007 class=Button .*visible=1 enabled=1 check=0 rect=54,2,105,28 text=秒表$"
expect_line "id=10008 class=Button .*visible=1 enabled=1 check=0 rect=107,2,175,28 text=倒计时$"
expect_line "id=10006 class=Button .*visible=0 enabled=1 .*rect=175,2,260,28 text=共00:05:00$"
expect_line "id=10004 class=Button .*visible=1 enabled=1 check=1 rect=324,2,376,28 text=最上$"
expect_line "id=10005 class=Button .*visible=1 enabled=1 check=0 rect=268,2,320,28 text=毫秒$"
expect_line "id=10001 class=Button .*visible=1 enabled=0 .*rect=3,88,101,114 text=开始$"
expect_line "id=10003 class=Button .*visible=1 enabled=0 .*rect=105,88,203,114 text=重置$"

screenshot view
cp "$WORK/view.png" "${ZELVIK_SCREENSHOT:-$PWD/e2e-controls.png}" 2>/dev/null || true
read -r x y w h <<<"$(readout_band)"
origin=$(window_field client_origin)
fill=$(pixels count "$WORK/view.png" "${origin%,*}" "$(( ${origin#*,} + 120 ))" 380 8 F0F0F0)
green=$(pixels count "$WORK/view.png" "$x" "$y" "$w" "$h" AEDD81)
echo "pale grey below the buttons: $fill; pale green readout pixels: $green"
[ "$fill" -gt 2500 ] || fail "the window is not filled pale grey"
[ "$green" -gt 200 ] || fail "no readout"
echo "1 passed, 0 failed"

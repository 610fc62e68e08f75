#!/usr/bin/env bash
# The stopwatch as a user runs it: start, pause (the readout holds), resume (it moves on); then
# closing asks "正在计时，确认退出？": 取消 keeps the window and the count, 确定 ends the program.
# A screen reader in another process hears the clock and the paused stopwatch, and reaches 开始.
source "$(dirname "$0")/lib.sh"
start_timer_at 10:12:30
sleep 1
read -r x y w h <<<"$(readout_band)"
# (Wine itself loads ole32 at start-up; Windows does not.)
grep -qiE '/(oleacc|oleaut32)\.dll' "/proc/$TIMER_PID/maps" &&
    fail "the accessibility libraries were loaded before any screen reader asked"
reader() { "$WINE" "$PROBE" reader 2>/dev/null | tr -d '\r'; }
heard=$(reader)
echo "$heard" | grep -q "^reader child=1 role=61 .* name=时间 value=10:12:3[0-9]$" ||
    fail "a screen reader does not hear the clock: $heard"
echo "$heard" | grep -q "^reader child=object .* name=开始 " || fail "a screen reader lost 开始"

click_client 79 15  # 秒表
refresh
[ "$(control_field 10007 check)" = 1 ] || fail "the stopwatch radio button is not checked"
click_client 52 101  # 开始
refresh
[ "$(control_field 10001 text)" = 暂停 ] || fail "开始 did not start"
sleep 1.2
screenshot running1
sleep 0.5
screenshot running2
moving=$(pixels diff "$WORK/running1.png" "$WORK/running2.png" "$x" "$y" "$w" "$h")
click_client 52 101  # 暂停
refresh
[ "$(control_field 10001 text)" = 继续 ] || fail "暂停 did not pause"
screenshot paused1
sleep 1.2
screenshot paused2
held=$(pixels diff "$WORK/paused1.png" "$WORK/paused2.png" "$x" "$y" "$w" "$h")
heard=$(reader)
echo "$heard" | grep -q "^reader child=1 role=61 .* name=秒表 已暂停 value=00:00:0[1-9]$" ||
    fail "a screen reader does not hear the paused stopwatch: $heard"
click_client 52 101  # 继续
refresh
[ "$(control_field 10001 text)" = 暂停 ] || fail "继续 did not resume"
sleep 1.2
screenshot resumed
onward=$(pixels diff "$WORK/paused2.png" "$WORK/resumed.png" "$x" "$y" "$w" "$h")
echo "readout pixels changed: running $moving, paused $held, after resuming $onward"
[ "$moving" -gt 20 ] || fail "the running stopwatch does not move"
[ "$held" = 0 ] || fail "the paused readout moves"
[ "$onward" -gt 20 ] || fail "the resumed stopwatch does not move"

# The caption's close button, in the middle of the caption's right end.
IFS=, read -r left top right bottom <<<"$(window_field rect)"
origin=$(window_field client_origin)
click_at $(( right - 12 )) $(( (top + ${origin#*,}) / 2 ))
wait_for "^dialog .*caption=退出$" || fail "closing a running stopwatch did not ask"
echo "$PROBE_OUT" | grep -q "^dialog_control .*text=正在计时，确认退出？$" || fail "wrong question"
read -r cx cy <<<"$(dialog_control_centre 2)"
click_at "$cx" "$cy"  # 取消
refresh
echo "$PROBE_OUT" | grep -q "^dialog " && fail "the question stayed open"
timer_alive || fail "取消 ended the program"
[ "$(control_field 10001 text)" = 暂停 ] || fail "取消 stopped the stopwatch"
screenshot kept
[ "$(pixels diff "$WORK/resumed.png" "$WORK/kept.png" "$x" "$y" "$w" "$h")" -gt 20 ] ||
    fail "the stopwatch stopped counting"

click_at $(( right - 12 )) $(( (top + ${origin#*,}) / 2 ))
wait_for "^dialog .*caption=退出$" || fail "the second close did not ask"
read -r cx cy <<<"$(dialog_control_centre 1)"
click_at "$cx" "$cy"  # 确定
for _ in $(seq 50); do timer_alive || break; sleep 0.1; done
timer_alive && fail "确定 did not end the program"
echo "1 passed, 0 failed"
